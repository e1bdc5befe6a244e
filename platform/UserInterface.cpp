#include "UserInterface.h"

#include "Application.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

bool TFileDialog::Execute() { return Application->UI().ExecuteFileDialog(*this); }

namespace {
QWidget* DialogParent() { return QApplication::activeWindow(); }

// "label|*.ext" → "label (*.ext)"
QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
    return out.join(";;");
}
}  // namespace

void TQtUserInterface::MessageBox(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, DialogParent());
    box.exec();
}

TModalResult TQtUserInterface::AskYesNoCancel(const QString& text, TMsgDlgType type)
{
    QMessageBox box(DialogParent());
    box.setText(text);
    switch (type) {
    case TMsgDlgType::mtConfirmation: box.setWindowTitle("確認"); box.setIcon(QMessageBox::Question); break;
    case TMsgDlgType::mtWarning: box.setWindowTitle("警告"); box.setIcon(QMessageBox::Warning); break;
    case TMsgDlgType::mtError: box.setWindowTitle("エラー"); box.setIcon(QMessageBox::Critical); break;
    case TMsgDlgType::mtInformation: box.setWindowTitle("情報"); box.setIcon(QMessageBox::Information); break;
    }
    // One role for all three keeps them in this order whatever the desktop's
    // button layout; our own texts need no installed translation.
    QPushButton* yes = box.addButton("はい(&Y)", QMessageBox::ActionRole);
    QPushButton* no = box.addButton("いいえ(&N)", QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton("キャンセル", QMessageBox::ActionRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);  // Escape and the close box
    box.exec();
    if (box.clickedButton() == yes) return mrYes;
    if (box.clickedButton() == no) return mrNo;
    return mrCancel;
}

bool TQtUserInterface::ExecuteFileDialog(TFileDialog& dialog)
{
    QFileDialog fd(DialogParent(), dialog.Title);
    fd.setNameFilter(QtFilter(dialog.Filter));
    fd.setDefaultSuffix(dialog.DefaultExt);
    if (dialog.Kind == TFileDialog::TKind::Save) {
        fd.setAcceptMode(QFileDialog::AcceptSave);
        fd.setFileMode(QFileDialog::AnyFile);
        fd.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        fd.setAcceptMode(QFileDialog::AcceptOpen);
        fd.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    }
    if (!dialog.FileName.isEmpty()) {
        const QFileInfo last(dialog.FileName);
        fd.setDirectory(last.absolutePath());
        fd.selectFile(last.fileName());
    }
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
    dialog.FileName = fd.selectedFiles().first();
    return true;
}

void TQtUserInterface::ShowException(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                    QMessageBox::Ok, DialogParent());
    box.exec();
}
