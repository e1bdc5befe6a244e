// Everything modal the commands show: message boxes, the question, the file
// dialogs and the default error report. The window reaches them only through
// this interface, so tests can answer them without a screen.
#pragma once

#include <QString>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// A file dialog's settings and the name it remembers between uses.
struct TFileDialog {
    enum class TKind { Open, Save };
    TKind Kind = TKind::Open;
    QString Filter;      // "label|*.ext"
    QString DefaultExt;  // without the dot
    QString Title;       // empty: the system's own title
    QString FileName;

    bool Execute();  // true when the user confirmed a name (then in FileName)
};

struct TOpenDialog : TFileDialog {
    TOpenDialog() { Kind = TKind::Open; }
};

struct TSaveDialog : TFileDialog {
    TSaveDialog() { Kind = TKind::Save; }
};

class TUserInterface {
public:
    virtual ~TUserInterface() = default;
    // The application's message box: one OK button, no icon.
    virtual void MessageBox(const QString& text, const QString& caption) = 0;
    // Yes / No / Cancel question; returns mrYes, mrNo or mrCancel.
    virtual TModalResult AskYesNoCancel(const QString& text, TMsgDlgType type) = 0;
    virtual bool ExecuteFileDialog(TFileDialog& dialog) = 0;
    // The default error report for an exception no command caught.
    virtual void ShowException(const QString& message) = 0;
};

// The real thing, on Qt's message boxes and file dialogs.
class TQtUserInterface : public TUserInterface {
public:
    void MessageBox(const QString& text, const QString& caption) override;
    TModalResult AskYesNoCancel(const QString& text, TMsgDlgType type) override;
    bool ExecuteFileDialog(TFileDialog& dialog) override;
    void ShowException(const QString& message) override;
};
