#include "desktop/window_layout.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
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

// The narrowest log that shows the address, the instruction and the changes.
constexpr int kMinLogWidth = 480;

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

// The log is hidden at start and so not framed yet: its frame is taken to be that of the
// processor window, which has the same title bar and border.
void PlaceLogWindow(const ProgramWindows& windows, QWidget& log, int minHeight) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect display = windows.display.frameGeometry();
    const QRect processor = windows.processor.frameGeometry();
    const QSize frame(FrameWidth(windows.processor), FrameHeight(windows.processor));
    const QSize preferred = log.size() + frame;
    const int rowBottom = std::max(display.bottom(), processor.bottom());
    const int roomBelow = screen.bottom() - rowBottom;
    QRect place;
    if (roomBelow >= minHeight) {
        // Under the display and processor windows, as wide as the two together.
        const int left = std::max(screen.left(), std::min(display.left(), processor.left()));
        const int right = std::min(screen.right(), std::max(display.right(), processor.right()));
        place =
            QRect(left, rowBottom + 1, right - left + 1, std::min(preferred.height(), roomBelow));
    } else {
        // Beside the processor window, its title bar level with the top of the processor
        // window's contents, as wide as the room at its right when that is enough; pushed back
        // onto the screen, it covers other windows' contents but no title bar. With too little
        // height left there, it goes under the assembler window's menu bar instead, above the
        // title bars of the display and processor windows.
        const int room = screen.right() - processor.right();
        const int wanted =
            room >= kMinLogWidth ? std::min(room, preferred.width()) : preferred.width();
        const int width = std::min(wanted, screen.width());
        const int left =
            std::clamp(processor.right() + 1, screen.left(), screen.right() + 1 - width);
        int top = windows.processor.geometry().top();
        int height = std::min(preferred.height(), screen.bottom() + 1 - top);
        const QMenuBar* menuBar = windows.assembler.findChild<QMenuBar*>();
        if (height < minHeight && menuBar != nullptr) {
            top = menuBar->mapToGlobal(QPoint(0, menuBar->height())).y();
            height = std::min(preferred.height(), std::min(display.top(), processor.top()) - top);
        }
        place = QRect(left, top, width, std::max(height, minHeight));
    }
    log.resize(place.size() - frame);
    log.move(place.topLeft());
}

void KeepOnScreen(QWidget& window) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int overRight = std::max(0, frame.right() - screen.right());
    const int overBottom = std::max(0, frame.bottom() - screen.bottom());
    if (overRight > 0 || overBottom > 0)
        window.resize(window.width() - overRight, window.height() - overBottom);
}

}  // namespace q42
