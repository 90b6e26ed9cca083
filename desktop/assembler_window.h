#pragma once
// The assembler window, the program's main window: the assembler text, the code text, the label
// table, the status lines and the main menu with every command.

#include <QMainWindow>
#include <QString>
#include <functional>

#include "desktop/assembler_view.h"
#include "desktop/code_editor.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSizeGrip;
class QTableWidget;
class QToolButton;

namespace q42 {

class ProgramCommands;
class Session;
class UserDialogs;

class AssemblerWindow : public QMainWindow {
    Q_OBJECT
  public:
    AssemblerWindow(Session& session, ProgramCommands& commands, UserDialogs& dialogs);

    CodeEditor* sourceEditor = nullptr;         // the assembler text
    QPlainTextEdit* codeWordsEditor = nullptr;  // the code text: one word a line, in hex
    QTableWidget* labelTable = nullptr;         // the names the compiler defined
    QLabel* statusLine = nullptr;               // the line or status the assembler reports
    QLabel* errorLine = nullptr;                // the error it reports
    QToolButton* compileButton = nullptr;       // preprocesses and compiles

    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* runMenu = nullptr;
    QMenu* debugMenu = nullptr;
    QMenu* helpMenu = nullptr;
    // The View menu's items with a check mark, and the Run menu's stop.
    QAction* machineWindowsAction = nullptr;
    QAction* intermediateWindowAction = nullptr;
    QAction* logWindowAction = nullptr;
    QAction* stopAction = nullptr;

    // What the assembler's commands left to show here and in the intermediate text window.
    AssemblerView view;

    // The questions before exiting, before clearing the assembler text, and before a modified text
    // would be thrown away.
    QString exitQuestion;
    QString clearQuestion;
    QString saveQuestion;

    // Enables and disables the menus during a run.
    void SetRunState(bool running);
    // "1-2": preprocess and, if that succeeded, compile; true when both succeeded.
    bool PreprocessAndCompile();
    // Copies the code text into RAM, showing a bad line; true when RAM holds the code.
    bool CopyCode();
    void ClearCodeAndLabels();
    // Opens a file by name as the File menu does: a code file (by its ".cod" ending) into the
    // code text, any other into the assembler text.
    void OpenFile(const QString& name);
    // The View menu's check marks say what is shown: the Q42 mark is set while any of the
    // machine windows shows. The window's event filter calls it again whenever a window it
    // watches shows or hides (the workbench has it watch the machine and intermediate windows).
    void SyncViewMarks();

    // Menu commands.
    void OpenAsmFromDialog();
    void OpenCodFromDialog();
    void SaveAsmText();
    void SaveAsmAs();
    void SaveCodeText();
    void AskAndExit();
    void AskAndClearAsm();
    void ShowOrHideMachineWindows();
    void ShowOrHideIntermediateWindow();
    void CompileAlone();
    void PreprocessAlone();
    void DecodeFromPc();
    void OpenGuide();
    void OpenHowToUse();
    void OpenLessons();
    void ShowAbout();
    // Opens a built-in example (a path under ":/examples/") into the assembler text, as a text
    // from no file.
    void OpenExample(const QString& name);
    // Puts `text` into the assembler text as a text from no file, once a modified text may go.
    void OpenText(const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The client area's opening size, which is also its least.
    static constexpr QSize kClientSize{742, 496};

    Session& session_;
    ProgramCommands& commands_;
    UserDialogs& dialogs_;
    QLabel* productLabel_ = nullptr;
    QLabel* buildDateLabel_ = nullptr;
    QSizeGrip* sizeGrip_ = nullptr;  // at the bottom right corner: drags the window larger
    bool shownBefore_ = false;
    QString baseTitle_;            // the title the interface language gives
    QString asmFileName_;          // the file the assembler text came from or was saved to
    bool closeConfirmed_ = false;  // Exit has asked already

    void CreateTexts(QWidget* client);
    void CreateStatusArea(QWidget* client);
    void PlaceComponents(QWidget& client);
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateRunMenu();
    void CreateDebugMenu();
    void CreateHelpMenu();
    QMenu* AddMenu(const char* name);
    std::function<void()> OnCommand(void (ProgramCommands::*command)());
    std::function<void()> OnEditor(void (QPlainTextEdit::*edit)(), bool needsSelection);
    QAction* AddItem(QMenu* menu, const char* name, const QKeySequence& shortcut,
                     void (AssemblerWindow::*handler)());
    // The assembler text's lines, as the assembler reads them.
    TextLines SourceLines() const;
    // An assembly's warnings, each in a box, before the windows show its texts.
    void ShowWarnings(const Assembly& assembly);
    // The view's texts into the windows.
    void ShowTexts();
    void ShowLabels();
    void ShowStatus();
    void SelectCodeLine(int index);
    QPlainTextEdit* FocusedMemo() const;

    // Files (assembler_window_files.cpp).
    // The title: the language's title, the assembler file's name, and "*" while it is modified.
    void ShowTitle();
    bool AsmModified() const;
    // Before the assembler text is replaced or the program ends: a modified text may be saved
    // first. False when the user cancels (or the save fails): nothing may be thrown away.
    bool MayDiscardAsmText();
    bool SaveAsm();
    bool SaveAsmTo(const QString& name);
    void OpenAsmFile(const QString& name);
    void OpenCodFile(const QString& name);
    // Reads a file into a memo; a file that cannot be read is reported and the memo keeps its text.
    bool ReadFileInto(const QString& name, QPlainTextEdit* memo);
    bool WriteLines(const QString& name, const QString& text, bool codeFile);
};

}  // namespace q42
