// Takes screenshots of the desktop program for the documentation: starts the windows as the
// program does, compiles and runs an example, opens the intermediate text, and saves the whole
// screen. Run it under an X server with a window manager (see scripts/screenshots.sh).
//   q42_screenshot EXAMPLE.asm OUT.png [en]   (en: the English program)

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include "desktop/assembler_window.h"
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3 || argc > 4) {
        qWarning("usage: q42_screenshot EXAMPLE.asm OUT.png [en]");
        return 2;
    }
    if (argc == 4 && QByteArray(argv[3]) == "en") q42::SetTextLanguage(q42::Language::English);
    const QString output = QString::fromLocal8Bit(argv[2]);
    q42::QtDialogs dialogs;
    q42::Workbench bench(dialogs);
    PrintedMessages messages;
    bench.Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);

    const q42::TextFile source = q42::ReadTextFile(argv[1]);
    QTimer::singleShot(700, [&] {
        bench.assemblerWindow->asmText->setPlainText(q42::LinesToQt(source.lines));
        bench.assemblerWindow->findChild<QAction*>(QStringLiteral("CompAndRun1"))->trigger();
        bench.assemblerWindow->findChild<QAction*>(QStringLiteral("CompText1"))->trigger();
        bench.assemblerWindow->activateWindow();
    });
    QTimer::singleShot(1800, [&] {
        QGuiApplication::primaryScreen()->grabWindow(0).save(output);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
