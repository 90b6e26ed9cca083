// The assembler text's editor driven as a person drives it: the Tab key and Shift+Tab with and
// without a selection, a tab that comes from a file, the notice's own strip under the text, and
// what opening, clearing and compiling a text do to the marks a paused run left on it. Keys go
// to the active window and its focused widget; menus are opened and chosen with the mouse.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "desktop/assembler_window.h"
#include "desktop/code_editor.h"
#include "tests/gui/gui_support.h"

namespace q42::test {

// Three characters written through the ROM, a sum, and the end.
const char* const kProgram =
    "PUTC = 4000H\n"     // 1
    "    MOV #'A',R0\n"  // 2
    "    CALL #PUTC\n"   // 3
    "    MOV #'B',R0\n"  // 4
    "    CALL #PUTC\n"   // 5
    "    ADD #5,R1\n"    // 6
    "    MOV #'C',R0\n"  // 7
    "    CALL #PUTC\n"   // 8
    "    HLT\n";         // 9

class EditorTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;

    CodeEditor& Editor() { return *Form().sourceEditor; }
    QString Text() { return Editor().toPlainText(); }
    QString Blanks(int count) { return QString(count, QLatin1Char(' ')); }

    // Keys go to the assembler window, active, with the keyboard in the editor.
    void Activate() {
        Form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form()));
        Editor().setFocus();
    }
    // A file in the test's folder with these bytes.
    QString File(const char* name, const QByteArray& bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    // Opens a menu of the menu bar with a click on its title and clicks one of its items (the
    // item of a submenu too, given the submenu's item first).
    void Choose(QMenu* menu, const QList<QAction*>& items) {
        QMenuBar* bar = Form().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        for (QAction* item : items) {
            QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(popup != nullptr);
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
            if (item->menu() != nullptr) QTRY_VERIFY(item->menu()->isVisible());
        }
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    }
    // A run of the program paused at a breakpoint set with a click beside line 6.
    void PauseAtLine6() {
        Editor().setPlainText(QString::fromLatin1(kProgram));
        Editor().document()->setModified(false);
        Activate();
        QTextCursor line(Editor().document()->findBlockByNumber(5));
        QTest::mouseClick(Editor().Margin(), Qt::LeftButton, {},
                          QPoint(6, Editor().cursorRect(line).center().y()));
        Press(Qt::Key_F9);
        QCOMPARE(Editor().RunLine(), 6);
        QVERIFY(Editor().Notice()->isVisible());
    }
    bool NoRunMarks() { return Editor().RunLine() == 0 && !Editor().Notice()->isVisible(); }

  private slots:
    void initTestCase() {
        UseTestLanguage();
        QVERIFY(dir_.isValid());
    }
    void init() {
        StartProgram();
        Editor().clear();
        Activate();
    }
    void cleanup() { bench_.reset(); }

    // Tab puts blanks up to the next multiple of 8 columns and Shift+Tab (which Qt delivers as
    // Backtab) takes them back to the previous one: the assembler takes the text.
    void tabPutsBlanksToTheNextTabStop() {
        Press(Qt::Key_Tab);
        QCOMPARE(Text(), Blanks(8));
        Type(QStringLiteral("mov"));
        Press(Qt::Key_Tab);
        QCOMPARE(Text(), Blanks(8) + QStringLiteral("mov") + Blanks(5));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Text(), Blanks(8) + QStringLiteral("mov"));
        Type(QStringLiteral(" #1,r0"));
        Press(Qt::Key_Return);
        Type(QStringLiteral("   "));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);  // back to column 0
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        Type(QStringLiteral("hlt"));
        QCOMPARE(Text(),
                 Blanks(8) + QStringLiteral("mov #1,r0\n") + Blanks(8) + QStringLiteral("hlt"));
        Press(Qt::Key_F9, Qt::ControlModifier);
        QCOMPARE(Form().errorLine->text(), QString());
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2110\nAF18"));
    }

    // With a selection, Tab and Shift+Tab indent and unindent every selected line by 8 blanks,
    // each as one step to undo; a line the selection only reaches the start of stays.
    void tabAndShiftTabIndentTheSelectedLines() {
        const QString text = QStringLiteral("a:\nmov #1,r0\n\nhlt");
        Editor().setPlainText(text);
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Tab);
        const QString once = Blanks(8) + QStringLiteral("a:\n") + Blanks(8) +
                             QStringLiteral("mov #1,r0\n\n") + Blanks(8) + QStringLiteral("hlt");
        QCOMPARE(Text(), once);
        Press(Qt::Key_Tab);
        QVERIFY(Text().startsWith(Blanks(16) + QStringLiteral("a:\n") + Blanks(16) + "mov"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Text(), once);
        Press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Text().startsWith(Blanks(16) + QStringLiteral("a:")));
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(), once);
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text(), text);

        // From the start of line 2 to the start of line 3: line 2 alone.
        Editor().setTextCursor(QTextCursor(Editor().document()->findBlockByNumber(1)));
        Press(Qt::Key_Down, Qt::ShiftModifier);
        Press(Qt::Key_Tab);
        QCOMPARE(Text(), QStringLiteral("a:\n") + Blanks(8) + QStringLiteral("mov #1,r0\n\nhlt"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Text(), text);
    }

    // A tab from a file stays in the text as it was; the editor draws a faint arrow over it, the
    // highlighter does not colour the operation name it stands before, and the status line shows
    // it in the assembler's message.
    void tabFromAFileStaysAndShows() {
        dialogs_->fileName = File("tab.asm", "\tmov #1,r0\r\n        hlt\r\n");
        Press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Text(), QStringLiteral("\tmov #1,r0\n        hlt"));
        const auto bold = [this](int line, int column) {
            const QTextBlock block = Editor().document()->findBlockByNumber(line);
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (range.start <= column && column < range.start + range.length)
                    return range.format.fontWeight() == QFont::Bold;
            }
            return false;
        };
        QVERIFY(!bold(0, 1));  // mov after the tab
        QVERIFY(bold(1, 8));   // hlt after blanks

        Press(Qt::Key_End, Qt::ControlModifier);  // the caret away from the tab
        QTextCursor at(Editor().document());
        const QRect before = Editor().cursorRect(at);
        at.setPosition(1);
        const QRect after = Editor().cursorRect(at);
        // As wide as the 8 blanks before hlt.
        QTextCursor blanks(Editor().document()->findBlockByNumber(1));
        const int lineStart = Editor().cursorRect(blanks).left();
        blanks.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, CodeEditor::kTabColumns);
        QVERIFY(qAbs(after.left() - before.left() -
                     (Editor().cursorRect(blanks).left() - lineStart)) <= 1);
        const QImage image = Editor().viewport()->grab().toImage();
        const QColor base = Editor().palette().color(QPalette::Base);
        int marked = 0;
        for (int x = before.left() + 2; x < after.left(); ++x) {
            for (int y = before.top(); y <= before.bottom(); ++y)
                marked += image.pixelColor(x, y) != base ? 1 : 0;
        }
        QVERIFY2(marked > 3, "no arrow over the tab");

        Press(Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(Form().errorLine->text().contains(QStringLiteral("→MOV")));
    }

    // The notice stands in a strip of its own under the text: the last line stays in view.
    void noticeHasItsOwnStripUnderTheText() {
        PauseAtLine6();
        QString text = Text();
        for (int line = 10; line <= 40; ++line)
            text += QStringLiteral("; %1\n").arg(line);
        Editor().setPlainText(text);  // the text changed after compiling: a notice says so
        Press(Qt::Key_F7);
        QLabel& notice = *Editor().Notice();
        QVERIFY(notice.isVisible());
        QVERIFY(!notice.geometry().intersects(Editor().viewport()->geometry()));
        QVERIFY(Editor().rect().contains(notice.geometry()));
        Press(Qt::Key_End, Qt::ControlModifier);
        QVERIFY(Editor().cursorRect().bottom() < Editor().viewport()->height());
        QVERIFY(notice.geometry().top() > Editor().viewport()->geometry().bottom());
    }

    // Opening another text (a file, a code file, an example), clearing it or compiling it ends
    // the marks the paused run left on the old text: the line, the pause's notice and the notice
    // that the text changed.
    void replacingOrCompilingTheTextEndsTheRunsMarks() {
        PauseAtLine6();
        dialogs_->saveChoice = SaveChoice::Discard;
        dialogs_->fileName = File("other.asm", "; other\r\nmov #1,r0\r\nhlt\r\n");
        Press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Text(), QStringLiteral("; other\nmov #1,r0\nhlt"));
        QVERIFY(NoRunMarks());
        Press(Qt::Key_F7);  // the paused run goes on, but this text was never compiled
        QVERIFY(NoRunMarks());

        PauseAtLine6();
        Editor().moveCursor(QTextCursor::Start);
        Type(QStringLiteral("; "));
        Press(Qt::Key_F7);
        QVERIFY(Editor().Notice()->isVisible());  // the text changed after compiling
        dialogs_->fileName = File("other.cod", "2151\r\nAF18\r\n.\r\n");
        Press(Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2151\nAF18"));
        QVERIFY(NoRunMarks());

        PauseAtLine6();
        QMenu* examples = Form().findChild<QMenu*>(QStringLiteral("Examples1"));
        QAction* hello = nullptr;
        for (QAction* action : examples->actions()) {
            if (action->text() == QStringLiteral("hello.asm")) hello = action;
        }
        Choose(Form().fileMenu, {examples->menuAction(), hello});
        QVERIFY(Text().contains(QStringLiteral("DS Hello")));
        QVERIFY(NoRunMarks());

        PauseAtLine6();
        dialogs_->answer = true;
        Choose(Form().editMenu, {Action("ClearAsm1")});
        QCOMPARE(Text(), QString());
        QVERIFY(NoRunMarks());

        // Compiling ends them too; the next step shows where the run is in the compiled text.
        PauseAtLine6();
        Press(Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(NoRunMarks());
        Press(Qt::Key_F7);
        QCOMPARE(Editor().RunLine(), 7);
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::EditorTest)
#include "gui_editor_test.moc"
