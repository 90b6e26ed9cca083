// Debugging in the desktop program, driven as a person drives it: clicks in the editor's margin
// and on RAM rows, the Debug menu's keys pressed in the active window, the speed chosen in the
// processor window, rows selected in the execution log.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include "desktop/assembler_window.h"
#include "desktop/code_editor.h"
#include "desktop/display_window.h"
#include "desktop/exercise_dialog.h"
#include "desktop/log_window.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/ram_window.h"
#include "desktop/run_colors.h"
#include "desktop/workbench.h"
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

// Reads a number, keeps it, reads another and adds them.
const char* const kReadTwice =
    "    CALL #4182H\n"  // 1
    "    MOV R1,R3\n"    // 2
    "    CALL #4182H\n"  // 3
    "    ADD R1,R3\n"    // 4
    "    HLT\n";         // 5

class DebugTest : public ProgramTest {
    Q_OBJECT

    // Types `number` and Enter once the program waits for it and the display window, which the
    // input brings forward, has the keyboard.
    void TypeWhenAsked(const QString& number) {
        WhenLineAwaited(this, bench_->session.display, [this, number] {
            QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
            QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                        QApplication::focusWidget()->window() == bench_->displayWindow.get());
            Type(number);
            Press(Qt::Key_Return);
        });
    }

    CodeEditor& Editor() { return *Form().sourceEditor; }
    ProcessorWindow& Processor() { return *bench_->processorWindow; }
    QString LastScreenLine() { return ToQt(bench_->session.display.CurrentLine()); }
    QStringList Registers() {
        ProcessorWindow& p = Processor();
        return {p.registerFields[0]->text(),
                p.registerFields[1]->text(),
                p.registerFields[2]->text(),
                p.registerFields[3]->text(),
                p.pcField->text(),
                p.spField->text(),
                p.psField->text()};
    }
    QString Screen() { return LinesToQt(bench_->session.display.Lines()); }
    bool Lit(QLineEdit* field) { return field->palette().color(QPalette::Base) == kChangedColor; }
    QColor AddressColor(Value address) {
        return bench_->ramWindow->ramTable->item(static_cast<int>(address / 2), 0)
            ->background()
            .color();
    }

    void ClickMargin(int line) {
        QTextCursor cursor(Editor().document()->findBlockByNumber(line - 1));
        QTest::mouseClick(Editor().Margin(), Qt::LeftButton, {},
                          QPoint(6, Editor().cursorRect(cursor).center().y()));
    }
    void PutCaretOn(int line) {
        Editor().setTextCursor(QTextCursor(Editor().document()->findBlockByNumber(line - 1)));
    }
    // Keys go to the assembler window, active, with the keyboard in the editor.
    void Activate() {
        Form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form()));
        Editor().setFocus();
    }

    // Checks kReadTwice against an exercise whose second case fails, and opens that case from
    // the results: a double-click on its row, or the button, which starts at the first failure.
    void OpenFailingCase(const QString& file, bool byButton) {
        dialogs_->fileName = file;
        dialogs_->onModal = [byButton](QDialog& dialog) {
            auto& results = static_cast<ExerciseDialog&>(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(results.results->item(1, 1)->text(), QStringLiteral("FAIL"));
            if (byButton) {
                QCOMPARE(results.results->currentRow(), 1);
                QTest::mouseClick(results.debugCase, Qt::LeftButton);
                return;
            }
            QTableWidget& table = *results.results;
            const QPoint cell = table.visualItemRect(table.item(1, 0)).center();
            // A double-click: the first click, then the second as the double-click.
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell);
        };
        Action("CheckExercise1")->trigger();
    }

  private slots:
    void initTestCase() { UseTestLanguage(); }
    void init() {
        StartProgram();
        Editor().setPlainText(QString::fromLatin1(kProgram));
        Activate();
    }
    void cleanup() { bench_.reset(); }

    // F9 with a breakpoint: the run pauses before the line, which is highlighted, with the RAM
    // row at PC marked and no end message; the controls are idle again. F6 finishes the run.
    void breakpointPausesARunAndF6FinishesIt() {
        ClickMargin(6);
        Press(Qt::Key_F9);
        QCOMPARE(Editor().RunLine(), 6);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0010"));
        QCOMPARE(AddressColor(0x10), kRunLineColor);
        QVERIFY(Editor().Notice()->isVisible());
        QVERIFY(Editor().Notice()->text().contains(QLatin1String("6")));
        QCOMPARE(LastScreenLine(), QStringLiteral(" AB"));
        QVERIFY(Action("NextCom1")->isEnabled() && !Action("stop1")->isEnabled());
        QVERIFY(Action("Continue1")->isEnabled());

        Press(Qt::Key_F6);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("0005"));
        QCOMPARE(Editor().RunLine(), 9);  // the instruction that ended the run
        QVERIFY(!Editor().Notice()->isVisible());
    }

    // Going back two steps and forward two comes back to the same registers and screen, the
    // screen's text included, without asking anything of the user again.
    void stepBackTwiceThenForwardTwiceReturnsToTheSameState() {
        ClickMargin(7);
        Press(Qt::Key_F9);
        QCOMPARE(Editor().RunLine(), 7);
        const QStringList registers = Registers();
        const QString screen = Screen();
        Press(Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(Editor().RunLine(), 6);
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("0000"));
        Press(Qt::Key_F7, Qt::ShiftModifier);
        QVERIFY(Registers() != registers);
        Press(Qt::Key_F7);
        Press(Qt::Key_F7);
        QCOMPARE(Registers(), registers);
        QCOMPARE(Screen(), screen);
        QCOMPARE(Editor().RunLine(), 7);
        // The step forward into ADD lit what it changed: R1, PC and the flags.
        QVERIFY(Lit(Processor().registerFields[1]) && Lit(Processor().pcField) &&
                !Lit(Processor().registerFields[0]));
    }

    // The log has a row for every step, with what the step changed and what its operation does;
    // selecting a row takes the machine to that step, and F7 goes on from there.
    void logShowsEveryStepAndTravelsInTime() {
        Editor().setPlainText(QStringLiteral("mov #5,r0\nadd #2,r0\nhlt"));
        Action("ExecutionLog1")->trigger();
        LogWindow& log = *bench_->logWindow;
        QVERIFY(log.isVisible());
        Activate();
        Press(Qt::Key_F9);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        const QAbstractItemModel& rows = *log.log->model();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.index(1, 0).data().toString(), QStringLiteral("0002"));
        QVERIFY(rows.index(1, 1).data().toString().contains(QLatin1String("ADD")));
        QVERIFY(rows.index(1, 2).data().toString().contains(QStringLiteral("R0 0005→0007")));
        for (int row = 0; row < 3; ++row)
            QVERIFY(!rows.index(row, 3).data().toString().isEmpty());

        const QRect first = log.log->visualRect(rows.index(0, 1));
        QTest::mouseClick(log.log->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(Processor().registerFields[0]->text(), QStringLiteral("0005"));
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0002"));
        QCOMPARE(Editor().RunLine(), 2);
        Activate();
        Press(Qt::Key_F7);
        QCOMPARE(Processor().registerFields[0]->text(), QStringLiteral("0007"));
        QCOMPARE(log.log->currentIndex().row(), 1);
    }

    // The log tells each step in words with the names the program wrote; F7 into a ROM routine
    // says which one and that Shift+F8 gets back, which it does.
    void logTellsStepsByNameAndTheStripNamesTheRomRoutine() {
        QFile stars(QStringLiteral(Q42_SOURCE_DIR "/examples/stars.asm"));
        QVERIFY(stars.open(QIODevice::ReadOnly));
        Editor().setPlainText(QString::fromUtf8(stars.readAll()));
        Action("ExecutionLog1")->trigger();
        LogWindow& log = *bench_->logWindow;
        Activate();
        Press(Qt::Key_F9, Qt::ControlModifier);  // compile
        Press(Qt::Key_F5);                       // the code into RAM
        Activate();
        for (int step = 0; step < 6; ++step)  // MOV, CALL #STARS, PUSH, PUSH, MOV, CALL #PUTC
            Press(Qt::Key_F7);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("4000"));
        const QAbstractItemModel& rows = *log.log->model();
        QCOMPARE(rows.rowCount(), 6);
        const bool english = EnglishTexts();
        QCOMPARE(rows.index(5, 3).data().toString(),
                 english ? QStringLiteral("CALL #PUTC: push 001C, go to PUTC (4000)")
                         : QStringLiteral("CALL #PUTC: 001C в стек, переход на PUTC (4000)"));
        // The tooltip adds the table's rule for the operation.
        QVERIFY(rows.index(5, 3).data(Qt::ToolTipRole).toString().contains(QLatin1Char('\n')));
        QCOMPARE(Editor().Notice()->text(),
                 english ? QStringLiteral("Inside the ROM routine PUTC: Shift+F8 returns to your "
                                          "program.")
                         : QStringLiteral("Внутри подпрограммы ПЗУ PUTC: Shift+F8 возвращает в "
                                          "вашу программу."));
        QVERIFY(Editor().Notice()->isVisible());
        Press(Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(Editor().RunLine(), 23);  // SUB #1,R1 after CALL #PUTC
        QVERIFY(!Editor().Notice()->isVisible());
    }

    // At 5 steps a second every step shows: the PC field takes each address in turn.
    void slowSpeedShowsEveryStep() {
        Editor().setPlainText(QStringLiteral("mov #1,r0\nmov #2,r0\nmov #3,r0\nhlt"));
        QComboBox& speed = *Processor().speedBox;
        speed.setCurrentIndex(speed.findData(5));
        QStringList shown;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            const QString pc = Processor().pcField->text();
            if (shown.isEmpty() || shown.last() != pc) shown << pc;
        });
        sampler.start(10);
        Press(Qt::Key_F9);
        sampler.stop();
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        for (const char* pc : {"0002", "0004", "0006"})
            QVERIFY2(shown.contains(QString::fromLatin1(pc)), qPrintable(shown.join(' ')));
    }

    // A stop during the wait between two slow steps ends the run at once.
    void stopEndsASlowRunBetweenSteps() {
        Editor().setPlainText(QStringLiteral("l: br l\nhlt"));
        QComboBox& speed = *Processor().speedBox;
        speed.setCurrentIndex(speed.findData(1));
        QTimer::singleShot(100, this, [this] { Processor().stopButton->click(); });
        Press(Qt::Key_F9);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Interrupted));
        QVERIFY(bench_->session.debugger.LastStep() <= 2);
    }

    // A breakpoint set from a RAM row's context menu pauses the run there.
    void ramRowBreakpointFromTheContextMenu() {
        Action("CompAndPreproc1")->trigger();
        Action("CopyCode1")->trigger();
        QTableWidget& ram = *bench_->ramWindow->ramTable;
        QTimer::singleShot(50, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            menu->findChild<QAction*>(QStringLiteral("RamBreakpoint"))->trigger();
            menu->close();
        });
        const QPoint row = ram.visualItemRect(ram.item(0x10 / 2, 1)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, row, ram.viewport()->mapToGlobal(row));
        QApplication::sendEvent(ram.viewport(), &click);
        QVERIFY(bench_->RamBreakpoint(0x10));
        QCOMPARE(bench_->ramWindow->ramTable->item(8, 0)->foreground().color(), kBreakpointColor);
        Activate();
        Press(Qt::Key_F9, Qt::ShiftModifier);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0010"));
        QCOMPARE(Editor().RunLine(), 6);
        Action("ClearBreakpoints1")->trigger();
        QVERIFY(!bench_->RamBreakpoint(0x10));
    }

    // F4 runs to the caret's line; F8 steps over a call, Shift+F8 out of one.
    void runToCursorStepOverAndStepOut() {
        Press(Qt::Key_F9, Qt::ControlModifier);  // compile
        Press(Qt::Key_F5);                       // the code into RAM
        Activate();
        PutCaretOn(5);
        Press(Qt::Key_F4);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("000C"));
        QCOMPARE(Editor().RunLine(), 5);
        Press(Qt::Key_F8);
        QCOMPARE(Editor().RunLine(), 6);
        QCOMPARE(LastScreenLine(), QStringLiteral(" AB"));
        Press(Qt::Key_F8);
        Press(Qt::Key_F8);
        QCOMPARE(Editor().RunLine(), 8);
        Press(Qt::Key_F7);  // into PUTC, in ROM: no line of this text
        QCOMPARE(Editor().RunLine(), 0);
        Press(Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(Editor().RunLine(), 9);
        QCOMPARE(LastScreenLine(), QStringLiteral(" ABC"));
    }

    // Code in RAM that is not the compiled text's: the line is not shown, and the window says
    // why.
    void codeOtherThanTheCompiledIsNotHighlighted() {
        Press(Qt::Key_F9, Qt::ControlModifier);  // compiled, but RAM holds no code
        Activate();
        PutCaretOn(5);
        Press(Qt::Key_F4);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("000C"));
        QCOMPARE(Editor().RunLine(), 0);
        QVERIFY(Editor().Notice()->text().contains(QLatin1String("000C")));
    }

    // An edit after compiling: no line is highlighted, and the window says why.
    void editedSourceIsNotHighlighted() {
        ClickMargin(6);
        Press(Qt::Key_F9);
        QCOMPARE(Editor().RunLine(), 6);
        PutCaretOn(1);
        Type(QStringLiteral("; "));
        Press(Qt::Key_F7);
        QCOMPARE(Editor().RunLine(), 0);
        QVERIFY(Editor().Notice()->isVisible());
        QVERIFY(!Editor().Notice()->text().contains(QLatin1String("6")));
    }

    // With no breakpoint and no new command, a run ends as it always has, and single steps
    // write no end message when they reach HLT.
    void withoutBreakpointsARunAndStepsBehaveAsBefore() {
        Press(Qt::Key_F9);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        Action("FirrstCom1")->trigger();
        for (int step = 0; step < 100 && Processor().pcField->text() != QStringLiteral("001A");
             ++step)
            Press(Qt::Key_F7);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("001A"));
        QCOMPARE(Editor().RunLine(), 9);
        const QString screen = Screen();
        Press(Qt::Key_F7);  // HLT
        QCOMPARE(Screen(), screen);
    }

    // F7 after the program has ended: the first says how to start again, in the words of the
    // Debug menu, and does not step; the next steps on into whatever follows.
    void stepAfterTheEndSaysSoOnceThenSteps() {
        Press(Qt::Key_F9);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        const QStringList registers = Registers();
        const QString screen = Screen();
        Press(Qt::Key_F7);
        QCOMPARE(Registers(), registers);
        QCOMPARE(Screen(), screen);
        QLabel& notice = *Editor().Notice();
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.text(),
                 Pick("Программа завершена: F9 запускает её снова, Отладка › Вып. первую "
                      "команду — шаг с начала.",
                      "The program has ended: F9 runs it again, Debug › Do first command steps "
                      "from the start."));
        QVERIFY(notice.text().contains(Form().debugMenu->title().remove(QLatin1Char('&')) +
                                       QStringLiteral(" › ") +
                                       Action("FirrstCom1")->text().remove(QLatin1Char('&'))));
        Press(Qt::Key_F7);
        QCOMPARE(Processor().pcField->text(), QStringLiteral("001E"));  // the word after HLT ran
        QVERIFY(!notice.isVisible() || !notice.text().contains(QLatin1String("F9")));
        // Debug › Do first command steps from the start, as the notice says.
        Action("FirrstCom1")->trigger();
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0004"));
        QCOMPARE(Editor().RunLine(), 3);
    }

    // The log opens clear of the other windows' title bars and the assembler window's menu; its
    // columns fit their texts, and the instruction column takes the width left over; the current
    // step is in view.
    void logOpensClearOfTheMenusWithFittedColumns() {
        Press(Qt::Key_F9);
        QMenuBar* bar = Form().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(Form().viewMenu->menuAction()).center());
        QTRY_VERIFY(Form().viewMenu->isVisible());
        QTest::mouseClick(Form().viewMenu, Qt::LeftButton, {},
                          Form().viewMenu->actionGeometry(Action("ExecutionLog1")).center());
        LogWindow& log = *bench_->logWindow;
        QVERIFY(QTest::qWaitForWindowExposed(&log));
        const QRect place = log.frameGeometry();
        QVERIFY(!place.intersects(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())));
        for (QWidget* window :
             {static_cast<QWidget*>(&Form()), static_cast<QWidget*>(bench_->ramWindow.get()),
              static_cast<QWidget*>(bench_->displayWindow.get()),
              static_cast<QWidget*>(&Processor())}) {
            const QRect frame = window->frameGeometry();
            const QRect title(frame.left(), frame.top(), frame.width(),
                              window->geometry().top() - frame.top());
            QVERIFY2(!place.intersects(title), qPrintable(window->objectName()));
        }
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(place));

        QTableView& view = *log.log;
        const auto& measure = static_cast<const QAbstractItemView&>(view);
        QTRY_VERIFY(view.viewport()->rect().contains(view.visualRect(view.currentIndex())));
        QCOMPARE(view.currentIndex().row(), view.model()->rowCount() - 1);
        // Wider than its texts: the instruction column takes what is left over.
        log.resize(std::max(log.width() + 600, 1400), log.height());
        int total = 0;
        for (int column = 0; column < view.model()->columnCount(); ++column) {
            const int hint = std::max(measure.sizeHintForColumn(column),
                                      view.horizontalHeader()->sectionSizeHint(column));
            QVERIFY2(view.columnWidth(column) >= hint, qPrintable(QString::number(column)));
            total += view.columnWidth(column);
        }
        QCOMPARE(total, view.viewport()->width());
        const int statement = 1;
        QVERIFY(view.columnWidth(statement) > measure.sizeHintForColumn(statement) + 300);
    }

    // The log shows its current row, the last, whole when it opens and when it is then made a
    // little lower: a row the horizontal scroll bar or the new size cuts is scrolled into view.
    void logKeepsItsCurrentRowWhole() {
        Press(Qt::Key_F9);
        Action("ExecutionLog1")->trigger();
        LogWindow& log = *bench_->logWindow;
        QVERIFY(QTest::qWaitForWindowExposed(&log));
        QTableView& view = *log.log;
        const auto whole = [&view] {
            return view.viewport()->rect().contains(view.visualRect(view.currentIndex()));
        };
        QTRY_VERIFY(whole());
        const int row = view.verticalHeader()->defaultSectionSize();
        for (int lower = 1; lower < row; lower += 2) {
            log.resize(log.width(), log.height() - 2);
            QTRY_VERIFY2(whole(), qPrintable(QString::number(lower)));
        }
    }

    // A breakpoint, F8 and F4 aimed at the line after CALL #4182H pause once the number is read
    // and before that line runs; the log shows the input and the instruction as two rows.
    void commandsAimedAfterAnInputPauseBeforeTheLineAfterIt() {
        Editor().setPlainText(QString::fromLatin1(kReadTwice));
        Action("ExecutionLog1")->trigger();
        Activate();
        ClickMargin(2);
        TypeWhenAsked(QStringLiteral("12"));
        Press(Qt::Key_F9);
        QCOMPARE(Editor().RunLine(), 2);
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("000C"));
        QCOMPARE(Processor().registerFields[3]->text(),
                 QStringLiteral("0000"));  // the MOV has not run
        const QAbstractItemModel& rows = *bench_->logWindow->log->model();
        QCOMPARE(rows.rowCount(), 2);  // the CALL, then the input
        QVERIFY(rows.index(1, 2).data().toString().contains(QStringLiteral("R1 0000→000C")));
        Activate();
        Press(Qt::Key_F7);  // the MOV
        QCOMPARE(Editor().RunLine(), 3);
        QCOMPARE(rows.rowCount(), 3);
        QVERIFY(rows.index(2, 1).data().toString().contains(QLatin1String("MOV")));

        Activate();
        TypeWhenAsked(QStringLiteral("30"));
        Press(Qt::Key_F8);
        QCOMPARE(Editor().RunLine(), 4);
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("001E"));
        QCOMPARE(Processor().registerFields[3]->text(),
                 QStringLiteral("000C"));  // the ADD has not run
        Activate();
        Press(Qt::Key_F6);
        QCOMPARE(Processor().registerFields[3]->text(), QStringLiteral("002A"));
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));

        // F4 on the line after the first call, as a new run.
        Activate();
        ClickMargin(2);  // the breakpoint off: only the cursor stops the run
        PutCaretOn(2);
        TypeWhenAsked(QStringLiteral("7"));
        Press(Qt::Key_F4);
        QCOMPARE(Editor().RunLine(), 2);
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("0007"));
    }

    // A hidden case is the teacher's: a student cannot open it, by a double-click or the button.
    void aHiddenCaseIsNotOpened() {
        QFile wrong(QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/keys-wrong.asm"));
        QVERIFY(wrong.open(QIODevice::ReadOnly));
        Editor().setPlainText(QString::fromUtf8(wrong.readAll()));
        dialogs_->fileName = QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/keys.q42test");
        bool buttonEnabled = true;
        dialogs_->onModal = [&buttonEnabled](QDialog& dialog) {
            auto& results = static_cast<ExerciseDialog&>(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTableWidget& table = *results.results;
            QCOMPARE(table.item(2, 1)->text(), QStringLiteral("FAIL"));  // the hidden case
            const QPoint cell = table.visualItemRect(table.item(2, 0)).center();
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell);
            buttonEnabled = results.debugCase->isEnabled();
            QVERIFY(!results.chosenCase);
        };
        Action("CheckExercise1")->trigger();
        QVERIFY(!buttonEnabled);
        QVERIFY(!bench_->session.debugger.Started());
    }

    // A failing case of Run > Check exercise opened in the debugger: its registers, RAM and
    // input lines loaded, paused at step 0 with a notice naming it; F9 then runs the case's run
    // to the result the check found, and once it has ended nothing of the case is left for the
    // next run.
    void aFailingCaseOpensInTheDebugger() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sum.q42test"));
        QFile exercise(file);
        QVERIFY(exercise.open(QIODevice::WriteOnly));
        exercise.write(
            "[[case]]\nname = \"small\"\ninput = [\"1\", \"2\"]\n"
            "[case.expect]\nregisters = { R3 = 3 }\n"
            "[[case]]\nname = \"with a start\"\ninput = [\"5\", \"6\"]\n"
            "registers = { R2 = 10 }\nmemory = { \"0040\" = \"1234\" }\n"
            "[case.expect]\nregisters = { R3 = 12 }\n");
        exercise.close();
        Editor().setPlainText(QString::fromLatin1(kReadTwice));
        for (const bool byButton : {false, true}) {
            OpenFailingCase(file, byButton);
            QCOMPARE(bench_->session.debugger.Step(), 0);
            QCOMPARE(Registers(),
                     (QStringList{"0000", "0000", "000A", "0000", "0000", "0100", "0000"}));
            QCOMPARE(bench_->session.machine.State().ram[0x40 / 2], 0x1234);
            QVERIFY(Editor().Notice()->isVisible());
            QCOMPARE(
                Editor().Notice()->text(),
                Pick("Вариант «with a start» упражнения: пауза в начале; F7 — шаг, F9 — запуск.",
                     "Case «with a start» of the exercise: paused at the start; F7 steps, F9 "
                     "runs."));
            QCOMPARE(Editor().RunLine(), 1);
            QVERIFY(QTest::qWaitForWindowActive(&Form()));
            if (!byButton) {
                Press(Qt::Key_F8);  // the first line input takes the case's first line
                QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("0005"));
                QVERIFY(!Editor().Notice()->isVisible());
            }
            Press(Qt::Key_F9);
            QVERIFY(bench_->session.debugger.Ended());
            QCOMPARE(Registers().mid(0, 4), (QStringList{"0000", "0006", "000A", "000B"}));
            QCOMPARE(bench_->session.machine.State().ram[0x40 / 2], 0x1234);
            QVERIFY(bench_->session.typed.Empty());
        }
        // Once the case's run has ended, F9 runs the program as always: from a reset, asking
        // for its input.
        WhenLineAwaited(this, bench_->session.display, [this] {
            QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
            TypeWhenAsked(QStringLiteral("4"));  // the second number, once it is asked for
            Type(QStringLiteral("4"));
            Press(Qt::Key_Return);
        });
        Activate();
        Press(Qt::Key_F9);
        QCOMPARE(Registers().mid(0, 4), (QStringList{"0000", "0004", "000A", "0008"}));
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::DebugTest)
#include "gui_debug_test.moc"
