// The windows on screens of every size and scale, and for a screen reader: where each window
// opens, the assembler window grown through its size grip, the display's longest texts shown
// whole, every control named, and Tab going as each window reads. CMake runs these tests on
// several screens (see tests/gui/CMakeLists.txt); the checks of places hold on each.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSizeGrip>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include "desktop/decoding_dialog.h"
#include "desktop/display_window.h"
#include "desktop/exercise_dialog.h"
#include "desktop/guide_window.h"
#include "desktop/intermediate_text_window.h"
#include "desktop/lessons_window.h"
#include "desktop/log_window.h"
#include "desktop/processor_window.h"
#include "desktop/ram_window.h"
#include "machine/faults.h"
#include "tests/gui/gui_support.h"

namespace q42::test {

// A window's title bar and, for a window with a menu, its menu bar: what no other window may
// cover.
QRect Bars(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    int bottom = window.geometry().top() - 1;
    if (const auto* menu = window.findChild<QMenuBar*>(); menu != nullptr && menu->isVisible())
        bottom = menu->mapToGlobal(QPoint(0, menu->height() - 1)).y();
    return {frame.topLeft(), QPoint(frame.right(), bottom)};
}

QRect AvailableScreen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Under a window manager the frames come a little after the windows show.
void WaitForFrames(const std::vector<QWidget*>& windows) {
    const auto framed = [&windows] {
        for (const QWidget* window : windows) {
            if (window->frameGeometry() == window->geometry()) return false;
        }
        return true;
    };
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QTRY_VERIFY_WITH_TIMEOUT(framed(), 3000);
    QTest::qWait(200);  // and the program's placing after them
}

bool HasCyrillic(const QString& text) {
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic) return true;
    }
    return false;
}

// The controls of a window: what a user reaches with the keyboard or works with the mouse. The
// parts of a control (a table's scroll bars and headers) are read with it.
void CollectControls(QWidget& widget, std::vector<QWidget*>& controls) {
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(child);
        const QAccessible::Role role = access != nullptr ? access->role() : QAccessible::NoRole;
        const bool control = (child->focusPolicy() & Qt::TabFocus) != 0 ||
                             role == QAccessible::Button || role == QAccessible::CheckBox ||
                             role == QAccessible::ComboBox || role == QAccessible::EditableText ||
                             role == QAccessible::Table || role == QAccessible::List ||
                             role == QAccessible::MenuBar || role == QAccessible::Grip;
        if (control) {
            controls.push_back(child);
        } else {
            CollectControls(*child, controls);
        }
    }
}

// The widgets Tab goes through in `window`, round from `first`.
QStringList TabChain(QWidget& window, const QString& first) {
    QStringList chain;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isEnabled() &&
            widget->isVisibleTo(&window) && widget->window() == &window)
            chain << widget->objectName();
    }
    const qsizetype start = std::max<qsizetype>(0, chain.indexOf(first));
    return chain.mid(start) + chain.mid(0, start);
}

class ScreenTest : public ProgramTest {
    Q_OBJECT

    std::vector<QWidget*> MainWindows() {
        return {&Form(), bench_->ramWindow.get(), bench_->displayWindow.get(),
                bench_->processorWindow.get()};
    }
    // Chooses a menu item as a person does: a click on the menu's title, then on the item.
    void Choose(QMenu* menu, const char* item) {
        QMenuBar* bar = Form().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Action(item)).center());
        QTRY_VERIFY(!menu->isVisible());
    }
    // Every window shown stands wholly on the screen, and none covers the bars of one shown
    // before it (`shown` in the order they opened).
    static void CheckPlaces(const std::vector<QWidget*>& shown) {
        const QRect screen = AvailableScreen();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const QRect frame = shown[i]->frameGeometry();
            const QString where = shown[i]->objectName() + QStringLiteral(" at %1,%2 %3x%4")
                                                               .arg(frame.x())
                                                               .arg(frame.y())
                                                               .arg(frame.width())
                                                               .arg(frame.height());
            qInfo("%s", qPrintable(where));
            QVERIFY2(screen.contains(frame), qPrintable(where));
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY2(!frame.intersects(Bars(*shown[j])),
                         qPrintable(where + QStringLiteral(" covers the bars of ") +
                                    shown[j]->objectName()));
            }
        }
    }

  private slots:
    void initTestCase() { UseTestLanguage(); }
    void init() { StartProgram(); }
    void cleanup() { bench_.reset(); }

    // The windows open as arranged when the screen holds them, each on the screen and clear of
    // the others' bars when it does not; so do the windows opened later.
    void windowsStandOnTheScreenClearOfEachOthersBars() {
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
        WaitForFrames(MainWindows());
        std::vector<QWidget*> shown = MainWindows();
        QCOMPARE(Form().centralWidget()->size(), QSize(742, 496));  // its opening size
        const QRect assembler = Form().frameGeometry();
        const QRect ram = bench_->ramWindow->frameGeometry();
        const QRect display = bench_->displayWindow->frameGeometry();
        const QRect processor = bench_->processorWindow->frameGeometry();
        const QRect screen = AvailableScreen();
        if (assembler.width() + ram.width() <= screen.width() &&
            assembler.height() + display.height() <= screen.height()) {
            // The assembler and RAM windows side by side, centred; the display under the one,
            // the processor under the other, flush with its right edge.
            QCOMPARE(ram.topLeft(), assembler.topRight() + QPoint(1, 0));
            QVERIFY(std::abs((assembler.left() - screen.left()) - (screen.right() - ram.right())) <=
                    1);
            QCOMPARE(display.topLeft(), assembler.bottomLeft() + QPoint(0, 1));
            QCOMPARE(processor.top(), display.top());
            QCOMPARE(processor.right(), ram.right());
            QCOMPARE(display.right() + 1, processor.left());
        }
        CheckPlaces(shown);

        // One after another, as a person opens them: each placed once it is framed.
        const std::pair<QMenu*, const char*> items[] = {{Form().viewMenu, "CompText1"},
                                                        {Form().viewMenu, "ExecutionLog1"},
                                                        {Form().helpMenu, "Guide1"},
                                                        {Form().helpMenu, "HowToUse1"},
                                                        {Form().helpMenu, "Lessons1"}};
        const auto window = [this](const char* item) -> QWidget* {
            const QByteArray name(item);
            if (name == "CompText1") return bench_->intermediateWindow.get();
            if (name == "ExecutionLog1") return bench_->logWindow.get();
            if (name == "Guide1") return bench_->guideWindow.get();
            if (name == "HowToUse1") return bench_->howToUseWindow.get();
            return bench_->lessonsWindow.get();
        };
        for (const auto& [menu, item] : items) {
            Choose(menu, item);
            QWidget* later = window(item);
            QVERIFY(QTest::qWaitForWindowExposed(later));
            WaitForFrames({later});
            shown.push_back(later);
        }
        WaitForFrames(shown);
        CheckPlaces(shown);
    }

    // A drag on the size grip grows the window: the assembler text takes the extra width and
    // height, the code text and the label table keep their sizes beside it; the window cannot
    // be made smaller than it opens.
    void sizeGripGrowsTheAssemblerText() {
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
        Form().move(AvailableScreen().topLeft());  // room to grow on the smallest screen
        auto* grip = Form().findChild<QSizeGrip*>();
        QVERIFY(grip != nullptr && grip->isVisible());
        const QSize editor = Form().sourceEditor->size();
        const QSize code = Form().codeWordsEditor->size();
        const QSize labels = Form().labelTable->size();
        // The grip moves with the window's corner: each point of the drag is where the mouse
        // is on the screen.
        const auto drag = [grip](QPoint by) {
            const QPoint start = grip->mapToGlobal(grip->rect().center());
            QTest::mousePress(grip, Qt::LeftButton, {}, grip->mapFromGlobal(start));
            QTest::mouseMove(grip, grip->mapFromGlobal(start + by / 2));
            QTest::mouseMove(grip, grip->mapFromGlobal(start + by));
            QTest::mouseRelease(grip, Qt::LeftButton, {}, grip->mapFromGlobal(start + by));
        };
        drag(QPoint(40, 30));
        QTRY_COMPARE(Form().sourceEditor->size(), editor + QSize(40, 30));
        QCOMPARE(Form().codeWordsEditor->size(), code);
        QCOMPARE(Form().labelTable->size(), labels);
        QCOMPARE(Form().codeWordsEditor->x(), Form().sourceEditor->geometry().right() + 16);
        const QRect client = Form().centralWidget()->rect();
        QVERIFY(client.contains(Form().labelTable->geometry()));
        QVERIFY(client.contains(Form().errorLine->geometry().bottomLeft()));
        QCOMPARE(Form().errorLine->y(), 464 + 30);
        drag(QPoint(-400, -300));
        QTRY_COMPARE(Form().sourceEditor->size(), editor);
        QCOMPARE(Form().centralWidget()->size(), QSize(742, 496));
    }

    // The longest texts a run writes, a run-time error's report among them, show whole: a line
    // wider than the window goes on in the next row, and the last row is in view.
    void displayShowsTheLongestRunTextsWhole() {
        QVERIFY(QTest::qWaitForWindowActive(&Form()));
        Form().codeWordsEditor->setPlainText(QStringLiteral("8210"));  // a byte added to a word
        Press(Qt::Key_F9, Qt::ShiftModifier);
        QPlainTextEdit& screen = *bench_->displayWindow->screenText;
        QTRY_VERIFY(screen.toPlainText().endsWith(ScreenText(RunText::Finished)));
        QVERIFY(screen.toPlainText().contains(ToQt(FaultText(Fault::ByteWithWord))));
        for (int fault = 0; fault <= static_cast<int>(Fault::KeyBufferOverflow); ++fault)
            bench_->session.display.WriteLine("   " + FaultText(static_cast<Fault>(fault)));
        for (const RunText text :
             {RunText::Greeting, RunText::ErrorReport, RunText::Interrupted, RunText::RepeatInput})
            bench_->session.display.WriteLine(Text(text));
        bench_->RefreshViews();
        const int width = screen.viewport()->width();
        for (QTextBlock block = screen.document()->begin(); block.isValid(); block = block.next()) {
            QTextLayout& layout = *block.layout();
            for (int row = 0; row < layout.lineCount(); ++row) {
                QVERIFY2(layout.lineAt(row).naturalTextWidth() <= width - 4,
                         qPrintable(block.text()));
            }
        }
        QVERIFY(screen.viewport()->rect().contains(screen.cursorRect()));
    }

    // Every control of every window has a name a screen reader reads, in the program's
    // language; a control named by a symbol says what it stands for.
    void everyControlHasANameForScreenReaders() {
        for (const char* item : {"Lessons1", "Guide1", "HowToUse1", "ExecutionLog1", "CompText1"})
            Action(item)->trigger();
        ProgramResult checked;
        CaseResult passed;
        passed.name = "case 1";
        checked.cases.push_back(passed);
        ExerciseDialog results(&Form(), QStringLiteral("title"), checked, {true});
        std::vector<QWidget*> windows = {&results, bench_->decodingDialog.get()};
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && !window->inherits("QMenu")) windows.push_back(window);
        }
        QVERIFY(windows.size() >= 11);
        for (QWidget* window : windows) {
            std::vector<QWidget*> controls;
            CollectControls(*window, controls);
            for (QWidget* control : controls) {
                QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
                QVERIFY(access != nullptr);
                const QString name = access->text(QAccessible::Name);
                const QString description = access->text(QAccessible::Description);
                const QString where = window->objectName() + QLatin1Char('/') +
                                      control->objectName() + QLatin1Char(' ') +
                                      QLatin1String(control->metaObject()->className());
                QVERIFY2(!name.trimmed().isEmpty(), qPrintable(where));
                if (name.count(QRegularExpression(QStringLiteral("\\p{L}"))) < 3)
                    QVERIFY2(!description.isEmpty(),
                             qPrintable(where + QStringLiteral(": ") + name));
                if (EnglishTexts())
                    QVERIFY2(!HasCyrillic(name + description), qPrintable(where + name));
            }
        }
    }

    // Tab goes as each window reads: down the processor window's register panel, then its
    // buttons row by row, the keys pressed in the window itself.
    void tabFollowsEachWindowsLayout() {
        ProcessorWindow& processor = *bench_->processorWindow;
        processor.activateWindow();
        processor.applyRegistersButton->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), processor.applyRegistersButton);
        const QStringList processorOrder = {
            "SpeedButton6", "ER0",          "ER1",          "ER2",          "ER3",
            "EPC",          "ESP",          "SpeedButton5", "SpeedButton2", "speedBox",
            "SpeedButton3", "SpeedButton1", "SpeedButton7"};
        QStringList pressed = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < processorOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            pressed << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(pressed, processorOrder);
        QCOMPARE(TabChain(processor, processorOrder.first()), processorOrder);

        // In the editors Tab is a character; Ctrl+Tab goes on to the next control.
        Form().activateWindow();
        Form().sourceEditor->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), Form().sourceEditor);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), Form().codeWordsEditor);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), Form().compileButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), Form().codeWordsEditor);

        Action("Lessons1")->trigger();
        Action("Guide1")->trigger();
        const std::pair<QWidget*, QStringList> chains[] = {
            {&Form(), {"asmText", "codeText", "SpeedButton1"}},
            {bench_->intermediateWindow.get(), {"compText", "ShConst"}},
            {bench_->decodingDialog.get(), {"Edit2", "Edit3", "Edit1", "Ope1", "Ope2", "BitBtn1"}},
            {bench_->guideWindow.get(), {"GuideSearch", "GuideText"}},
            {bench_->lessonsWindow.get(), {"lessonList", "lessonText", "OpenProgram"}},
        };
        for (const auto& [window, order] : chains)
            QCOMPARE(TabChain(*window, order.first()).mid(0, order.size()), order);
    }
};

}  // namespace q42::test

QTEST_MAIN(q42::test::ScreenTest)
#include "gui_screen_test.moc"
