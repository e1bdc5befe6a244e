// A user interface that answers from a script and records what was shown.
#pragma once

#include "platform/Application.h"
#include "platform/UserInterface.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <string>

class TScriptedUI : public TUserInterface {
public:
    std::deque<TModalResult> answers;           // for AskYesNoCancel, in order
    std::deque<std::optional<QString>> files;   // for file dialogs: a name, or cancel
    QStringList shown;                          // "box:", "ask:", "error:" + text; "open:", "save:"
    QStringList offered;                        // the name each file dialog started from

    void MessageBox(const QString& text, const QString& caption) override
    {
        shown << "box:" + text + (caption.isEmpty() ? "" : " [" + caption + "]");
    }
    TModalResult AskYesNoCancel(const QString& text, TMsgDlgType) override
    {
        shown << "ask:" + text;
        if (answers.empty()) return mrCancel;
        const TModalResult r = answers.front();
        answers.pop_front();
        return r;
    }
    bool ExecuteFileDialog(TFileDialog& dialog) override
    {
        shown << (dialog.Kind == TFileDialog::TKind::Save ? "save:" : "open:");
        offered << dialog.FileName;
        if (files.empty() || !files.front()) {
            if (!files.empty()) files.pop_front();
            return false;
        }
        dialog.FileName = *files.front();
        files.pop_front();
        return true;
    }
    void ShowException(const QString& message) override { shown << "error:" + message; }
};

// Installs a scripted interface for the life of the object.
class TScriptScope {
public:
    TScriptScope() : ui(new TScriptedUI), FOld(Application->SetUI(std::unique_ptr<TUserInterface>(ui))) {}
    ~TScriptScope() { Application->SetUI(std::move(FOld)); }
    TScriptedUI* ui;

private:
    std::unique_ptr<TUserInterface> FOld;
};
