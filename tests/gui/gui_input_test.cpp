// The desktop program driven as a person drives it: keys go to the window that is active and from
// there to its focused widget, through shortcuts and event propagation, never straight into one
// widget; windows are closed as a window manager asks them to close.

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <functional>
#include <memory>

#include "desktop/assembler_window.h"
#include "desktop/captions.h"
#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/exercise_dialog.h"
#include "desktop/guide_window.h"
#include "desktop/intermediate_text_window.h"
#include "desktop/lessons_window.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/ram_window.h"
#include "desktop/workbench.h"
#include "machine/rom_image.h"
#include "tests/full_disk.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/scripted_dialogs.h"

namespace q42::test {

class RealInputTest : public ProgramTest {
    Q_OBJECT

    QString LastScreenLine() { return ToQt(bench_->session.display.CurrentLine()); }

    // Makes a window the active one, as a click on its title bar would.
    bool Activate(QWidget& window) {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    // Runs `action` once the machine waits for a line and the display window, which input
    // brings forward, is the active one: a person types once they see it.
    void WhenLineAwaited(const std::function<void()>& action) {
        test::WhenLineAwaited(this, bench_->session.display, [this, action] {
            QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
            action();
        });
    }
    // A test that would otherwise wait for ever ends its run after a few seconds and fails.
    void Watchdog() {
        QTimer::singleShot(5000, bench_->assemblerWindow.get(), [this] { bench_->Close(); });
    }

  private slots:
    void initTestCase() {
        UseTestLanguage();
        InstallQtTranslations();
    }
    void init() {
        StartProgram();
        QVERIFY(Activate(Form()));
        Form().sourceEditor->setFocus();
    }
    void cleanup() { bench_.reset(); }

    void keysTypedIntoTheScreenAreBufferedOnce() {
        DisplayWindow& display = *bench_->displayWindow;
        QVERIFY(Activate(display));
        display.screenText->setFocus();
        QCOMPARE(QApplication::focusWidget(), display.screenText);
        Type(QStringLiteral("abc"));
        QCOMPARE(QString::fromStdString(bench_->session.machine.State().keyBuffer),
                 QStringLiteral("abc"));
    }

    void numbersTypedAfterF9GoToTheProgramNotTheSource() {
        const QString source =
            QStringLiteral("call #4182h\nmov r1,r3\ncall #4182h\nadd r1,r3\nmov r3,r0\nhlt");
        Form().sourceEditor->setPlainText(source);
        Watchdog();
        WhenLineAwaited([this] {
            Type(QStringLiteral("12"));
            Press(Qt::Key_Return);
            WhenLineAwaited([this] {
                Type(QStringLiteral("30"));
                Press(Qt::Key_Return);
            });
        });
        Press(Qt::Key_F9);
        QCOMPARE(bench_->session.machine.State().r[0], 42);
        QCOMPARE(Form().sourceEditor->toPlainText(), source);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        // The keyboard goes back to the editor once the program has its input.
        QCOMPARE(QApplication::focusWidget(), Form().sourceEditor);
    }

    void keysReachAProgramWaitingForAKey() {
        // Waits for the keyboard's status, then reads a key into R0 and halts.
        Form().sourceEditor->setPlainText(
            QStringLiteral("w: in 0,r3\ncmp #80h,r3\nbne w\nin 1,r0\nhlt"));
        Watchdog();
        QTimer::singleShot(50, this, [this] {
            QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
            Type(QStringLiteral("q"));
        });
        Press(Qt::Key_F9);
        QCOMPARE(bench_->session.machine.State().r[0], 'q');
        QVERIFY(bench_->session.machine.State().keyBuffer.empty());
    }

    void runKeysWorkFromEveryWindow() {
        Form().codeWordsEditor->setPlainText(
            QStringLiteral("2150\n2151\nAF18"));  // MOV #5,R0; MOV #5,R1
        Action("CopyCode1")->trigger();
        QVERIFY(Activate(*bench_->processorWindow));
        Press(Qt::Key_F7);
        QCOMPARE(bench_->session.machine.State().pc, 2);
        QVERIFY(Activate(*bench_->ramWindow));
        Press(Qt::Key_F7);
        QCOMPARE(bench_->session.machine.State().pc, 4);
    }

    void ctrlBInTheDisplayStopsTheRun() {
        Form().sourceEditor->setPlainText(QStringLiteral("l: br l\nhlt"));
        Watchdog();
        QTimer::singleShot(50, this, [this] {
            Activate(*bench_->displayWindow);
            Press(Qt::Key_B, Qt::ControlModifier);
        });
        Press(Qt::Key_F9);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Interrupted));
        QVERIFY(bench_->session.machine.State().keyBuffer.empty());
        QVERIFY(!bench_->closing);  // the stop came from the key, not from the watchdog
    }

    void closingAnEditedTextAsksAndCancelKeepsIt() {
        Form().sourceEditor->moveCursor(QTextCursor::End);
        Type(QStringLiteral(" nop"));
        const QString edited = Form().sourceEditor->toPlainText();
        QVERIFY(Form().windowTitle().endsWith(QLatin1Char('*')));
        dialogs_->saveChoice = SaveChoice::Cancel;
        Form().close();
        QCOMPARE(dialogs_->saveQuestions.size(), 1);
        QVERIFY(Form().isVisible());
        QVERIFY(!bench_->closing);
        QCOMPARE(Form().sourceEditor->toPlainText(), edited);
        // Exit asks the same question instead of whether to exit.
        Action("Exit1")->trigger();
        QCOMPARE(dialogs_->saveQuestions.size(), 2);
        QVERIFY(dialogs_->questions.isEmpty());
        QVERIFY(Form().isVisible());
    }

    void unmodifiedTextClosesAsBefore() {
        dialogs_->answer = false;
        Action("Exit1")->trigger();  // asks whether to exit; the answer is no
        QCOMPARE(dialogs_->questions, QStringList({Form().exitQuestion}));
        QVERIFY(Form().isVisible());
        Form().close();  // the frame asks nothing
        QVERIFY(dialogs_->saveQuestions.isEmpty());
        QVERIFY(bench_->closing);
    }

    void openingAnotherFileOffersToSaveTheEditedOne() {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.asm"));
        const QString second = dir.filePath(QStringLiteral("second.asm"));
        QFile(first).open(QIODevice::WriteOnly);
        {
            QFile file(second);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("hlt\r\n");
        }
        Form().OpenFile(first);
        QCOMPARE(Form().windowTitle(),
                 Pick(" Ассемблер Q42", " Q42 Assembler") + QStringLiteral(" - first.asm"));
        Form().sourceEditor->setFocus();
        Type(QStringLiteral("nop"));
        dialogs_->saveChoice = SaveChoice::Save;
        dialogs_->fileName = second;
        Action("OpenAsm1")->trigger();
        // The edit went into the file it came from, without a file dialog; then the other opened.
        QFile saved(first);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("nop\r\n"));
        QCOMPARE(Form().sourceEditor->toPlainText(), QStringLiteral("hlt"));
        QVERIFY(!Form().windowTitle().endsWith(QLatin1Char('*')));
    }

    void saveWritesToTheFileTheTextCameFrom() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("prog.asm"));
        dialogs_->fileName = name;
        Press(Qt::Key_S, Qt::ControlModifier);  // no file yet: asks for a name
        Form().sourceEditor->setFocus();
        Form().sourceEditor->moveCursor(QTextCursor::End);
        Type(QStringLiteral("x"));
        dialogs_->fileName.clear();  // a dialog now would cancel the save
        Press(Qt::Key_S, Qt::ControlModifier);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(";asmText\r\n\r\nhltx\r\n"));
    }

    // The mouse resting on an operation name in the editor: the tooltip event the editor's text
    // area receives brings the operation's line from the instruction table.
    void restingOnAnOperationShowsItsTip() {
        QPlainTextEdit& editor = *Form().sourceEditor;
        editor.setPlainText(QStringLiteral("start: cmp #0,r1 ; mov"));
        const auto tipAt = [&](int position) {
            QTextCursor cursor(editor.document());
            cursor.setPosition(position);
            const QPoint point = editor.cursorRect(cursor).center() + QPoint(2, 0);
            QHelpEvent event(QEvent::ToolTip, point, editor.viewport()->mapToGlobal(point));
            QApplication::sendEvent(editor.viewport(), &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QVERIFY(tipAt(8).contains(Pick("CMP оп1,оп2", "CMP op1,op2")));
        QVERIFY(tipAt(8).contains(Pick("ничего не записывает", "stores nothing")));
        QTRY_VERIFY(tipAt(2).isEmpty());   // the label
        QTRY_VERIFY(tipAt(20).isEmpty());  // the comment
    }

    void machineWindowsRefuseToClose() {
        for (QWidget* window : {static_cast<QWidget*>(bench_->ramWindow.get()),
                                static_cast<QWidget*>(bench_->displayWindow.get()),
                                static_cast<QWidget*>(bench_->processorWindow.get())}) {
            QVERIFY(!window->close());
            QVERIFY(window->isVisible());
            QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
            QVERIFY(!(window->windowFlags() & Qt::WindowMinMaxButtonsHint));
        }
        QVERIFY(!(Form().windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void viewMarksFollowWhatIsShown() {
        Action("Q421")->trigger();
        QVERIFY(!bench_->displayWindow->isVisible() && !Action("Q421")->isChecked());
        Form().codeWordsEditor->setPlainText(QStringLiteral("AF18"));
        Action("CopyAndRun1")->trigger();  // a run shows the display window
        QVERIFY(bench_->displayWindow->isVisible());
        QVERIFY(Action("Q421")->isChecked());
        Action("Preprocess1")->trigger();
        QVERIFY(Action("CompText1")->isChecked());
        QVERIFY(!bench_->intermediateWindow->close());
        QVERIFY(Action("CompText1")->isChecked());
    }

    // A click in the margin beside a line sets its breakpoint, another clears it; F2 does the same
    // at the caret's line. The text itself is not touched.
    void marginClicksAndF2SetAndClearBreakpoints() {
        CodeEditor& editor = *Form().sourceEditor;
        editor.setPlainText(QStringLiteral("mov #1,r0\nadd #1,r0\nhlt"));
        const QString text = editor.toPlainText();
        const auto lineY = [&](int line) {
            QTextCursor cursor(editor.document()->findBlockByNumber(line - 1));
            return editor.cursorRect(cursor).center().y();
        };
        QTest::mouseClick(editor.Margin(), Qt::LeftButton, {}, QPoint(6, lineY(2)));
        QCOMPARE(editor.Breakpoints(), (std::set<int>{2}));
        QTest::mouseClick(editor.Margin(), Qt::LeftButton, {}, QPoint(6, lineY(3)));
        QTest::mouseClick(editor.Margin(), Qt::LeftButton, {}, QPoint(6, lineY(2)));
        QCOMPARE(editor.Breakpoints(), (std::set<int>{3}));
        editor.setTextCursor(QTextCursor(editor.document()->findBlockByNumber(0)));
        Press(Qt::Key_F2);
        QCOMPARE(editor.Breakpoints(), (std::set<int>{1, 3}));
        QCOMPARE(editor.toPlainText(), text);
    }

    void doubleClickOnTheAddressColumnDecodesFromTheSelectedRow() {
        QTableWidget& ram = *bench_->ramWindow->ramTable;
        ram.setCurrentCell(4, 1);
        QString decoded;
        dialogs_->onModal = [&](QDialog& dialog) {
            decoded = static_cast<DecodingDialog&>(dialog).addressField->text();
        };
        const QPoint address = ram.visualItemRect(ram.item(9, 0)).center();
        QTest::mouseDClick(ram.viewport(), Qt::LeftButton, {}, address);
        QCOMPARE(decoded, QStringLiteral("0008"));
        QCOMPARE(ram.currentRow(), 4);
    }

    void escapeDoesNotCloseTheDecodingDialog() {
        bool stillOpen = false;
        dialogs_->onModal = [&](QDialog& dialog) {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            Press(Qt::Key_Escape);
            stillOpen = dialog.isVisible();
        };
        Action("Decode1")->trigger();
        QVERIFY(stillOpen);
    }

    void qtDialogsSpeakTheInterfaceLanguage() {
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        QCOMPARE(cancel, Pick("Отмена", "Cancel"));
    }

    void singleStepWaitingForInputLocksTheCommands() {
        Form().codeWordsEditor->setPlainText(
            QStringLiteral("9C0D\n4182\nAF18"));  // CALL #4182H; HLT
        Press(Qt::Key_F5);
        Press(Qt::Key_F7);  // the call: the next step is the input entry point
        Form().codeWordsEditor->setPlainText(
            QStringLiteral("2151"));  // what F5 would copy meanwhile
        bool locked = false;
        Watchdog();
        WhenLineAwaited([&] {
            locked = !Action("CopyCode1")->isEnabled() && !Action("NextCom1")->isEnabled() &&
                     !Form().debugMenu->menuAction()->isEnabled() && Action("stop1")->isEnabled() &&
                     !bench_->processorWindow->nextCommandButton->isEnabled();
            Press(Qt::Key_F5);
            Press(Qt::Key_F7);
            Type(QStringLiteral("5"));
            Press(Qt::Key_Return);
        });
        Press(Qt::Key_F7);
        QVERIFY(locked);
        QCOMPARE(bench_->session.machine.State().ram[0], 0x9C0D);  // the copy did not happen
        QCOMPARE(bench_->session.machine.State().r[1], 5);
        // The entry point returned to the address the call left on the stack and went on to HLT,
        // as one step does: nothing ran in between.
        QCOMPARE(bench_->session.machine.State().pc, 0x0006);
        QCOMPARE(bench_->session.machine.State().sp, 0x0100);
        QVERIFY(Action("CopyCode1")->isEnabled() && !Action("stop1")->isEnabled());
    }

    void saveOntoAFullDiskKeepsTheFileAndTheText() {
        FullDisk disk;
        if (!disk.Mounted()) QSKIP("mounting a tmpfs needs root");
        const auto file = disk.FileThenFill("prog.asm", "hlt\r\n");
        Form().OpenFile(QString::fromStdString(file.string()));
        Form().sourceEditor->setFocus();
        Type(QString(20, QLatin1Char('n')));
        Press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_->warnings.size(), 1);
        QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("No space left")));
        QVERIFY(dialogs_->warnings[0].contains(Pick("не сохранён", "not saved")));
        QFile saved(QString::fromStdString(file.string()));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("hlt\r\n"));
        QVERIFY(Form().windowTitle().endsWith(QLatin1Char('*')));
        QVERIFY(Form().sourceEditor->toPlainText().startsWith(QString(20, QLatin1Char('n'))));
    }

    void fileWithAnEnormousLineIsRefused() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("one.asm"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hlt\r\n; " + QByteArray(100'000, 'x') + "\r\n");
        file.close();
        const QString text = Form().sourceEditor->toPlainText();
        Form().OpenFile(name);
        QCOMPARE(dialogs_->warnings.size(), 1);
        QVERIFY(dialogs_->warnings[0].contains(QStringLiteral("100002")));
        QCOMPARE(Form().sourceEditor->toPlainText(), text);
    }

    // Help > How to use, clicked in the menu bar and then in the menu, opens the chapter on
    // using the program in a window of its own, titled as the item.
    void helpHowToUseOpensItsChapter() {
        QVERIFY(!HowToUseMarkdown().isEmpty());
        AssemblerWindow& form = Form();
        QVERIFY(Activate(form));
        QMenuBar& bar = *form.menuBar();
        QTest::mouseClick(&bar, Qt::LeftButton, {},
                          bar.actionGeometry(form.helpMenu->menuAction()).center());
        QTRY_VERIFY(form.helpMenu->isVisible());
        QAction* item = Action("HowToUse1");
        QTest::mouseClick(form.helpMenu, Qt::LeftButton, {},
                          form.helpMenu->actionGeometry(item).center());
        QTRY_VERIFY(bench_->howToUseWindow && bench_->howToUseWindow->isVisible());
        GuideWindow& window = *bench_->howToUseWindow;
        QCOMPARE(window.windowTitle(), item->text().remove(QLatin1Char('&')));
        const QString text = window.text->toPlainText();
        QVERIFY(text.contains(QStringLiteral("F9")) && text.contains(QStringLiteral("Shift+F8")));
        window.close();
    }

    // Help > Lessons clicked in the menu bar and then in the menu: the lessons window, active.
    LessonsWindow* OpenLessonsFromTheMenu() {
        AssemblerWindow& form = Form();
        if (!Activate(form)) return nullptr;
        QMenuBar& bar = *form.menuBar();
        QTest::mouseClick(&bar, Qt::LeftButton, {},
                          bar.actionGeometry(form.helpMenu->menuAction()).center());
        if (!QTest::qWaitFor([&] { return form.helpMenu->isVisible(); })) return nullptr;
        QAction* item = Action("Lessons1");
        QTest::mouseClick(form.helpMenu, Qt::LeftButton, {},
                          form.helpMenu->actionGeometry(item).center());
        LessonsWindow* lessons = bench_->lessonsWindow.get();
        if (lessons == nullptr || !QTest::qWaitForWindowActive(lessons)) return nullptr;
        return lessons->windowTitle() == item->text().remove(QLatin1Char('&')) ? lessons : nullptr;
    }

    // The editor's text replaced by typed lines, each indented with Tab.
    void TypeProgram(const QStringList& lines) {
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Delete);
        for (const QString& line : lines) {
            Press(Qt::Key_Tab);
            Type(line);
            Press(Qt::Key_Return);
        }
    }

    // Help > Lessons: a student picks lesson 4, opens its program, starts exercise 1, types a
    // solution and checks it, all with clicks and keys; a wrong program fails with a difference.
    void aLessonsExerciseIsStartedTypedAndChecked() {
        AssemblerWindow& form = Form();
        LessonsWindow* opened = OpenLessonsFromTheMenu();
        QVERIFY(opened != nullptr);
        LessonsWindow& lessons = *opened;
        QListWidget& list = *lessons.lessonList;
        QVERIFY(list.count() >= 12);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(3)).center());
        QVERIFY(list.item(3)->text().startsWith(QStringLiteral("4. ")));
        QVERIFY(lessons.text->toPlainText().contains(QStringLiteral("DIV")));

        QTest::mouseClick(lessons.openProgramButton, Qt::LeftButton);
        QVERIFY(form.sourceEditor->toPlainText().contains(QStringLiteral("DIV #5,R2")));
        QCOMPARE(lessons.startButtons.size(), lessons.checkButtons.size());
        QVERIFY(!lessons.startButtons.empty());
        QTest::mouseClick(lessons.startButtons[0], Qt::LeftButton);
        QVERIFY(form.sourceEditor->toPlainText().contains(QStringLiteral("135")));
        // The editor takes the keys at once.
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.sourceEditor);

        TypeProgram({"MOV R1,R2", "DIV #60,R2", "MOV R2,R0", "MUL #60,R0", "MOV R1,R3", "SUB R0,R3",
                     "HLT"});
        QStringList verdicts;
        QString difference;
        dialogs_->onModal = [&](QDialog& dialog) {
            auto& results = static_cast<ExerciseDialog&>(dialog);
            verdicts.clear();
            for (int row = 0; row < results.results->rowCount(); ++row) {
                verdicts << results.results->item(row, 1)->text();
                difference += results.results->item(row, 2)->text();
            }
        };
        QTest::mouseClick(lessons.checkButtons[0], Qt::LeftButton);
        QVERIFY(!verdicts.isEmpty());
        QVERIFY2(!verdicts.contains(QStringLiteral("FAIL")), qPrintable(difference));

        // Forgetting the minutes fails, and says which register is wrong.
        QVERIFY(Activate(form));
        TypeProgram({"MOV R1,R2", "DIV #60,R2", "HLT"});
        QTest::mouseClick(lessons.checkButtons[0], Qt::LeftButton);
        QVERIFY(verdicts.contains(QStringLiteral("FAIL")));
        QVERIFY2(difference.contains(QStringLiteral("R3")), qPrintable(difference));
        lessons.close();
    }

    void f1ShowsTheGuideWithSearchAndLinks() {
        QVERIFY(!GuideMarkdown().isEmpty());
        Press(Qt::Key_F1);
        GuideWindow& guide = *bench_->guideWindow;
        QVERIFY(guide.isVisible());
        QVERIFY(guide.text->toPlainText().contains(QStringLiteral("HLT")));
        guide.search->setText(QStringLiteral("BNE"));
        guide.FindNext();
        QCOMPARE(guide.text->textCursor().selectedText(), QStringLiteral("BNE"));
        // A link to a section moves the view to its heading.
        const QTextBlock last = guide.text->document()->lastBlock();
        QTextBlock heading = last;
        while (heading.isValid() && heading.blockFormat().headingLevel() != 2)
            heading = heading.previous();
        QVERIFY(heading.isValid());
        guide.text->moveCursor(QTextCursor::Start);
        // The contents at the top link to every section; the last link goes to the last one.
        const QString markdown = GuideMarkdown();
        const QRegularExpression link(QStringLiteral("\\]\\((#[^)]+)\\)"));
        QString lastLink;
        for (const auto& match : link.globalMatch(markdown))
            lastLink = match.captured(1);
        QVERIFY(!lastLink.isEmpty());
        guide.FollowLink(QUrl(lastLink));
        QCOMPARE(guide.text->textCursor().block().text(), heading.text());
    }

    void examplesOpenIntoTheEditorAfterAsking() {
        QMenu* examples = Form().findChild<QMenu*>(QStringLiteral("Examples1"));
        QVERIFY(examples != nullptr);
        QStringList names;
        for (QAction* action : examples->actions())
            names << action->text();
        QVERIFY(names.contains(QStringLiteral("hello.asm")) && names.size() >= 3);
        Form().sourceEditor->setFocus();
        Type(QStringLiteral("x"));
        dialogs_->saveChoice = SaveChoice::Cancel;
        examples->actions().at(names.indexOf(QStringLiteral("hello.asm")))->trigger();
        QCOMPARE(dialogs_->saveQuestions.size(), 1);
        QVERIFY(!Form().sourceEditor->toPlainText().contains(QStringLiteral("DS Hello")));
        dialogs_->saveChoice = SaveChoice::Discard;
        examples->actions().at(names.indexOf(QStringLiteral("hello.asm")))->trigger();
        QVERIFY(Form().sourceEditor->toPlainText().contains(QStringLiteral("DS Hello")));
        Press(Qt::Key_F9);
        QCOMPARE(ToQt(bench_->session.display.Lines()[2]), QStringLiteral(" Hello, world!"));
    }

    void unreadableFileGivenAtStartIsReported() {
        const QString text = Form().sourceEditor->toPlainText();
        Form().OpenFile(QStringLiteral("/nonexistent/prog.asm"));
        QCOMPARE(dialogs_->warnings.size(), 1);
        QCOMPARE(Form().sourceEditor->toPlainText(), text);
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::RealInputTest)
#include "gui_input_test.moc"
