// The assembler window's files: opening and saving the assembler and code texts, the title that
// names the file, and the question before a modified text would be thrown away.

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "assembler/codetext.h"
#include "desktop/assembler_window.h"
#include "desktop/captions.h"
#include "desktop/program_commands.h"
#include "desktop/qt_text.h"
#include "desktop/user_dialogs.h"
#include "session/text_file.h"

namespace q42 {
namespace {

const QString kAsmFilter = QStringLiteral("assembler files (*.asm);;all files (*)");
const QString kAsmSaveFilter = QStringLiteral("assembler files (*.asm);;all fils (*)");
const QString kCodeFilter = QStringLiteral("code files (*.cod);;all files (*)");

}  // namespace

void AssemblerWindow::ShowTitle() {
    QString title = baseTitle_;
    if (!asmFileName_.isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(asmFileName_).fileName();
    if (AsmModified()) title += QLatin1Char('*');
    setWindowTitle(title);
}

bool AssemblerWindow::AsmModified() const {
    return sourceEditor->document()->isModified();
}

bool AssemblerWindow::MayDiscardAsmText() {
    if (!AsmModified()) return true;
    switch (dialogs_.AskSaveChanges(this, saveQuestion)) {
        case SaveChoice::Save: return SaveAsm();
        case SaveChoice::Discard: return true;
        case SaveChoice::Cancel: return false;
    }
    return false;
}

bool AssemblerWindow::ReadFileInto(const QString& name, QPlainTextEdit* memo) {
    const TextFile file = ReadTextFile(std::filesystem::path(name.toStdString()));
    if (!file.error.empty()) {
        dialogs_.Warning(this, QString::fromStdString(file.error));
        return false;
    }
    // The editor lays out and repaints a line as a whole: a line of megabytes would take seconds
    // to open and keep the processor busy while the caret blinks. Such a file is refused.
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].size() > kMaxEditorLine) {
            dialogs_.Warning(this,
                             LongLineMessage(name, static_cast<int>(i) + 1, file.lines[i].size()));
            return false;
        }
    }
    memo->setPlainText(LinesToQt(file.lines));
    return true;
}

void AssemblerWindow::OpenFile(const QString& name) {
    if (IsCodeFileName(name.toStdString())) {
        OpenCodFile(name);
    } else {
        OpenAsmFile(name);
    }
}

void AssemblerWindow::OpenAsmFromDialog() {
    if (!MayDiscardAsmText()) return;
    const QString name = dialogs_.OpenFileName(this, kAsmFilter);
    if (!name.isEmpty()) OpenAsmFile(name);
}

void AssemblerWindow::OpenAsmFile(const QString& name) {
    if (!ReadFileInto(name, sourceEditor)) return;
    asmFileName_ = name;
    sourceEditor->document()->setModified(false);
    ShowTitle();
    ClearCodeAndLabels();
    commands_.TextReplaced();
}

void AssemblerWindow::OpenExample(const QString& name) {
    QFile file(QStringLiteral(":/examples/") + name);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    OpenText(
        LinesToQt(SplitTextLines(DecodeFileText(std::string_view(bytes.data(), bytes.size())))));
}

void AssemblerWindow::OpenText(const QString& text) {
    if (!MayDiscardAsmText()) return;
    sourceEditor->setPlainText(text);
    // Saving an example asks for a name of the student's own.
    asmFileName_.clear();
    sourceEditor->document()->setModified(false);
    ShowTitle();
    ClearCodeAndLabels();
    commands_.TextReplaced();
}

void AssemblerWindow::OpenCodFromDialog() {
    OpenCodFile(dialogs_.OpenFileName(this, kCodeFilter));
}

void AssemblerWindow::OpenCodFile(const QString& name) {
    if (!name.isEmpty() && ReadFileInto(name, codeWordsEditor)) commands_.TextReplaced();
    // Whether or not a file was read, a final "." line of the memo goes.
    QTextBlock last = codeWordsEditor->document()->lastBlock();
    if (last.text() == QStringLiteral(".") && last.blockNumber() > 0) {
        QTextCursor cursor(last.previous());
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    } else if (last.text() == QStringLiteral(".")) {
        codeWordsEditor->clear();
    }
}

bool AssemblerWindow::WriteLines(const QString& name, const QString& text, bool codeFile) {
    if (!FitsCodePage(text) && !dialogs_.Confirm(this, CodePageQuestion())) return false;
    const std::vector<std::string> lines = LinesFromQt(text);
    const std::string bytes = codeFile ? CodeFileContents(lines) : JoinTextLines(lines);
    // The old file is replaced only once the whole text is written.
    const std::string error = WriteFileBytes(std::filesystem::path(name.toStdString()), bytes);
    if (error.empty()) return true;
    dialogs_.Warning(this, SaveFailedMessage(QString::fromStdString(error)));
    return false;
}

void AssemblerWindow::SaveAsmText() {
    SaveAsm();
}

// Saves to the file the text came from; a text from no file asks for a name.
bool AssemblerWindow::SaveAsm() {
    if (asmFileName_.isEmpty()) {
        const QString name = dialogs_.SaveFileName(this, kAsmSaveFilter, QStringLiteral("asm"));
        return !name.isEmpty() && SaveAsmTo(name);
    }
    return SaveAsmTo(asmFileName_);
}

void AssemblerWindow::SaveAsmAs() {
    const QString name = dialogs_.SaveFileName(this, kAsmSaveFilter, QStringLiteral("asm"));
    if (!name.isEmpty()) SaveAsmTo(name);
}

bool AssemblerWindow::SaveAsmTo(const QString& name) {
    if (!WriteLines(name, sourceEditor->toPlainText(), false)) return false;
    asmFileName_ = name;
    sourceEditor->document()->setModified(false);
    ShowTitle();
    return true;
}

void AssemblerWindow::SaveCodeText() {
    const QString name = dialogs_.SaveFileName(this, kCodeFilter, QStringLiteral("cod"));
    if (!name.isEmpty()) WriteLines(name, codeWordsEditor->toPlainText(), true);
}

void AssemblerWindow::AskAndExit() {
    // A modified text asks whether to save it instead of whether to exit.
    const bool mayExit = AsmModified() ? MayDiscardAsmText() : dialogs_.Confirm(this, exitQuestion);
    if (!mayExit) return;
    closeConfirmed_ = true;
    close();
}

void AssemblerWindow::AskAndClearAsm() {
    const bool mayClear =
        AsmModified() ? MayDiscardAsmText() : dialogs_.Confirm(this, clearQuestion);
    if (!mayClear) return;
    sourceEditor->clear();
    sourceEditor->document()->setModified(false);
    asmFileName_.clear();
    ShowTitle();
    commands_.TextReplaced();
}

void AssemblerWindow::closeEvent(QCloseEvent* event) {
    if (!closeConfirmed_ && !MayDiscardAsmText()) {
        event->ignore();
        return;
    }
    // A running program or a waiting input ends first; then the program ends.
    commands_.Close();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this) window->hide();
    }
    event->accept();
    // Ends the event loop at once: the machine windows would refuse the close that quit() asks.
    QCoreApplication::exit(0);
}

}  // namespace q42
