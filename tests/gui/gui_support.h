#pragma once
// What the window tests share: starting the desktop program as its entry does, and acting once
// the machine waits for a line of input.

#include <QTimer>
#include <functional>

#include "machine/rom_image.h"
#include "shell/workbench.h"

namespace q42::test {

// Starts the program: the ROM image of the source tree (its messages dropped), then the windows.
inline void StartProgram(Workbench& bench) {
    class NoMessages : public MessageSink {
        void ShowMessage(const std::string&) override {}
    } messages;
    bench.Start(Q42_SOURCE_DIR "/rom/Q42ROM.TXT", messages);
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
