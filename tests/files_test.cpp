#include "FormProbe.h"
#include "ScriptedUI.h"
#include "TestFiles.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "wave/VrfFileU.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Names as the dialogs hand them over.
struct TempDir : TTempDir {
    TempDir() : TTempDir("files") {}
    QString operator()(const std::string& name) const { return QString::fromStdString((path / name).string()); }
};

std::vector<std::uint8_t> ReadAll(const QString& p) { return ::ReadAll(std::filesystem::path(p.toStdString())); }

void WriteBytes(const QString& p, const std::vector<std::uint8_t>& b)
{
    std::ofstream f(p.toStdString(), std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

const QString kQuestion = "ask:現在の波形データを保存しますか?";

TEST(VrfFile, ForcesTheExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"wave.txt", "wave.vrf"},        {"my.wave.txt", "my.wave.vrf"}, {"wave", "wave.vrf"},
        {"wave.vrf", "wave.vrf"},        {"/a.b/wave", "/a.b/wave.vrf"}, {"/a.b/c.d/w.x", "/a.b/c.d/w.vrf"},
        {"./wave", "./wave.vrf"},        {"../x.y", "../x.vrf"},         {"wave.", "wave.vrf"},
    };
    for (auto [in, out] : cases) EXPECT_EQ(vrf::ForceExtension(in), out) << in;
}

TEST(VrfFile, ShortReadIsAnErrorNotAHalfWaveform)
{
    TempDir dir;
    WriteBytes(dir("w.vrf"), std::vector<std::uint8_t>(256, 7));
    TReadFile f(dir("w.vrf").toStdString());
    EXPECT_EQ(f.Size(), 256);
    fs::resize_file(dir.path / "w.vrf", 100);  // shrinks after the size was taken
    std::uint8_t buf[256];
    EXPECT_THROW(f.ReadExactly(buf, 256), EInOutError);
}

struct Files : ::testing::Test {
    TScriptScope script;
    TempDir dir;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    TScriptedUI& ui() { return *script.ui; }
    std::int16_t* wave() { return TForm1Probe::Wave(*form); }
    bool& modified() { return TForm1Probe::Modified(*form); }
    void Edit() { form->Image1MouseDown(form->Image1, TMouseButton::mbLeft, ssLeft, 41, 27); }  // sample 10 := 100
    void TearDown() override { modified() = false; }
};

TEST_F(Files, SaveThenOpenGivesTheSameWaveform)
{
    for (int i = 0; i < 256; ++i) wave()[i] = static_cast<std::int16_t>(i - 128);
    modified() = true;
    ui().files = {dir("wave.txt")};
    form->ToolButton7->click();
    EXPECT_FALSE(modified());
    EXPECT_EQ(form->SaveDialog1.FileName, dir("wave.vrf"));
    const auto bytes = ReadAll(dir("wave.vrf"));
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(bytes[0], 0x80);
    EXPECT_EQ(bytes[127], 0xFF);
    EXPECT_EQ(bytes[128], 0x00);
    EXPECT_EQ(bytes[255], 0x7F);
    EXPECT_FALSE(fs::exists(dir.path / "wave.txt"));

    for (int i = 0; i < 256; ++i) wave()[i] = 0;
    ui().files = {dir("wave.vrf")};
    form->Button->click();  // clean: no question
    for (int i = 0; i < 256; ++i) ASSERT_EQ(wave()[i], i - 128);
    EXPECT_FALSE(modified());
    EXPECT_EQ(form->Image1->Picture().pixel(0, 200), ToQRgb(clBlue));
    EXPECT_EQ(ui().shown, QStringList({"save:", "open:"}));
    EXPECT_EQ(form->OpenDialog2.FileName, dir("wave.vrf")) << "each dialog remembers its own name";
}

TEST_F(Files, OnlyExactly256BytesOpen)
{
    Edit();
    for (std::size_t size : {0u, 255u, 257u, 1024u}) {
        WriteBytes(dir("bad.vrf"), std::vector<std::uint8_t>(size, 0x11));
        ui().answers = {mrNo};
        ui().files = {dir("bad.vrf")};
        ui().shown.clear();
        form->Button->click();
        EXPECT_EQ(ui().shown, QStringList({kQuestion, "open:", "box:不正なVRFファイルです"})) << size;
        EXPECT_EQ(wave()[10], 100);
        EXPECT_TRUE(modified());
    }
    std::vector<std::uint8_t> any(256);
    for (int i = 0; i < 256; ++i) any[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
    WriteBytes(dir("any name.bin"), any);
    ui().answers = {mrNo};
    ui().files = {dir("any name.bin")};
    form->Button->click();
    EXPECT_EQ(wave()[0], -1);
    EXPECT_EQ(wave()[127], -128);
    EXPECT_EQ(wave()[128], 127);
    EXPECT_FALSE(modified());
}

// What each answer does for each asking command; the save dialog confirmed
// (a name) or cancelled (nullopt).
TEST_F(Files, AnswersToTheQuestion)
{
    WriteBytes(dir("other.vrf"), std::vector<std::uint8_t>(256, 5));
    enum class Cmd { New, Open, Close };
    struct Case {
        Cmd cmd;
        TModalResult answer;
        bool saveConfirmed;
        QStringList shown;
        bool saved;
        int sample10;     // afterwards: 100 kept, 0 cleared, 5 opened
        bool modified;
        bool closes;
    };
    const QString save = "save:", open = "open:";
    const Case cases[] = {
        {Cmd::New, mrYes, true, {kQuestion, save}, true, 0, false, false},
        {Cmd::New, mrYes, false, {kQuestion, save}, false, 100, true, false},  // mended: nothing lost
        {Cmd::New, mrNo, false, {kQuestion}, false, 0, false, false},
        {Cmd::New, mrCancel, false, {kQuestion}, false, 100, true, false},
        {Cmd::Open, mrYes, true, {kQuestion, save, open}, true, 5, false, false},
        {Cmd::Open, mrYes, false, {kQuestion, save}, false, 100, true, false},  // mended: no open dialog
        {Cmd::Open, mrNo, false, {kQuestion, open}, false, 5, false, false},
        {Cmd::Open, mrCancel, false, {kQuestion}, false, 100, true, false},
        {Cmd::Close, mrYes, true, {kQuestion, save}, true, 100, false, true},
        {Cmd::Close, mrYes, false, {kQuestion, save}, false, 100, true, false},  // mended: stays open
        {Cmd::Close, mrNo, false, {kQuestion}, false, 100, true, true},
        {Cmd::Close, mrCancel, false, {kQuestion}, false, 100, true, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(n++));
        for (int i = 0; i < 256; ++i) wave()[i] = 0;
        Edit();
        fs::remove(dir.path / "saved.vrf");
        ui().shown.clear();
        ui().answers = {c.answer};
        ui().files.clear();
        if (c.answer == mrYes) ui().files.push_back(c.saveConfirmed ? std::optional(dir("saved")) : std::nullopt);
        ui().files.push_back(dir("other.vrf"));
        form->SaveDialog1.FileName.clear();
        form->OpenDialog2.FileName.clear();
        bool closes = false;
        switch (c.cmd) {
        case Cmd::New: form->ButtonNew->click(); break;
        case Cmd::Open: form->Button->click(); break;
        case Cmd::Close: closes = form->CloseQuery(); break;
        }
        EXPECT_EQ(ui().shown, c.shown);
        EXPECT_EQ(fs::exists(dir.path / "saved.vrf"), c.saved);
        if (c.saved) {
            EXPECT_EQ(ReadAll(dir("saved.vrf"))[10], 100);
        }
        EXPECT_EQ(wave()[10], c.sample10);
        EXPECT_EQ(modified(), c.modified);
        EXPECT_EQ(closes, c.closes);
    }
}

TEST_F(Files, CleanDocumentIsNeverAsked)
{
    EXPECT_TRUE(form->CloseQuery());
    ui().files = {std::nullopt};
    form->Button->click();
    wave()[3] = 9;  // not through the pen: still clean
    form->ButtonNew->click();
    EXPECT_EQ(wave()[3], 0);
    EXPECT_FALSE(modified());
    EXPECT_EQ(ui().shown, QStringList({"open:"}));
}

TEST_F(Files, CloseCancelledAsksAgainNextTime)
{
    Edit();
    ui().answers = {mrCancel, mrCancel};
    QCloseEvent first, second;
    QApplication::sendEvent(form.get(), &first);
    EXPECT_FALSE(first.isAccepted());
    QApplication::sendEvent(form.get(), &second);
    EXPECT_FALSE(second.isAccepted());
    EXPECT_EQ(ui().shown, QStringList({kQuestion, kQuestion}));
    EXPECT_TRUE(modified());
}

TEST_F(Files, CreateErrorsKeepTheirMessageAndStopTheAskingCommand)
{
    fs::create_directory(dir.path / "folder.vrf");
    const QString missing = dir("no/such/dir/w");
    const QString folder = dir("folder.vrf");
    for (const QString& name : {missing, folder}) {
        const QString written = QString::fromStdString(vrf::ForceExtension(name.toStdString()));
        const QString message = "error:ファイル " + written + " を作成できません";
        Edit();
        ui().shown.clear();
        ui().files = {name};
        form->ToolButton7->click();
        EXPECT_EQ(ui().shown, QStringList({"save:", message}));
        EXPECT_TRUE(modified());
        EXPECT_EQ(form->SaveDialog1.FileName, written) << "the dialog keeps the changed name";

        ui().shown.clear();
        ui().answers = {mrYes};
        ui().files = {name};
        form->ButtonNew->click();
        EXPECT_EQ(ui().shown, QStringList({kQuestion, "save:", message}));
        EXPECT_EQ(ui().offered.last(), written) << "the next save dialog starts from the changed name";
        EXPECT_EQ(wave()[10], 100) << "New stopped";

        ui().shown.clear();
        ui().answers = {mrYes};
        ui().files = {name};
        EXPECT_FALSE(form->CloseQuery());
        EXPECT_EQ(ui().shown, QStringList({kQuestion, "save:"})) << "refused without a message";
        EXPECT_TRUE(modified());
    }
}

TEST_F(Files, FailedWriteKeepsTheOldFileAndIsReported)
{
    for (int i = 0; i < 256; ++i) wave()[i] = 1;
    ui().files = {dir("keep.vrf")};
    form->ToolButton7Click(form.get());
    const auto before = ReadAll(dir("keep.vrf"));
    Edit();
    ui().shown.clear();
    ui().files = {dir("keep.vrf")};
    WithFileSizeLimit(100, [&] { form->ToolButton7->click(); });
    ASSERT_EQ(ui().shown.size(), 2);
    EXPECT_TRUE(ui().shown[1].startsWith("error:")) << ui().shown[1].toStdString();
    EXPECT_EQ(ReadAll(dir("keep.vrf")), before);
    EXPECT_TRUE(modified());
    EXPECT_EQ(dir.Entries(), 1) << "no temporary file is left behind";
}

TEST_F(Files, OpenErrorsKeepTheirMessageAndChangeNothing)
{
    fs::create_directory(dir.path / "folder.vrf");
    Edit();
    for (const QString& name : {dir("missing.vrf"), dir("folder.vrf")}) {
        ui().shown.clear();
        ui().answers = {mrNo};
        ui().files = {name};
        form->Button->click();
        EXPECT_EQ(ui().shown, QStringList({kQuestion, "open:", "error:ファイル " + name + " は開けません"}));
        EXPECT_EQ(wave()[10], 100);
        EXPECT_TRUE(modified());
    }
}

// The real question box, answered with keys.
TEST(Question, RealMessageBoxAnswersByKey)
{
    TQtUserInterface real;
    struct Case { int key; Qt::KeyboardModifiers mods; TModalResult result; };
    const Case cases[] = {{Qt::Key_Escape, Qt::NoModifier, mrCancel},
                          {Qt::Key_Return, Qt::NoModifier, mrYes},
                          {Qt::Key_N, Qt::AltModifier, mrNo}};
    for (const Case& c : cases) {
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen << box->windowTitle() << box->text() << QString::number(box->icon());
            for (QAbstractButton* b : box->buttons()) seen << b->text();
            seen << box->defaultButton()->text();
            // Through the window, as a real key press, so that mnemonics apply.
            QTest::keyClick(box->windowHandle(), static_cast<Qt::Key>(c.key), c.mods);
        });
        EXPECT_EQ(real.AskYesNoCancel("現在の波形データを保存しますか?", TMsgDlgType::mtConfirmation), c.result);
        EXPECT_EQ(seen, QStringList({"確認", "現在の波形データを保存しますか?", QString::number(QMessageBox::Question),
                                     "はい(&Y)", "いいえ(&N)", "キャンセル", "はい(&Y)"}));
    }
}

}  // namespace
