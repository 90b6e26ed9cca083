#pragma once
// Message boxes and file dialogs, behind one small interface so that tests can answer them.

#include <QString>

class QDialog;
class QWidget;

namespace q42 {

// The answers to "save the changes?".
enum class SaveChoice { Save, Discard, Cancel };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // A warning with an OK button.
    virtual void Warning(QWidget* parent, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // The program's "About" box.
    virtual void About(QWidget* parent, const QString& text) = 0;
    // A question with Save, Discard and Cancel.
    virtual SaveChoice AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // A file to open or save, or an empty text when the user cancels. The filter is Qt's
    // "description (*.ext);;..." form; a saved name without an extension gets `defaultSuffix`.
    virtual QString OpenFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // Shows a dialog modally and returns when it is closed.
    virtual void ShowModal(QDialog& dialog) = 0;
};

// The real boxes and dialogs of the desktop.
class QtDialogs : public UserDialogs {
  public:
    void Warning(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    void About(QWidget* parent, const QString& text) override;
    SaveChoice AskSaveChanges(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& filter,
                         const QString& defaultSuffix) override;
    void ShowModal(QDialog& dialog) override;
};

}  // namespace q42
