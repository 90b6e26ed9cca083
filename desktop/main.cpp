// The Q42 teaching computer: the desktop program.
//   q42 [FILE.asm | FILE.cod]      opens the file at start, as File > Open would
//   q42-en [FILE.asm | FILE.cod]   the same program with every text in English

#include <QApplication>

#include "desktop/assembler_window.h"
#include "desktop/captions.h"
#include "desktop/qt_text.h"
#include "desktop/workbench.h"
#include "machine/language.h"
#include "machine/rom_image.h"

namespace {

// ROM image messages appear before any window exists.
class StartupMessages : public q42::MessageSink {
  public:
    explicit StartupMessages(q42::UserDialogs& dialogs) : dialogs_(dialogs) {}
    void ShowMessage(const std::string& text) override {
        dialogs_.Warning(nullptr, q42::ToQt(text));
    }

  private:
    q42::UserDialogs& dialogs_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef Q42_ENGLISH_PROGRAM
    q42::SetTextLanguage(q42::Language::English);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("q42"));
    QApplication::setQuitOnLastWindowClosed(
        false);  // closing the assembler window ends the program
    q42::InstallQtTranslations();
    q42::QtDialogs dialogs;
    q42::Workbench bench(dialogs);
    StartupMessages messages(dialogs);
    const auto directory = QApplication::applicationDirPath().toStdString();
    bench.Start(q42::FindRomImage(q42::RomSearchPath(directory)), messages);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) bench.assemblerWindow->OpenFile(arguments.at(1));
    return QApplication::exec();
}
