// Processor time the desktop program uses while a program waits for the user: runs
// examples/sum.asm, which waits for a number, and measures this process's CPU time over the next
// ten seconds of waiting. Run it under Xvfb or with QT_QPA_PLATFORM=offscreen.

#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>

#include "desktop/assembler_window.h"
#include "desktop/qt_text.h"
#include "desktop/workbench.h"
#include "machine/rom_image.h"
#include "session/text_file.h"

namespace {

class NoMessages : public q42::MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    q42::QtDialogs dialogs;
    q42::Workbench bench(dialogs);
    NoMessages messages;
    bench.Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    bench.assemblerWindow->sourceEditor->setPlainText(
        q42::LinesToQt(q42::ReadTextFile(Q42_SOURCE_DIR "/examples/sum.asm").lines));
    double start = 0;
    QTimer::singleShot(500, [&] { start = CpuSeconds(); });
    QTimer::singleShot(500 + seconds * 1000, [&] {
        const double used = CpuSeconds() - start;
        std::printf("waiting for input: %.1f ms of CPU time over %d s (%.3f%%)\n", used * 1000,
                    seconds, used * 100 / seconds);
        bench.assemblerWindow->close();
    });
    // The run starts inside the event loop and waits there for a number until the window closes.
    QTimer::singleShot(0, [&] {
        bench.assemblerWindow->findChild<QAction*>(QStringLiteral("CompAndRun1"))->trigger();
    });
    return QApplication::exec();
}
