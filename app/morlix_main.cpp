#include "morlix_main.h"

#include "PreviewU.h"
#include "SpectrumViewU.h"
#include "WaveViewU.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/SoundService.h"
#include "wave/ReadWaveU.h"
#include "wave/VrfFileU.h"

#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QPixmap>

#include <algorithm>
#include <iterator>

#include "glyphs/glyph0_new.xpm"
#include "glyphs/glyph1_open.xpm"
#include "glyphs/glyph2_disk.xpm"
#include "glyphs/glyph3_save.xpm"
#include "glyphs/glyph4_play.xpm"
#include "glyphs/glyph5_import.xpm"
#include "glyphs/glyph6_left.xpm"
#include "glyphs/glyph7_right.xpm"
#include "glyphs/glyph8_spectrum.xpm"

TForm1* Form1 = nullptr;

std::string GetAppDir() { return QCoreApplication::applicationDirPath().toStdString() + "/"; }

namespace {
const char* const kDesignedFont = "ＭＳ Ｐゴシック";

QFont DesignedFont()
{
    // The designed face is not on Linux; a proportional Japanese Gothic
    // stands in under its name.
    QFont::insertSubstitutions(kDesignedFont, {"IPAPGothic", "Noto Sans CJK JP"});
    QFont font(kDesignedFont);
    font.setPixelSize(12);
    return font;
}

QWidget* MakeSeparator(QWidget* bar, int left)
{
    auto* sep = new QFrame(bar);
    sep->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    sep->setGeometry(left, 2, 8, 22);
    return sep;
}
}  // namespace

TForm1::TForm1() : TForm(536, 452)
{
    setWindowTitle("MORLIX Ver.0.1b  - VORNユーザー波形エディタ -");
    setFont(DesignedFont());

    for (const char* const* xpm :
         {glyph0_new_xpm, glyph1_open_xpm, glyph2_disk_xpm, glyph3_save_xpm, glyph4_play_xpm,
          glyph5_import_xpm, glyph6_left_xpm, glyph7_right_xpm, glyph8_spectrum_xpm})
        ImageList1.emplace_back(QPixmap(xpm));

    Image2 = new TImage(this, 8, 8, 513, 97);
    Image1 = new TImage(this, 8, 112, 513, 257);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setGeometry(8, 376, 512, 17);
    ScrollBar1->setRange(0, waveview::kMaxScroll);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);

    ToolBar1 = new QWidget(this);
    ToolBar1->setGeometry(0, 404, 536, 29);
    auto button = [this](int left, int glyph, const char* hint, bool check = false) {
        auto* b = new QToolButton(ToolBar1);
        b->setGeometry(left, 2, 23, 22);
        b->setAutoRaise(true);
        b->setIcon(ImageList1[static_cast<std::size_t>(glyph)]);
        b->setIconSize(QSize(16, 16));
        b->setCheckable(check);
        b->setFocusPolicy(Qt::NoFocus);
        SetHint(b, QString::fromUtf8(hint));
        return b;
    };
    ButtonNew = button(0, 0, "データをクリアします。");
    Button = button(23, 1, "波形データを読み込みます。");
    ToolButton7 = button(46, 3, "波形データを保存します。");
    ToolButton6 = MakeSeparator(ToolBar1, 69);
    ButtonPlay = button(77, 4, "１秒間の簡易視聴と同時に、VORN用WAVEデータを生成します。");
    ToolButton3 = button(100, 8, "視聴時に整数倍音構成を表示します。（FFT）", true);
    ToolButton3->setChecked(true);
    ToolButton4 = MakeSeparator(ToolBar1, 123);
    ToolButton1 = button(131, 5, "WAVEファイルから波形データを取り込みます。");
    ToolButton2 = MakeSeparator(ToolBar1, 154);
    ToolButton5 = button(162, 6, "波形を左へ１サンプル分シフトします。");
    ToolButton8 = button(185, 7, "波形を右へ１サンプル分シフトします。");
    ToolButton9 = MakeSeparator(ToolBar1, 208);
    ScrollBar2 = new QScrollBar(Qt::Horizontal, ToolBar1);
    ScrollBar2->setGeometry(216, 2, 305, 22);
    ScrollBar2->setRange(0, 100);
    ScrollBar2->setSingleStep(1);
    ScrollBar2->setPageStep(1);
    ScrollBar2->setValue(80);
    SetHint(ScrollBar2, "簡易視聴音量(0-100%)");

    StatusBar1 = new TStatusBar(this, 0, 433, 536, 19, {64, 64, 50});

    OpenDialog1.Filter = "WAVEファイル|*.wav";
    OpenDialog1.Title = "WAVEデータの取り込み -MORLIX-";
    OpenDialog2.Filter = "MORLIX波形ファイル|*.vrf";
    OpenDialog2.DefaultExt = "vrf";
    SaveDialog1.Filter = "MORLIX波形ファイル|*.vrf";
    SaveDialog1.DefaultExt = "vrf";

    // Every handler runs guarded: what it does not catch goes to the
    // default error report and the program goes on.
    auto click = [](QToolButton* b, auto handler) {
        QObject::connect(b, &QToolButton::clicked, b,
                         [b, handler] { Application->Guard([&] { handler(b); }); });
    };
    click(ButtonNew, [this](QObject* s) { ButtonNewClick(s); });
    click(Button, [this](QObject* s) { ButtonClick(s); });
    click(ToolButton7, [this](QObject* s) { ToolButton7Click(s); });
    click(ButtonPlay, [this](QObject* s) { ButtonPlayClick(s); });
    click(ToolButton3, [this](QObject* s) { ToolButton3Click(s); });
    click(ToolButton1, [this](QObject* s) { ToolButton1Click(s); });
    click(ToolButton5, [this](QObject* s) { ToolButton5Click(s); });
    click(ToolButton8, [this](QObject* s) { ToolButton8Click(s); });
    connect(ScrollBar1, &QScrollBar::valueChanged, this,
            [this] { Application->Guard([this] { ScrollBar1Change(ScrollBar1); }); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this,
            [this] { Application->Guard([this] { ScrollBar2Change(ScrollBar2); }); });
    Image1->OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) {
        Application->Guard([&] { Image1MouseDown(Image1, b, s, x, y); });
    };
    Image1->OnMouseMove = [this](TShiftState s, int x, int y) {
        Application->Guard([&] { Image1MouseMove(Image1, s, x, y); });
    };
    Image1->OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) {
        Application->Guard([&] { Image1MouseUp(Image1, b, s, x, y); });
    };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(this, canClose); };

    FormCreate(this);
}

TForm1::~TForm1() { FormClose(this); }

void TForm1::FormCreate(QObject*)
{
    FSoundBuf = std::make_unique<std::vector<std::uint8_t>>(1);
    FSpline = std::make_unique<TSpline>();
    FFFT = std::make_unique<TFFT>();
    FWriteWave = std::make_unique<TWriteWave>();
    Application->OnHint = [this] { ShowHint(Application); };
    FDrawing = false;
    // Double buffering needs no switch: Qt paints every widget through a back buffer.
    for (auto& s : FWave) s = 0;
    ClearWaveView();
    FVolume = ScrollBar2->value();
}

void TForm1::FormClose(QObject*)
{
    if (Application && Application->OnHint) Application->OnHint = nullptr;
    FWriteWave.reset();
    FSpline.reset();
    FFFT.reset();
    // Nothing may play from the block once it is gone.
    SoundService().Stop();
    FSoundBuf.reset();
}

void TForm1::ShowHint(QObject*)
{
    if (!Application->Hint().isEmpty()) {
        StatusBar1->SetSimplePanel(true);
        StatusBar1->SetSimpleText(Application->Hint());
    } else {
        StatusBar1->SetSimplePanel(false);
    }
}

// ---- waveform document ----

void TForm1::StoreSample(int index, int value)
{
    FWave[index] = static_cast<std::int16_t>(value);
    FModified = true;
    DrawWave();
}

void TForm1::ToolButton5Click(QObject*)
{
    const std::int16_t t = FWave[0];
    for (int i = 0; i <= 254; ++i) FWave[i] = FWave[i + 1];
    FWave[255] = t;
    FModified = true;
    DrawWave();
}

void TForm1::ToolButton8Click(QObject*)
{
    const std::int16_t t = FWave[255];
    for (int i = 255; i >= 1; --i) FWave[i] = FWave[i - 1];
    FWave[0] = t;
    FModified = true;
    DrawWave();
}

// ---- wave view and pen ----

void TForm1::ClearWaveView() { waveview::Clear(Image1->Canvas()); }

void TForm1::DrawWave() { waveview::Draw(Image1->Canvas(), FWave, ScrollBar1->value()); }

void TForm1::Image1MouseDown(QObject*, TMouseButton, TShiftState Shift, int X, int Y)
{
    FDrawing = true;
    const int P = ScrollBar1->value();
    const int index = waveview::IndexAt(X, P, false);
    const int value = waveview::ValueAt(Y);
    if (Shift & ssLeft)
        StoreSample(index, value);
    else if (Shift & ssRight)
        StoreSample(index, 0);
}

void TForm1::Image1MouseMove(QObject*, TShiftState Shift, int X, int Y)
{
    const int P = ScrollBar1->value();
    const int index = waveview::IndexAt(X, P, true);
    const int value = waveview::ValueAt(Y);
    StatusBar1->SetPanelText(0, QString("X = %1").arg(index));
    StatusBar1->SetPanelText(1, QString("Y = %1").arg(value));
    if (Shift & ssLeft) {
        if (FDrawing) StoreSample(index, value);
    } else if (Shift & ssRight) {
        StoreSample(index, 0);
    }
}

void TForm1::Image1MouseUp(QObject*, TMouseButton, TShiftState, int, int) { FDrawing = false; }

void TForm1::ScrollBar1Change(QObject*)
{
    ClearWaveView();
    DrawWave();
    StatusBar1->SetPanelText(0, QString("X += %1").arg(ScrollBar1->value()));
}

// ---- files ----

namespace {
TModalResult AskToSave()
{
    return Application->UI().AskYesNoCancel("現在の波形データを保存しますか?", TMsgDlgType::mtConfirmation);
}
}  // namespace

// Asks before unsaved changes would be lost. Returns false when the command
// must stop: Cancel, or Yes with a save that did not happen (the flag is
// still set then), so changes are never dropped by a cancelled save dialog.
bool TForm1::SaveChangesFirst()
{
    if (!FModified) return true;
    switch (AskToSave()) {
    case mrCancel:
        return false;
    case mrYes:
        ToolButton7Click(this);
        return !FModified;
    default:
        return true;
    }
}

void TForm1::ButtonNewClick(QObject*)
{
    if (!SaveChangesFirst()) return;
    FModified = false;
    for (auto& s : FWave) s = 0;
    DrawWave();
}

void TForm1::ButtonClick(QObject*)
{
    if (!SaveChangesFirst()) return;
    if (!OpenDialog2.Execute()) return;
    std::int16_t loaded[256];
    // Open and read errors reach the default error report; nothing changes.
    if (!vrf::Load(OpenDialog2.FileName.toStdString(), loaded)) {
        Application->MessageBox("不正なVRFファイルです", "");
        return;
    }
    std::copy(std::begin(loaded), std::end(loaded), FWave);
    DrawWave();
    FModified = false;
}

void TForm1::ToolButton7Click(QObject*)
{
    if (!SaveDialog1.Execute()) return;
    SaveDialog1.FileName = QString::fromStdString(vrf::ForceExtension(SaveDialog1.FileName.toStdString()));
    // Written whole or not at all; a failure leaves the flag set and is reported.
    vrf::Save(SaveDialog1.FileName.toStdString(), FWave);
    FModified = false;
}

void TForm1::CheckFileSave()
{
    if (!SaveChangesFirst()) Abort();
}

void TForm1::FormCloseQuery(QObject*, bool& CanClose)
{
    try {
        CheckFileSave();
    } catch (...) {
        CanClose = false;  // Cancel, or a save that failed: stay open, silently
    }
}

// ---- preview ----

void TForm1::ButtonPlayClick(QObject*) { PlayPreview(); }

void TForm1::ScrollBar2Change(QObject*) { FVolume = ScrollBar2->value(); }

void TForm1::PlayPreview()
{
    preview::InterpolateWave(*FSpline, FWave, FSound);
    for (int i = 0; i < preview::kSoundValues; ++i)
        FWriteWave->SetSample(static_cast<std::int16_t>(i), static_cast<std::int16_t>(FSound[i]));
    DrawSpectrum();
    FWriteWave->Volume = static_cast<std::int16_t>(FVolume);
    SoundService().Stop();  // before the block is rebuilt
    FWriteWave->MakePreview(*FSoundBuf);
    SoundService().PlayAsync(FSoundBuf->data(), FSoundBuf->size());
    FWriteWave->SaveToFile(GetAppDir() + "InportThis.wav");
}

// The toggle flips by itself; the strip follows at the next preview.
void TForm1::ToolButton3Click(QObject*) {}

void TForm1::DrawSpectrum()
{
    spectrumview::Draw(Image2->Canvas(), *FFFT, FSound, ToolButton3->isChecked());
}

// ---- import ----

void TForm1::ToolButton1Click(QObject*)
{
    if (!OpenDialog1.Execute()) return;
    {
        TReadWave reader([](const std::string& text) { Application->MessageBox(QString::fromStdString(text), ""); });
        // An open error leaves here, before the redraw.
        if (reader.LoadFromFile(OpenDialog1.FileName.toStdString())) {
            std::int32_t values[256];
            reader.GetWave(values);
            for (int i = 0; i < 256; ++i) FWave[i] = SampleFromResampled(values[i]);
            FModified = true;
        }
    }
    DrawWave();
}
