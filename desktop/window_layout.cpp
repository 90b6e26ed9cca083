#include "desktop/window_layout.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace q42 {
namespace {

int FrameWidth(const QWidget& window) {
    return window.frameGeometry().width() - window.width();
}

int FrameHeight(const QWidget& window) {
    return window.frameGeometry().height() - window.height();
}

}  // namespace

// Every size and place here is the window's outer one, frame and title bar included.
void PlaceWindows(const ProgramWindows& windows) {
    QWidget& assembler = windows.assembler;
    QWidget& ram = windows.ram;
    QWidget& display = windows.display;
    QWidget& processor = windows.processor;
    if (assembler.layout() != nullptr) assembler.layout()->activate();  // its fixed size
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize asmSize = assembler.frameGeometry().size();
    // All divisions truncate toward zero, as integer division does.
    const int top =
        std::max(0, (screen.height() - asmSize.height() - processor.frameGeometry().height()) / 2);
    const int x = (screen.width() - asmSize.width() - ram.frameGeometry().width()) / 2;
    auto place = [&screen](QWidget& window, int left, int windowTop) {
        window.move(screen.left() + left, screen.top() + windowTop);
    };
    place(assembler, x, top);
    ram.setFixedHeight(asmSize.height() - FrameHeight(ram));
    place(ram, x + asmSize.width(), top);
    const int processorLeft =
        x + asmSize.width() + ram.frameGeometry().width() - processor.frameGeometry().width();
    display.setFixedWidth(processorLeft - x - FrameWidth(display));
    place(display, x, top + asmSize.height());
    processor.setFixedHeight(display.frameGeometry().height() - FrameHeight(processor));
    place(processor, processorLeft, top + asmSize.height());
    // The intermediate window is hidden at start and so not framed yet: its frame is taken to be
    // that of the RAM window, which has the same title bar and border.
    const QSize intermediateSize =
        windows.intermediate.size() + QSize(FrameWidth(ram), FrameHeight(ram));
    place(windows.intermediate, std::max(0, x - intermediateSize.width()),
          top + (asmSize.height() - intermediateSize.height()) / 2);
}

}  // namespace q42
