// The desktop program's windows, headless: start-up state, building and running, stopping, the
// status lines, register edits, line input, the decoding dialog, code files and the captions.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <optional>
#include <utility>

#include "desktop/asm_highlighter.h"
#include "desktop/assembler_window.h"
#include "desktop/captions.h"
#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/exercise_dialog.h"
#include "desktop/intermediate_text_window.h"
#include "desktop/operation_tips.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/ram_window.h"
#include "desktop/workbench.h"
#include "machine/rom_image.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/scripted_dialogs.h"

namespace q42::test {

class GuiTest : public ProgramTest {
    Q_OBJECT

    ProcessorWindow& Processor() { return *bench_->processorWindow; }
    QString LastScreenLine() { return ToQt(bench_->session.display.CurrentLine()); }
    QStringList Screen() {
        QStringList lines;
        for (const auto& line : bench_->session.display.Lines())
            lines << ToQt(line);
        return lines;
    }
    // What a caption's component shows, or nothing when the window has no such component.
    std::optional<QString> ShownCaption(QWidget& window, const Caption& caption) {
        const QString object = QString::fromLatin1(caption.object);
        switch (caption.target) {
            case CaptionTarget::Title: return window.windowTitle();
            case CaptionTarget::Menu:
                if (auto* menu = window.findChild<QMenu*>(object)) return menu->title();
                break;
            case CaptionTarget::Item:
                if (auto* item = window.findChild<QAction*>(object)) return item->text();
                break;
            case CaptionTarget::Header: {
                const QStringList grid = object.split(QLatin1Char(':'));
                auto* table = window.findChild<QTableWidget*>(grid.value(0));
                const auto* header =
                    table != nullptr ? table->horizontalHeaderItem(grid.value(1).toInt()) : nullptr;
                if (header != nullptr) return header->text();
                break;
            }
            case CaptionTarget::Text:
                if (auto* label = window.findChild<QLabel*>(object)) return label->text();
                if (auto* button = window.findChild<QAbstractButton*>(object))
                    return button->text();
                break;
            case CaptionTarget::Hint:
                if (auto* widget = window.findChild<QWidget*>(object)) return widget->toolTip();
                break;
            case CaptionTarget::Name:
                if (auto* widget = window.findChild<QWidget*>(object))
                    return widget->accessibleName();
                break;
            case CaptionTarget::Description:
                if (auto* widget = window.findChild<QWidget*>(object))
                    return widget->accessibleDescription();
                break;
            case CaptionTarget::Question: {
                const std::pair<const char*, const QString*> questions[] = {
                    {"ExitQuestion", &Form().exitQuestion},
                    {"ClearQuestion", &Form().clearQuestion},
                    {"SaveQuestion", &Form().saveQuestion}};
                for (const auto& [name, question] : questions) {
                    if (object == QLatin1String(name) && &window == &Form()) return *question;
                }
                break;
            }
        }
        return std::nullopt;
    }
    void SetSource(const QString& text) { Form().sourceEditor->setPlainText(text); }
    void WhenLineAwaited(std::function<void()> action) {
        test::WhenLineAwaited(this, bench_->session.display, std::move(action));
    }
    void TypeLine(const QString& text) {
        QLineEdit* input = bench_->displayWindow->inputLine;
        QVERIFY(input->isVisible());
        QTest::keyClicks(input, text);
        QTest::keyClick(input, Qt::Key_Return);
    }

  private slots:
    void initTestCase() { UseTestLanguage(); }
    void init() { StartProgram(); }
    void cleanup() { bench_.reset(); }

    // The colours of the assembler text: one letter a character, as the highlighter sorts it:
    // operation, register or port, number, label or constant name, string, comment, plain.
    void highlighterSortsEachPartOfALine() {
        const struct {
            const char* line;
            const char* kinds;
        } cases[] = {
            {"ROW:    CALL #STARS ; c", "LLLL    OOOO ...... C C"},
            {"PUTC = 4000H", "LLLL L NNNNN"},
            {"  mov #'*',r0", "  OOO SSSS.RR"},
            {"MSG: DS Hi; x", "LLLL OO SSC C"},
            {"  in p.1,(r2)%", "  OO RRR..RR.."},
            {"  add #-5,r1", "  OOO NNN.RR"},
        };
        const char letters[] = ".ORNLSC";
        for (const auto& c : cases) {
            QString kinds;
            const QString line = QString::fromLatin1(c.line);
            const auto sorted = AsmHighlighter::Classify(line);
            for (qsizetype i = 0; i < line.size(); ++i) {
                const int kind = static_cast<int>(sorted[static_cast<std::size_t>(i)]);
                kinds += line[i] == u' ' ? QChar(u' ') : QChar::fromLatin1(letters[kind]);
            }
            QCOMPARE(kinds, QString::fromLatin1(c.kinds));
        }
    }

    void startUpState() {
        QCOMPARE(Form().sourceEditor->toPlainText(), QStringLiteral(";asmText\n\nhlt"));
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QString());
        QCOMPARE(Form().statusLine->text(), QString());
        QCOMPARE(Form().errorLine->text(), QString());
        QCOMPARE(Form().labelTable->rowCount(), 19);
        QCOMPARE(Form().labelTable->item(0, 0)->text(), QString());
        for (QLineEdit* edit : Processor().registerFields)
            QCOMPARE(edit->text(), QStringLiteral("0000"));
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0000"));
        QCOMPARE(Processor().spField->text(), QStringLiteral("0100"));
        QCOMPARE(Processor().zFlagField->text(), QStringLiteral("1"));
        QCOMPARE(Processor().nFlagField->text(), QStringLiteral("0"));
        QCOMPARE(Processor().psField->text(), QStringLiteral("0002"));
        QVERIFY(!Action("stop1")->isEnabled());
        QVERIFY(!Processor().stopButton->isEnabled());
        QVERIFY(Action("Q421")->isChecked());
        QVERIFY(!Action("CompText1")->isChecked());
        QVERIFY(bench_->ramWindow->isVisible() && bench_->displayWindow->isVisible() &&
                Processor().isVisible());
        QVERIFY(!bench_->intermediateWindow->isVisible());
        QCOMPARE(bench_->intermediateWindow->textEditor->toPlainText(), QStringLiteral("compText"));
    }

    void captionsFollowTheBuildLanguage() {
        QCOMPARE(Form().windowTitle(), Pick(" Ассемблер Q42", " Q42 Assembler"));
        QCOMPARE(Processor().windowTitle(), Pick(" Q42: процессор", " Q42: processor"));
        QCOMPARE(bench_->displayWindow->windowTitle(),
                 Pick(" Q42: экран дисплея", " Q42: display screen"));
        QCOMPARE(bench_->ramWindow->windowTitle(), Pick(" Q42: ОЗУ", " Q42: RAM"));
        QCOMPARE(bench_->intermediateWindow->windowTitle(),
                 Pick(" Текст для компиляции", " Text for compilation"));
        QCOMPARE(Form().debugMenu->title(), Pick("Отладка", "Debug"));
        QCOMPARE(Action("DecodeCurrent1")->text(),
                 Pick("Декодировать c текущего PC", "Decode from current PC"));
        QCOMPARE(Action("CompAndRun1")->text(),
                 Pick("1-4: компил. ASM и запуск", "1-4: compile ASM and run"));
        QCOMPARE(Action("stop1")->text(), Pick("Прервать программу", "Break program"));
        QCOMPARE(Action("Q421")->text(), QStringLiteral("Q42"));
        QCOMPARE(Form().labelTable->horizontalHeaderItem(0)->text(), Pick("Метка", "Label"));
        QCOMPARE(Form().labelTable->horizontalHeaderItem(2)->text(), Pick("Адр.", "Addr."));
        QCOMPARE(Processor().stopButton->toolTip(),
                 Pick("Прервать программу", "Interrupt program"));
        QCOMPARE(bench_->ramWindow->ramTable->toolTip(),
                 Pick("Двойной щелчок для декодирования", "DblClick value to decode"));
        QCOMPARE(Form().exitQuestion, Pick("Действительно хотите выйти?", "Really want to exit?"));
        QCOMPARE(Form().clearQuestion, Pick("Действительно хотите очистить\nASM-текст?",
                                            "Really want to clear\nASM-text?"));
        QCOMPARE(bench_->decodingDialog->windowTitle(),
                 Pick(" Декодирование  команды", " Instruction decoding"));
        QCOMPARE(bench_->ramWindow->ramTable->horizontalHeaderItem(0)->text(),
                 Pick("адрес", "address"));
    }

    // Every caption of the table is written into its component, in the program's language: a
    // caption whose window or component is missing or misspelled, or that its component never
    // received, fails here.
    void everyCaptionReachesItsComponent() {
        for (const char* window : {"Lessons1", "Guide1", "HowToUse1"})
            Action(window)->trigger();  // the windows made when first asked for
        for (const Caption& caption : Captions()) {
            const QString where = QStringLiteral("%1/%2").arg(QLatin1String(caption.window),
                                                              QLatin1String(caption.object));
            QWidget* window = nullptr;
            for (QWidget* topLevel : QApplication::topLevelWidgets()) {
                if (topLevel->objectName() == QLatin1String(caption.window)) window = topLevel;
            }
            QVERIFY2(window != nullptr, qPrintable(where + QStringLiteral(": no such window")));
            const std::optional<QString> shown = ShownCaption(*window, caption);
            QVERIFY2(shown.has_value(), qPrintable(where + QStringLiteral(": no such component")));
            QVERIFY2(*shown == CaptionText(caption),
                     qPrintable(where + QStringLiteral(": ") + *shown));
        }
    }

    void compileAndRunTheWorkedExample() {
        SetSource(
            QString::fromUtf8("; count down\nN=3\nSTART: MOV #N,R0\nLOOP: SUB #1,R0\n  BNE LOOP\n"
                              "  OUT #'A',P.1\n  HLT\nMSG: DS Hi"));
        Action("CompAndRun1")->trigger();
        QCOMPARE(Form().codeWordsEditor->toPlainText(),
                 QStringLiteral("01D0\n0003\n2310\n4DFC\n0BD1\n0041\nAF18\n6948"));
        QCOMPARE(Form().labelTable->item(0, 0)->text(), QStringLiteral("N"));
        QCOMPARE(bench_->ramWindow->ramTable->item(3, 1)->text(), QStringLiteral("4DFC"));
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        QCOMPARE(bench_->displayWindow->screenText->toPlainText().split('\n').last(),
                 ScreenText(RunText::Finished));
        QCOMPARE(Processor().pcField->text(), QStringLiteral("000E"));
        QCOMPARE(Processor().zFlagField->text(), QStringLiteral("1"));
    }

    // A register field and a RAM cell show their word in every reading as the tooltip.
    void registerAndRamTooltipsReadTheWordEveryWay() {
        SetSource(QStringLiteral("mov #-191,r0\nmov r0,x\nhlt\nx: dw 0"));
        Action("CompAndRun1")->trigger();
        const QString expected = Pick(
            "шестнадцатеричное FF41\nбез знака 65345\nсо знаком -191\n"
            "двоичное 1111 1111 0100 0001\nбайты как символы: младший 'A', старший 'я'",
            "hex FF41\nunsigned 65345\nsigned -191\nbinary 1111 1111 0100 0001\n"
            "bytes as characters: low 'A', high 'я'");
        QCOMPARE(Processor().registerFields[0]->toolTip(), expected);
        QCOMPARE(bench_->ramWindow->ramTable->item(5, 1)->toolTip(), expected);
    }

    void stopEndsAnEndlessLoopAndRunStateIsRestored() {
        SetSource(QStringLiteral("l: br l\nhlt"));
        bool checkedWhileRunning = false;
        QTimer::singleShot(30, this, [&] {
            checkedWhileRunning =
                Action("stop1")->isEnabled() && Processor().stopButton->isEnabled() &&
                !Processor().nextCommandButton->isEnabled() &&
                !Form().fileMenu->menuAction()->isEnabled() && !Action("NextCom1")->isEnabled() &&
                !Action("CompAndRun1")->isEnabled() && Form().runMenu->menuAction()->isEnabled() &&
                Form().compileButton->isEnabled();
            Action("stop1")->trigger();
        });
        Action("CompAndRun1")->trigger();
        QVERIFY(checkedWhileRunning);
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Interrupted));
        QVERIFY(!Action("stop1")->isEnabled());
        QVERIFY(Action("NextCom1")->isEnabled() && Form().fileMenu->menuAction()->isEnabled());
        QVERIFY(Processor().nextCommandButton->isEnabled() && !Processor().stopButton->isEnabled());
    }

    void preprocessingErrorSelectsItsSourceLine() {
        SetSource(QStringLiteral("nop\n1abc: nop\nhlt"));
        Action("CompAndPreproc1")->trigger();
        QVERIFY(Form().statusLine->text().startsWith(QStringLiteral("2")));
        QVERIFY(!Form().errorLine->text().isEmpty());
        QCOMPARE(Form().sourceEditor->textCursor().selectedText(), QStringLiteral("1abc: nop"));
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QString());
    }

    void codeLoadingErrorSelectsItsCodeLine() {
        Form().codeWordsEditor->setPlainText(QStringLiteral("0001\n; note\n12345\n"));
        Action("CopyCode1")->trigger();
        QCOMPARE(Form().statusLine->text(), QStringLiteral("12345"));
        QCOMPARE(Form().errorLine->text(),
                 Pick("некорректная длина кода", "incorrect code length"));
        QCOMPARE(Form().codeWordsEditor->textCursor().selectedText(), QStringLiteral("12345"));
        QCOMPARE(bench_->ramWindow->ramTable->item(0, 1)->text(), QStringLiteral("0001"));
    }

    void registerEditsWarnAboutBadValues() {
        Processor().registerFields[0]->setText(QStringLiteral("12"));
        Processor().registerFields[1]->setText(QStringLiteral("xy"));
        Processor().registerFields[2]->setText(QStringLiteral("abc"));
        Processor().registerFields[3]->setText(QStringLiteral("12345"));
        Processor().spField->setText(QStringLiteral("80"));
        Action("CopyRegs1")->trigger();
        QCOMPARE(Processor().registerFields[0]->text(), QStringLiteral("0012"));
        QCOMPARE(bench_->session.machine.State().r[0], 0x12);
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("00xy"));
        QCOMPARE(bench_->session.machine.State().r[1], 0);
        QCOMPARE(bench_->session.machine.State().r[2], 0xABC);
        QCOMPARE(bench_->session.machine.State().sp, 0x80);
        QCOMPARE(dialogs_->warnings,
                 QStringList({QStringLiteral("Bad value for R1: 00xy\nIgnore!"),
                              QStringLiteral("Bad value for R3: 12345\nIgnore!")}));
    }

    void typedRegisterValueStaysUntilTheMachineWritesIt() {
        Form().codeWordsEditor->setPlainText(QStringLiteral("2151\nAF18"));  // MOV #5,R1; HLT
        Processor().registerFields[0]->setText(QStringLiteral("7777"));
        Processor().registerFields[1]->setText(QStringLiteral("7777"));
        Action("CopyAndRun1")->trigger();
        QCOMPARE(Processor().registerFields[0]->text(), QStringLiteral("7777"));
        QCOMPARE(Processor().registerFields[1]->text(), QStringLiteral("0005"));
        QCOMPARE(Processor().spField->text(), QStringLiteral("0100"));
    }

    void readIntegerThroughTheInputLine() {
        SetSource(QStringLiteral("call #4182h\nmov r1,r0\nhlt"));
        bench_->displayWindow->hide();
        WhenLineAwaited([this] {
            QVERIFY(bench_->displayWindow->isVisible());  // input shows the display window
            TypeLine(QStringLiteral("12x"));
            WhenLineAwaited([this] { TypeLine(QStringLiteral("-5")); });
        });
        Action("CompAndRun1")->trigger();
        QCOMPARE(bench_->session.machine.State().r[0], 0xFFFB);
        QVERIFY(Screen().contains(ScreenText(RunText::RepeatInput)));
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Finished));
        QVERIFY(!bench_->displayWindow->inputLine->isVisible());
    }

    void keysReachAWaitingProgram() {
        Form().codeWordsEditor->setPlainText(
            QStringLiteral("0BD0\n0080\n0A10\nAF18"));  // OUT #80,0; IN 1,R0; HLT
        QTimer::singleShot(
            20, this, [this] { QTest::keyClick(bench_->displayWindow->screenText, Qt::Key_Q); });
        Action("CopyAndRun1")->trigger();
        QCOMPARE(bench_->session.machine.State().r[0], 'q');
    }

    void closingWhileWaitingEndsTheRun() {
        SetSource(QStringLiteral("call #4182h\nhlt"));
        WhenLineAwaited([this] { Form().close(); });
        Action("CompAndRun1")->trigger();
        QVERIFY(bench_->closing);
        QVERIFY(!bench_->session.run.Running());
        QCOMPARE(LastScreenLine(), ScreenText(RunText::Interrupted));
    }

    void decodingDialogWalksAndJumps() {
        Form().codeWordsEditor->setPlainText(QStringLiteral("1C0D\n0008\n0000\n0000\nAF18"));
        Action("CopyCode1")->trigger();
        QStringList seen;
        dialogs_->onModal = [&](QDialog& dialog) {
            auto& d = static_cast<DecodingDialog&>(dialog);
            seen << d.operationField->text() << d.operand1Field->text()
                 << d.targetMemoryLabel->text();
            QVERIFY(d.jumpButton->isEnabled() && d.targetArrow->isVisible());
            QTest::mouseClick(d.jumpButton, Qt::LeftButton);
            seen << d.addressField->text() << d.operationField->text();
            QTest::mouseClick(d.nextButton, Qt::LeftButton);
            seen << d.addressField->text();
        };
        Action("Decode1")->trigger();
        QCOMPARE(seen,
                 QStringList({Pick("JMP (безусловный переход)", "JMP (unconditional jump)"),
                              QStringLiteral("0008"), Pick("ОЗУ", "RAM"), QStringLiteral("0008"),
                              Pick("HLT (останов)", "HLT (halt)"), QStringLiteral("000A")}));
    }

    // The current-command decoding starts at the PC the processor window shows, the processor
    // window's decode button at 0000.
    void decodingStartsAtThePcOrAtZero() {
        Form().codeWordsEditor->setPlainText(QStringLiteral("1C0D\n0008\n0000\n0000\nAF18"));
        Action("CopyCode1")->trigger();
        Action("FirrstCom1")->trigger();  // the jump
        QCOMPARE(Processor().pcField->text(), QStringLiteral("0008"));
        QStringList starts;
        dialogs_->onModal = [&](QDialog& dialog) {
            starts << static_cast<DecodingDialog&>(dialog).addressField->text();
        };
        Action("DecodeCurrent1")->trigger();
        QTest::mouseClick(Processor().decodeButton, Qt::LeftButton);
        QCOMPARE(starts, QStringList({QStringLiteral("0008"), QStringLiteral("0000")}));
    }

    // Preprocessing shows the intermediate text in its window; compiling alone works on that
    // text as the user left it there.
    void compileTakesTheIntermediateWindowsText() {
        QPlainTextEdit& intermediate = *bench_->intermediateWindow->textEditor;
        SetSource(QStringLiteral("mov #1,r0\nhlt"));
        Action("CompAndPreproc1")->trigger();
        const QString expected = Form().codeWordsEditor->toPlainText();
        Action("Preprocess1")->trigger();
        const QString edited = intermediate.toPlainText();
        QVERIFY(bench_->intermediateWindow->isVisible() && Action("CompText1")->isChecked());
        QVERIFY(Form().codeWordsEditor->toPlainText().isEmpty());
        SetSource(QStringLiteral("hlt"));
        Action("Preprocess1")->trigger();
        QVERIFY(intermediate.toPlainText() != edited);
        intermediate.setPlainText(edited);  // the user's edit
        Action("Compile1")->trigger();
        QCOMPARE(Form().codeWordsEditor->toPlainText(), expected);
    }

    void codeFileSaveAndReopen() {
        QTemporaryDir dir;
        dialogs_->fileName = dir.filePath(QStringLiteral("prog.cod"));
        Form().codeWordsEditor->setPlainText(QStringLiteral("2150\nAF18"));
        Action("SaveCod1")->trigger();
        QFile file(dialogs_->fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("2150\r\nAF18\r\n.\r\n"));
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2150\nAF18"));
        Form().codeWordsEditor->clear();
        Action("OpenCod1")->trigger();
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2150\nAF18"));
    }

    void failedFileOperationsKeepTheText() {
        dialogs_->fileName = QStringLiteral("/nonexistent/dir/prog.cod");
        Form().codeWordsEditor->setPlainText(QStringLiteral("2150"));
        Action("SaveCod1")->trigger();
        QCOMPARE(dialogs_->warnings.size(), 1);
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2150"));
        Action("OpenCod1")->trigger();
        QCOMPARE(dialogs_->warnings.size(), 2);
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("2150"));
    }

    void savingCharactersOutsideTheCodePageAsks() {
        QTemporaryDir dir;
        dialogs_->fileName = dir.filePath(QStringLiteral("prog.asm"));
        dialogs_->answer = false;
        SetSource(QString::fromUtf8("; 漢字\nhlt"));
        Action("SaveAsm1")->trigger();
        QCOMPARE(dialogs_->questions.size(), 1);
        QVERIFY(!QFile::exists(dialogs_->fileName));
        SetSource(QString::fromUtf8("; привет\nhlt"));
        Action("SaveAsm1")->trigger();
        QFile file(dialogs_->fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("; \xEF\xF0\xE8\xE2\xE5\xF2\r\nhlt\r\n"));
    }

    void enormousTextsAreShownCut() {
        SetSource(QStringLiteral("nop\n1abc: nop ; ") + QString(100000, u'x') +
                  QStringLiteral("\nhlt"));
        Action("CompAndPreproc1")->trigger();
        QVERIFY(Form().statusLine->text().size() < 300);
        QVERIFY(Form().statusLine->text().startsWith(QStringLiteral("2")));
        bench_->session.display.WriteText(std::string(10000, 'A'));
        bench_->RefreshViews();
        QVERIFY(bench_->session.display.CurrentLine().size() > 10000);
        QVERIFY(bench_->displayWindow->screenText->toPlainText().size() < 5000);
    }

    // The tip names the operation under the mouse in any letter case, and nothing else: not a
    // label, an operand, a longer name or a word in a comment.
    void operationTipsOnlyOverOperationNames() {
        struct Case {
            const char* line;
            int column;
            const char* russian;  // how the tip writes the operation; "" when there is no tip
            const char* english;
        };
        const Case cases[] = {
            {"  mov #5,r0", 2, "MOV оп1,оп2", "MOV op1,op2"},
            {"  mov #5,r0", 4, "MOV оп1,оп2", "MOV op1,op2"},
            {"  mov #5,r0", 5, "", ""},
            {"  mov #5,r0", 7, "", ""},
            {"LOOP: Bne LOOP", 7, "BNE имя", "BNE name"},
            {"LOOP: Bne LOOP", 1, "", ""},
            {"  movx r0,r1", 3, "", ""},
            {"  hlt ; mov", 9, "", ""},
            {"  hlt ; mov", 3, "HLT", "HLT"},
            {"", 0, "", ""},
        };
        for (const Case& c : cases) {
            const QString tip = OperationTips::TipAt(QString::fromLatin1(c.line), c.column);
            const QString syntax = Pick(c.russian, c.english);
            if (syntax.isEmpty()) {
                QVERIFY2(tip.isEmpty(), c.line);
            } else {
                QVERIFY2(tip.startsWith(QStringLiteral("<b>%1</b>").arg(syntax)), qPrintable(tip));
                QVERIFY2(tip.contains(Pick("флаги", "sets")) == syntax.startsWith(u'M'),
                         qPrintable(tip));
            }
        }
    }

    // Run > "Check exercise...": the editor's program against an exercise file, a row for each
    // case; a malformed file is a warning with its line.
    void checkingAnExerciseShowsEachCase() {
        QFile wrong(QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/countdown-wrong.asm"));
        QVERIFY(wrong.open(QIODevice::ReadOnly));
        SetSource(QString::fromUtf8(wrong.readAll()));
        dialogs_->fileName = QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/countdown.q42test");
        QStringList verdicts;
        QString firstDifference;
        QString summary;
        dialogs_->onModal = [&](QDialog& dialog) {
            auto& results = static_cast<ExerciseDialog&>(dialog);
            for (int row = 0; row < results.results->rowCount(); ++row)
                verdicts << results.results->item(row, 1)->text();
            firstDifference = results.results->item(0, 2)->text();
            summary = results.summary->text();
        };
        Action("CheckExercise1")->trigger();
        QCOMPARE(verdicts, (QStringList{"FAIL", "PASS", "FAIL"}));
        QCOMPARE(firstDifference,
                 Pick("строка экрана 1: ожидалось «3 2 1 0», получено «3 2 1»\nдано: R1 = 0003",
                      "screen line 1: expected \"3 2 1 0\", got \"3 2 1\"\ngiven: R1 = 0003"));
        QCOMPARE(summary, Pick("Пройдено: 1, не пройдено: 2; баллы: 1 из 3",
                               "1 passed, 2 failed; 1 of 3 points"));
        QCOMPARE(bench_->session.machine.State().pc, 0);  // the windows' machine did not run

        // The dialog shows what a student sees: a hidden case's name and verdict, nothing more.
        QFile keys(QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/keys-wrong.asm"));
        QVERIFY(keys.open(QIODevice::ReadOnly));
        SetSource(QString::fromUtf8(keys.readAll()));
        dialogs_->fileName = QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/keys.q42test");
        QStringList details;
        verdicts.clear();
        dialogs_->onModal = [&](QDialog& dialog) {
            auto& results = static_cast<ExerciseDialog&>(dialog);
            for (int row = 0; row < results.results->rowCount(); ++row) {
                verdicts << results.results->item(row, 1)->text();
                details << results.results->item(row, 2)->text();
            }
            summary = results.summary->text();
        };
        Action("CheckExercise1")->trigger();
        QCOMPARE(verdicts, (QStringList{"PASS", "FAIL", "FAIL", "PASS", "PASS"}));
        QVERIFY2(details[1].contains(QStringLiteral("aBCDEFGHIJKLMNOP")), qPrintable(details[1]));
        QCOMPARE(details[2], QString());
        QCOMPARE(summary, Pick("Пройдено: 3, не пройдено: 2; баллы: 3 из 8",
                               "3 passed, 2 failed; 3 of 8 points"));

        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("bad.q42test"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("title = \"x\"\n[[case]]\nexpct = 1\n");
        file.close();
        dialogs_->fileName = bad;
        Action("CheckExercise1")->trigger();
        QCOMPARE(dialogs_->warnings.size(), 1);
        QVERIFY2(dialogs_->warnings.last().contains(QStringLiteral("3")),
                 qPrintable(dialogs_->warnings.last()));
    }

    // The compiler's warnings come while the window still shows the last command's texts; the
    // success text follows them.
    void warningsComeBeforeTheSuccessText() {
        SetSource(QStringLiteral("movE r0,r1"));
        Action("CompAndPreproc1")->trigger();
        const QString failed = Form().statusLine->text();
        QStringList shownMeanwhile;
        dialogs_->onWarning = [&] { shownMeanwhile << Form().statusLine->text(); };
        SetSource(QStringLiteral("START: JMP START"));
        Action("CompAndPreproc1")->trigger();
        QCOMPARE(dialogs_->warnings, QStringList({QStringLiteral("JMP START:\nSTART\nor #START?"),
                                                  QStringLiteral("No HLT command!")}));
        QCOMPARE(shownMeanwhile, QStringList({failed, failed}));
        QCOMPARE(Form().statusLine->text(), Pick("Успешная компиляция", "Successful compilation"));
        QCOMPARE(Form().errorLine->text(), QString());
    }

    // Compiling alone rewrites the label table's rows it needs and leaves the others.
    void compileOnlyKeepsTheLabelRowsItDoesNotNeed() {
        SetSource(QStringLiteral("a: nop\nb: nop\nc: hlt"));
        Action("CompAndPreproc1")->trigger();
        bench_->intermediateWindow->textEditor->setPlainText(QStringLiteral("X:\nHLT"));
        Action("Compile1")->trigger();
        const QTableWidget& labels = *Form().labelTable;
        QCOMPARE(labels.item(0, 0)->text(), QStringLiteral("X"));
        QCOMPARE(labels.item(1, 0)->text(), QStringLiteral("B"));
        QCOMPARE(labels.item(2, 2)->text(), QStringLiteral("0004"));
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("AF18"));
        Action("CompAndPreproc1")->trigger();
        QCOMPARE(labels.item(2, 0)->text(), QStringLiteral("C"));
        QCOMPARE(labels.rowCount(), 19);
    }

    void shortConstSettingReachesTheCompiler() {
        bench_->intermediateWindow->shortConstantBox->setChecked(false);
        SetSource(QStringLiteral("mov #5,r0\nhlt"));
        Action("CompAndPreproc1")->trigger();
        QCOMPARE(Form().codeWordsEditor->toPlainText(), QStringLiteral("01D0\n0005\nAF18"));
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::GuiTest)
#include "gui_test.moc"
