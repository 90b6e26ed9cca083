#pragma once
// Message boxes and file dialogs answered by a test: warnings and questions are recorded,
// questions get the prepared answers, file dialogs return prepared names, and a modal dialog is
// handed to a test function instead of blocking.

#include <QDialog>
#include <QStringList>
#include <functional>

#include "desktop/user_dialogs.h"

namespace q42::test {

class ScriptedDialogs : public UserDialogs {
  public:
    QStringList warnings;
    QStringList questions;
    bool answer = true;
    SaveChoice saveChoice = SaveChoice::Cancel;
    QStringList saveQuestions;
    QString fileName;  // returned by the file dialogs; empty: cancelled
    std::function<void(QDialog&)> onModal;
    std::function<void()> onWarning;  // called as each warning is shown

    void Warning(QWidget*, const QString& text) override {
        warnings << text;
        if (onWarning) onWarning();
    }
    bool Confirm(QWidget*, const QString& text) override {
        questions << text;
        return answer;
    }
    void About(QWidget*, const QString& text) override { warnings << text; }
    SaveChoice AskSaveChanges(QWidget*, const QString& text) override {
        saveQuestions << text;
        return saveChoice;
    }
    QString OpenFileName(QWidget*, const QString&) override { return fileName; }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return fileName; }
    void ShowModal(QDialog& dialog) override;
};

}  // namespace q42::test
