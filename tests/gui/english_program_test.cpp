// The English program (q42-en) shows no Cyrillic letter anywhere but in the student's own text:
// every window and its menus, grids, hints and buttons after runs that produce the greeting, the
// input retry, a run-time error report and both end messages; the decoding dialog over every
// kind of instruction; the guide; the message boxes and questions; the operation tooltips.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

#include "assembler/mnemonic.h"
#include "desktop/assembler_window.h"
#include "desktop/captions.h"
#include "desktop/debug_texts.h"
#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/operation_tips.h"
#include "desktop/processor_window.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/scripted_dialogs.h"

namespace q42::test {
namespace {

bool HasCyrillic(const QString& text) {
    static const QRegularExpression kCyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(kCyrillic);
}

void AddGridTexts(const QTableWidget& grid, QStringList& texts) {
    for (int column = 0; column < grid.columnCount(); ++column) {
        if (const QTableWidgetItem* header = grid.horizontalHeaderItem(column))
            texts << header->text();
        for (int row = 0; row < grid.rowCount(); ++row)
            if (const QTableWidgetItem* cell = grid.item(row, column)) texts << cell->text();
    }
}

// A model's column titles and the cells of its first rows.
void AddModelTexts(const QAbstractItemModel& model, QStringList& texts) {
    for (int column = 0; column < model.columnCount(); ++column) {
        texts << model.headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < std::min(model.rowCount(), 50); ++row)
            texts << model.index(row, column).data().toString();
    }
}

// Every text a widget shows or offers: its title, hints, caption or contents, its cells, and the
// texts of its actions. The assembler editor holds the student's own text and is left out.
QStringList TextsOf(QWidget& widget) {
    QStringList texts{widget.windowTitle(), widget.toolTip(), widget.statusTip(),
                      widget.whatsThis()};
    if (auto* label = qobject_cast<QLabel*>(&widget)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) texts << button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(&widget))
        texts << edit->text() << edit->placeholderText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(&widget);
        memo != nullptr && memo->objectName() != QStringLiteral("asmText"))
        texts << memo->toPlainText();
    if (auto* browser = qobject_cast<QTextBrowser*>(&widget)) texts << browser->toPlainText();
    if (auto* grid = qobject_cast<QTableWidget*>(&widget)) {
        AddGridTexts(*grid, texts);
    } else if (auto* view = qobject_cast<QTableView*>(&widget)) {
        AddModelTexts(*view->model(), texts);
    }
    if (auto* choice = qobject_cast<QComboBox*>(&widget)) {
        for (int i = 0; i < choice->count(); ++i)
            texts << choice->itemText(i);
    }
    if (auto* menu = qobject_cast<QMenu*>(&widget)) texts << menu->title();
    for (const QAction* action : widget.actions())
        texts << action->text() << action->toolTip();
    return texts;
}

}  // namespace

class EnglishProgramTest : public ProgramTest {
    Q_OBJECT

    void Run(const char* source) {
        Form().sourceEditor->setPlainText(QString::fromUtf8(source));
        Action("CompAndRun1")->trigger();
    }
    // Types a line once the display window, which input brings forward, has the keyboard.
    void TypeLine(const QString& text) {
        QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
        Type(text);
        Press(Qt::Key_Return);
    }

    // Fails on each text of each widget of the program that holds a Cyrillic letter. A number
    // tooltip's bytes shown as characters are memory's contents, not the program's text.
    void ExpectEnglishEverywhere(const char* when) {
        static const QString data = QStringLiteral("bytes as characters:");
        for (QWidget* widget : QApplication::allWidgets())
            for (const QString& text : TextsOf(*widget))
                QVERIFY2(
                    !HasCyrillic(text.left(text.indexOf(data))),
                    qPrintable(QStringLiteral("%1: %2 \"%3\"")
                                   .arg(QString::fromLatin1(when), widget->objectName(), text)));
    }

  private slots:
    void initTestCase() {
        SetTextLanguage(Language::English);
        InstallQtTranslations();
    }
    void init() {
        StartProgram();
        Action("CompText1")->trigger();  // every window is open
        Form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form()));
        // A run that waits for input it never gets ends after a while, and the test fails.
        QTimer::singleShot(10000, bench_->assemblerWindow.get(), [this] { bench_->Close(); });
    }
    void cleanup() { bench_.reset(); }

    void windowsAfterRuns() {
        ExpectEnglishEverywhere("at start");
        // A wrong number and its retry, then a normal end.
        test::WhenLineAwaited(this, bench_->session.display, [this] {
            TypeLine(QStringLiteral("12x"));
            test::WhenLineAwaited(this, bench_->session.display,
                                  [this] { TypeLine(QStringLiteral("7")); });
        });
        Run("call #4182h\nhlt");
        QVERIFY(bench_->displayWindow->screenText->toPlainText().contains(
            QStringLiteral("Error! Repeat the input!")));
        ExpectEnglishEverywhere("after an input retry");
        // A run-time error's report.
        Run("mov #7fffh,r0\nadd #1,r0\nhlt");
        QVERIFY(
            bench_->displayWindow->screenText->toPlainText().contains(QStringLiteral("overflow")));
        ExpectEnglishEverywhere("after a run-time error");
        // The stop command's end message: Ctrl+B while a number is awaited, and the wait goes
        // on until the line is finished.
        test::WhenLineAwaited(this, bench_->session.display, [this] {
            QVERIFY(QTest::qWaitForWindowActive(bench_->displayWindow.get()));
            Press(Qt::Key_B, Qt::ControlModifier);
            Type(QStringLiteral("5"));
            Press(Qt::Key_Return);
        });
        Run("call #4182h\nhlt");
        QVERIFY(bench_->displayWindow->screenText->toPlainText().endsWith(
            QStringLiteral("Task interrupted by the user")));
        ExpectEnglishEverywhere("after the stop command");
        // A code line that cannot be loaded, and an assembler error.
        Form().codeWordsEditor->setPlainText(QStringLiteral("12345"));
        Action("CopyCode1")->trigger();
        ExpectEnglishEverywhere("after a bad code line");
        Run("mov 2(sp),r0\nhlt");
        ExpectEnglishEverywhere("after an assembler error");
    }

    // A paused run: the editor's notices, the execution log, the speeds and the RAM row's menu.
    void debugging() {
        Form().sourceEditor->setPlainText(QStringLiteral("mov #1,r0\nadd r0,r0\nhlt"));
        Form().sourceEditor->ToggleBreakpoint(2);
        Action("ExecutionLog1")->trigger();
        Action("CompAndRun1")->trigger();
        QVERIFY(Form().sourceEditor->Notice()->isVisible());
        ExpectEnglishEverywhere("at a breakpoint");
        Form().sourceEditor->appendPlainText(QStringLiteral("; edited"));
        Action("NextCom1")->trigger();
        QVERIFY(Form().sourceEditor->Notice()->isVisible());
        ExpectEnglishEverywhere("after an edit");
        for (const bool set : {false, true})
            QVERIFY(!HasCyrillic(RamBreakpointItem(set)));
    }

    // The results of checking an exercise, and the warning for a file that cannot be read.
    void exerciseCheck() {
        Form().sourceEditor->setPlainText(QStringLiteral("mov #'x',r0\ncall #4000h\nhlt"));
        dialogs_->fileName = QStringLiteral(Q42_SOURCE_DIR "/examples/exercises/countdown.q42test");
        bool shown = false;
        dialogs_->onModal = [&](QDialog&) {
            shown = true;
            ExpectEnglishEverywhere("in the exercise results");
        };
        Action("CheckExercise1")->trigger();
        QVERIFY(shown);
        dialogs_->fileName = QStringLiteral(Q42_SOURCE_DIR "/examples/exercises");
        Action("CheckExercise1")->trigger();
        QCOMPARE(dialogs_->warnings.size(), 1);
        QVERIFY2(!HasCyrillic(dialogs_->warnings.first()), qPrintable(dialogs_->warnings.first()));
    }

    // The dialog over data, jumps and branches to RAM and ROM, the single-operand group, ports,
    // short constants and the words no operation has.
    void decodingDialogOverEveryKindOfWord() {
        Form().codeWordsEditor->setPlainText(
            QStringLiteral("2150\n01D0\n0010\n1CD0\n4000\n9D02\n0E20\n0E80\n0A10\n0B01\n"
                           "0E00\n0EF0\n0CF0\nFDFE\n0C00\n0D00\n0E81\nAF18\n0F00\n1DE0\n0030"));
        Action("CopyCode1")->trigger();
        int shown = 0;
        dialogs_->onModal = [&](QDialog& dialog) {
            auto& decoding = static_cast<DecodingDialog&>(dialog);
            for (; decoding.nextButton->isEnabled() && shown < 24; ++shown) {
                ExpectEnglishEverywhere(qPrintable(decoding.addressField->text()));
                QTest::mouseClick(decoding.nextButton, Qt::LeftButton);
            }
        };
        Action("Decode1")->trigger();
        QCOMPARE(shown, 24);
    }

    void guideWindow() {
        Action("Guide1")->trigger();
        ExpectEnglishEverywhere("with the guide open");
    }

    void messagesAndQuestions() {
        QTemporaryDir dir;
        Form().sourceEditor->setPlainText(
            QString::fromUtf8("; \u6f22\nhlt"));  // not in the code page
        dialogs_->answer = false;
        dialogs_->fileName = dir.filePath(QStringLiteral("a.asm"));
        Action("SaveAsm1")->trigger();
        dialogs_->fileName = QStringLiteral("/nonexistent/dir/a.cod");
        Action("SaveCod1")->trigger();
        Action("OpenCod1")->trigger();
        QFile longLine(dir.filePath(QStringLiteral("long.asm")));
        QVERIFY(longLine.open(QIODevice::WriteOnly));
        longLine.write(QByteArray(5000, 'x'));
        longLine.close();
        dialogs_->fileName = longLine.fileName();
        Action("OpenAsm1")->trigger();
        Action("ClearAsm1")->trigger();
        Action("Exit1")->trigger();
        Action("About1")->trigger();
        bench_->processorWindow->registerFields[0]->setText(QStringLiteral("XYZ"));
        Action("CopyRegs1")->trigger();
        const QStringList all = dialogs_->warnings + dialogs_->questions + dialogs_->saveQuestions;
        QVERIFY(all.size() >= 6);
        for (const QString& text : all)
            QVERIFY2(!HasCyrillic(text), qPrintable(text));
    }

    void operationTooltips() {
        const auto qt = [](std::string_view text) {
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        };
        for (const Mnemonic& operation : MnemonicTable()) {
            const QString tip = OperationTips::TipAt(qt(operation.name).toLower(), 0);
            QVERIFY2(tip.contains(qt(operation.syntax.english)), qPrintable(tip));
            QVERIFY2(!HasCyrillic(tip), qPrintable(tip));
        }
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::EnglishProgramTest)
#include "english_program_test.moc"
