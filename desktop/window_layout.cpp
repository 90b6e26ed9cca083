#include "desktop/window_layout.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace q42 {
namespace {

QRect Screen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The frame round a window's contents: the title bar and the borders.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

qint64 Area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64{rect.width()} * rect.height();
}

// What a window covers of another: its title bar and, for a window with a menu, the menu bar
// under it.
QRect BarsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    int bottom = window.geometry().top() - 1;
    if (const auto* menu = window.findChild<const QMenuBar*>();
        menu != nullptr && menu->isVisible())
        bottom = menu->mapToGlobal(QPoint(0, menu->height() - 1)).y();
    return {QPoint(frame.left(), frame.top()), QPoint(frame.right(), bottom)};
}

// The program's windows now shown, but for `except`.
std::vector<const QWidget*> ShownWindows(const QWidget* except) {
    std::vector<const QWidget*> shown;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window != except && window->isVisible() && (type == Qt::Window || type == Qt::Dialog))
            shown.push_back(window);
    }
    return shown;
}

// The display window is never lower than the processor window's contents, which are higher
// than the machine's ten screen lines.
int LeastDisplayHeight(const QWidget& processor) {
    return processor.childrenRect().bottom() + 1;
}

// Too high a screen for the arrangement: the display window (and the processor window with it)
// gives up its spare rows first; what still does not fit goes over the bottom of the assembler
// and RAM windows (which stand at the top of the screen), whose title bars and menu stay clear.
void FitHeight(const ProgramWindows& windows, const QRect& screen) {
    QWidget& display = windows.display;
    QWidget& processor = windows.processor;
    const int rows = windows.assembler.frameGeometry().height();
    const int over = rows + display.frameGeometry().height() - screen.height();
    if (over <= 0) return;
    const int height = std::max(LeastDisplayHeight(processor), display.height() - over);
    display.setFixedHeight(height);
    processor.setFixedHeight(display.frameGeometry().height() -
                             (processor.frameGeometry().height() - processor.height()));
    const int bottomTop =
        std::min(screen.top() + rows, screen.bottom() + 1 - display.frameGeometry().height());
    display.move(display.x(), bottomTop);
    processor.move(processor.x(), bottomTop);
}

// Too narrow a screen: the assembler and display windows keep the left edge, the RAM and
// processor windows the right. The RAM window, over the assembler window's right part, starts
// under its menu and gives up as many rows; the display window ends where the processor
// window begins.
void FitWidth(const ProgramWindows& windows, const QRect& screen) {
    QWidget& assembler = windows.assembler;
    QWidget& ram = windows.ram;
    QWidget& display = windows.display;
    QWidget& processor = windows.processor;
    const int width = assembler.frameGeometry().width() + ram.frameGeometry().width();
    if (width <= screen.width()) return;
    assembler.move(screen.left(), assembler.frameGeometry().top());
    const QRect rows = assembler.frameGeometry();
    const int ramTop = BarsOf(assembler).bottom() + 1;
    ram.setFixedHeight(ram.height() - (ramTop - rows.top()));
    ram.move(screen.right() + 1 - ram.frameGeometry().width(), ramTop);
    const QRect processorFrame = processor.frameGeometry();
    processor.move(screen.right() + 1 - processorFrame.width(), processorFrame.top());
    const QMargins displayFrame = FrameMargins(display);
    display.setFixedWidth(processor.frameGeometry().left() - screen.left() - displayFrame.left() -
                          displayFrame.right());
    display.move(screen.left(), display.frameGeometry().top());
}

struct Choice {
    QRect place;
    qint64 covered = std::numeric_limits<qint64>::max();
    int distance = std::numeric_limits<int>::max();
    bool Better(const Choice& other) const {
        return covered != other.covered ? covered < other.covered : distance < other.distance;
    }
};

// The lefts (or tops) worth trying for a window `length` long: at the wanted one, at the screen's
// edges, and flush with each other window's edges, outside or inside it.
std::vector<int> Positions(int wanted, int length, int screenFirst, int screenLast,
                           const std::vector<std::pair<int, int>>& spans) {
    std::vector<int> positions = {wanted, screenFirst, screenLast + 1 - length};
    for (const auto& [first, last] : spans) {
        for (const int position : {first - length, last + 1, first, last + 1 - length})
            positions.push_back(position);
    }
    for (int& position : positions)
        position =
            std::clamp(position, screenFirst, std::max(screenFirst, screenLast + 1 - length));
    return positions;
}

// The best place of the size `size`: clear of every bar, covering least, nearest `wanted`.
Choice BestPlace(const QRect& wanted, QSize size, const std::vector<const QWidget*>& others) {
    const QRect screen = Screen();
    std::vector<std::pair<int, int>> columns;
    std::vector<std::pair<int, int>> rows;
    for (const QWidget* other : others) {
        const QRect frame = other->frameGeometry();
        columns.emplace_back(frame.left(), frame.right());
        rows.emplace_back(frame.top(), frame.bottom());
        rows.emplace_back(BarsOf(*other).bottom() + 1, frame.bottom());  // just under its bars
    }
    Choice best;
    for (const int x :
         Positions(wanted.left(), size.width(), screen.left(), screen.right(), columns)) {
        for (const int y :
             Positions(wanted.top(), size.height(), screen.top(), screen.bottom(), rows)) {
            Choice choice{QRect(QPoint(x, y), size), 0,
                          std::abs(x - wanted.left()) + std::abs(y - wanted.top())};
            if (!screen.contains(choice.place)) continue;
            bool clear = true;
            for (const QWidget* other : others) {
                clear = clear && !choice.place.intersects(BarsOf(*other));
                choice.covered += Area(choice.place.intersected(other->frameGeometry()));
            }
            if (clear && choice.Better(best)) best = choice;
        }
    }
    return best;
}

// Places `window` by its outer frame: on the screen, over none of the title or menu bars of
// `others`, and covering as little of them as it can, as near `wanted` (place and size) as that
// allows. It shrinks toward `least` (an outer size) when that lets it cover less, or, with
// `keepSize`, only as far as it must to find a place clear of the bars. A window not yet framed
// is taken to have the frame of `framed`.
void PlaceInFreeSpace(QWidget& window, const QRect& wanted, QSize least, bool keepSize,
                      const std::vector<const QWidget*>& others, const QWidget& framed) {
    const QRect screen = Screen();
    const QSize full = wanted.size().boundedTo(screen.size());
    least = least.boundedTo(full);
    // From the wanted size down to the least in a few steps; the first that covers nothing
    // wins, else the one that covers least.
    constexpr int kSteps = 4;
    Choice best;
    for (int step = 0; step <= kSteps; ++step) {
        const QSize size = full - (full - least) * step / kSteps;
        const Choice choice = BestPlace(wanted, size, others);
        if (choice.place.isValid() && choice.covered < best.covered) best = choice;
        if (best.covered == 0 || (best.place.isValid() && keepSize)) break;
    }
    if (!best.place.isValid()) {  // every place crosses a bar: at least on the screen
        best.place = QRect(wanted.topLeft(), full);
        best.place.moveTo(
            std::clamp(wanted.left(), screen.left(), screen.right() + 1 - full.width()),
            std::clamp(wanted.top(), screen.top(), screen.bottom() + 1 - full.height()));
    }
    const bool isFramed = window.frameGeometry() != window.geometry();
    const QMargins frame = FrameMargins(isFramed ? window : framed);
    window.resize(best.place.size().shrunkBy(frame));
    window.move(best.place.topLeft());
}

// The intermediate window stands at the left of the assembler window, vertically centred on
// it; where that is off the screen or over another window, it goes into free space.
void PlaceIntermediate(const ProgramWindows& windows) {
    QWidget& window = windows.intermediate;
    const QRect assembler = windows.assembler.frameGeometry();
    const QSize size = window.size().grownBy(FrameMargins(windows.ram));
    const QRect wanted(std::max(0, assembler.left() - size.width()),
                       assembler.top() + (assembler.height() - size.height()) / 2, size.width(),
                       size.height());
    const std::vector<const QWidget*> others = {&windows.assembler, &windows.ram, &windows.display,
                                                &windows.processor};
    PlaceInFreeSpace(window, wanted, size, true, others, windows.ram);
}

}  // namespace

// Every size and place here is the window's outer one, frame and title bar included.
void PlaceWindows(const ProgramWindows& windows) {
    QWidget& assembler = windows.assembler;
    QWidget& ram = windows.ram;
    QWidget& display = windows.display;
    QWidget& processor = windows.processor;
    if (assembler.layout() != nullptr) assembler.layout()->activate();  // its opening size
    const QRect screen = Screen();
    const QSize asmSize = assembler.frameGeometry().size();
    // All divisions truncate toward zero, as integer division does.
    const int top =
        std::max(0, (screen.height() - asmSize.height() - processor.frameGeometry().height()) / 2);
    const int x = (screen.width() - asmSize.width() - ram.frameGeometry().width()) / 2;
    auto place = [&screen](QWidget& window, int left, int windowTop) {
        window.move(screen.left() + left, screen.top() + windowTop);
    };
    place(assembler, x, top);
    ram.setFixedHeight(asmSize.height() - FrameMargins(ram).top() - FrameMargins(ram).bottom());
    place(ram, x + asmSize.width(), top);
    const int processorLeft =
        x + asmSize.width() + ram.frameGeometry().width() - processor.frameGeometry().width();
    const QMargins displayFrame = FrameMargins(display);
    display.setFixedWidth(processorLeft - x - displayFrame.left() - displayFrame.right());
    place(display, x, top + asmSize.height());
    processor.setFixedHeight(display.frameGeometry().height() - FrameMargins(processor).top() -
                             FrameMargins(processor).bottom());
    place(processor, processorLeft, top + asmSize.height());
    FitHeight(windows, screen);
    FitWidth(windows, screen);
    PlaceIntermediate(windows);
}

// The log is hidden at start and so not framed yet: its frame is taken to be that of the
// processor window, which has the same title bar and border.
void PlaceLogWindow(const ProgramWindows& windows, QWidget& log, int minHeight) {
    constexpr int kMinLogWidth = 480;  // the address, the instruction and the changes
    const QMargins frame = FrameMargins(windows.processor);
    const QRect display = windows.display.frameGeometry();
    const QRect processor = windows.processor.frameGeometry();
    const int left = std::min(display.left(), processor.left());
    const int right = std::max(display.right(), processor.right());
    const QRect wanted(left, std::max(display.bottom(), processor.bottom()) + 1, right - left + 1,
                       log.height() + frame.top() + frame.bottom());
    PlaceInFreeSpace(log, wanted, QSize(kMinLogWidth, minHeight).grownBy(frame), false,
                     ShownWindows(&log), windows.processor);
}

void PlaceHelpWindow(const ProgramWindows& windows, QWidget& window) {
    const QRect assembler = windows.assembler.frameGeometry();
    const QSize size = window.size().grownBy(FrameMargins(windows.processor));
    PlaceInFreeSpace(window, QRect(QPoint(assembler.right() + 1, assembler.top()), size), size / 2,
                     true, ShownWindows(&window), windows.processor);
}

}  // namespace q42
