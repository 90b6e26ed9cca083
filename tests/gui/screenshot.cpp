// Takes screenshots of the desktop program for the documentation: starts the windows as the
// program does, compiles and runs an example, opens the intermediate text, and saves the whole
// screen. Run it under an X server with a window manager (see scripts/screenshots.sh).
//   q42_screenshot EXAMPLE.asm OUT.png [en] [pause=LINE] [lesson=N] [log]
// en: the English program. pause=LINE: a paused run instead, with a breakpoint on LINE, one step
// taken after the pause, and the execution log open below the windows. lesson=N: Help › Lessons
// open on lesson N, over the machine windows, with its program opened in the editor. log: the
// execution log opened after the run, where the program places it.

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "desktop/assembler_window.h"
#include "desktop/lessons_window.h"
#include "desktop/log_window.h"
#include "desktop/processor_window.h"
#include "desktop/qt_text.h"
#include "desktop/workbench.h"
#include "machine/language.h"
#include "machine/rom_image.h"
#include "session/text_file.h"

namespace {

class PrintedMessages : public q42::MessageSink {
  public:
    void ShowMessage(const std::string& text) override {
        qWarning("%s", q42::ToQt(text).toUtf8().constData());
    }
};

}  // namespace

namespace {

QAction* Action(q42::Workbench& bench, const char* name) {
    return bench.assemblerWindow->findChild<QAction*>(QString::fromLatin1(name));
}

// Compiles and runs the text, with the intermediate text shown beside it.
void RunExample(q42::Workbench& bench) {
    Action(bench, "CompAndRun1")->trigger();
    Action(bench, "CompText1")->trigger();
}

// Pauses the run at a breakpoint on `line`, takes one step, and shows the log below the windows.
void PauseExample(q42::Workbench& bench, int line) {
    bench.assemblerWindow->sourceEditor->ToggleBreakpoint(line);
    q42::LogWindow& log = *bench.logWindow;
    Action(bench, "ExecutionLog1")->trigger();
    const QRect windows =
        bench.assemblerWindow->frameGeometry().united(bench.processorWindow->frameGeometry());
    // As wide as the screen, so that the explanation of each row shows whole.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    log.setGeometry(screen.left() + 4, windows.bottom() + 30, screen.width() - 8, 190);
    Action(bench, "CompAndRun1")->trigger();
    Action(bench, "NextCom1")->trigger();
}

// Help › Lessons on lesson `number`, beside the assembler window, its program in the editor.
void ShowLesson(q42::Workbench& bench, int number) {
    Action(bench, "Lessons1")->trigger();
    q42::LessonsWindow& lessons = *bench.lessonsWindow;
    lessons.lessonList->setCurrentRow(number - 1);
    lessons.openProgramButton->click();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect form = bench.assemblerWindow->frameGeometry();
    lessons.setGeometry(screen.right() - 860, form.top() + 30, 850, 640);
    lessons.raise();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3 || argc > 6) {
        qWarning("usage: q42_screenshot EXAMPLE.asm OUT.png [en] [pause=LINE] [lesson=N] [log]");
        return 2;
    }
    int pauseLine = 0;
    int lesson = 0;
    bool log = false;
    for (int i = 3; i < argc; ++i) {
        const QByteArray option(argv[i]);
        log = log || option == "log";
        if (option == "en") q42::SetTextLanguage(q42::Language::English);
        if (option.startsWith("pause=")) pauseLine = option.mid(6).toInt();
        if (option.startsWith("lesson=")) lesson = option.mid(7).toInt();
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    q42::QtDialogs dialogs;
    q42::Workbench bench(dialogs);
    PrintedMessages messages;
    bench.Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);

    const q42::TextFile source = q42::ReadTextFile(argv[1]);
    QTimer::singleShot(700, [&] {
        bench.assemblerWindow->sourceEditor->setPlainText(q42::LinesToQt(source.lines));
        if (lesson > 0) {
            ShowLesson(bench, lesson);
            return;
        }
        if (pauseLine > 0) {
            PauseExample(bench, pauseLine);
        } else {
            RunExample(bench);
            if (log) Action(bench, "ExecutionLog1")->trigger();
        }
        bench.assemblerWindow->activateWindow();
    });
    QTimer::singleShot(1800, [&] {
        QGuiApplication::primaryScreen()->grabWindow(0).save(output);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
