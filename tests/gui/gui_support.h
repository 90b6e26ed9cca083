#pragma once
// What the window tests share: starting the desktop program as its entry does, and acting once
// the machine waits for a line of input.

#include <QAction>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "desktop/assembler_window.h"
#include "desktop/qt_text.h"
#include "desktop/workbench.h"
#include "machine/language.h"
#include "machine/rom_image.h"
#include "machine/run_texts.h"
#include "tests/gui/scripted_dialogs.h"

namespace q42::test {

// The window tests run once for each program: in Russian as q42, and in English as q42-en when
// Q42_TEST_LANGUAGE is "en".
inline void UseTestLanguage() {
    if (qEnvironmentVariable("Q42_TEST_LANGUAGE") == QStringLiteral("en"))
        SetTextLanguage(Language::English);
}

// The text of the program's language, from its two versions.
inline QString Pick(const char* russian, const char* english) {
    return QString::fromUtf8(EnglishTexts() ? english : russian);
}

// A line the run writes on the screen, as the screen shows it (after its leading blank).
inline QString ScreenText(RunText text) {
    return QLatin1Char(' ') + ToQt(Text(text));
}

// What every window test holds: the program's windows over scripted message boxes, started
// afresh for each test function.
class ProgramTest : public QObject {
  protected:
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Workbench> bench_;

    // Starts the program as its entry does: the ROM image of the source tree (its messages
    // dropped), then the windows.
    void StartProgram() {
        class NoMessages : public MessageSink {
            void ShowMessage(const std::string&) override {}
        } messages;
        dialogs_ = std::make_unique<ScriptedDialogs>();
        bench_ = std::make_unique<Workbench>(*dialogs_);
        bench_->Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
    }
    AssemblerWindow& Form() { return *bench_->assemblerWindow; }
    QAction* Action(const char* name) {
        return Form().findChild<QAction*>(QString::fromLatin1(name));
    }
};

// Types into whatever window has the keyboard now, as a person at the keyboard would.
inline void Type(const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
}
inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
}

// Runs `action` once the machine waits for a line of input, checking every few milliseconds
// from the event loop the wait runs.
inline void WhenLineAwaited(QObject* owner, const Display& display, std::function<void()> action) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, &display, action] {
        if (!display.LineInputActive()) return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start(5);
}

}  // namespace q42::test
