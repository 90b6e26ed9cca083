#include "desktop/display_window.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "desktop/accessible_names.h"

#include "desktop/captions.h"
#include "desktop/qt_text.h"
#include "session/display.h"

namespace q42 {
namespace {

void PaintBlackAndLime(QWidget* widget, const QFont& font) {
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Text, QColor(0, 255, 0));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    widget->setPalette(palette);
}

}  // namespace

DisplayWindow::DisplayWindow(Display& display) : display_(display) {
    setObjectName(QStringLiteral("TDisplay"));
    setWindowTitle(TitleOf(*this));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);

    enterButton = new QPushButton(this);
    enterButton->setObjectName(QStringLiteral("FinishInput"));
    enterButton->setFocusPolicy(Qt::NoFocus);
    connect(enterButton, &QPushButton::clicked, this, &DisplayWindow::FinishInput);

    screenText = new QPlainTextEdit(this);
    screenText->setObjectName(QStringLiteral("MyScreen"));
    screenText->setReadOnly(true);
    // A line wider than the window goes on in the next row of the window rather than being cut:
    // the window is three rows higher than the screen's ten lines, and it always shows the
    // current line.
    screenText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    screenText->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    screenText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    screenText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    screenText->setFrameStyle(0);
    screenText->document()->setDocumentMargin(2);
    PaintBlackAndLime(screenText, font);

    inputLine = new QLineEdit(screenText->viewport());
    inputLine->setObjectName(QStringLiteral("MyReadLine"));
    inputLine->setFrame(false);
    inputLine->setMaxLength(static_cast<int>(Display::kMaxInputText));
    inputLine->hide();
    PaintBlackAndLime(inputLine, font);
    // A thin lime line under the input shows that the machine waits for it.
    inputLine->setStyleSheet(
        QStringLiteral("QLineEdit { background: black; color: lime; border: none; border-bottom: "
                       "1px solid lime; }"));

    // Every key the window sees goes through the key buffer's rule first, whichever child has
    // the focus (key preview).
    for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(screenText),
                            screenText->viewport(), static_cast<QWidget*>(inputLine)}) {
        widget->installEventFilter(this);
    }

    PlaceComponents();
    NameControls(*this);
    display_.ClearScreen();
    ShowScreen();
}

// The window is thirteen lines of its font high; the screen fills it, and Enter's button hides
// behind the screen.
void DisplayWindow::PlaceComponents() {
    enterButton->setGeometry(300, 0, 8, 8);
    inputLine->setFixedSize(121, 24);
    const int lineHeight = QFontMetrics(font()).height();
    resize(427, 13 * lineHeight);
    setFixedHeight(13 * lineHeight);
    screenText->setGeometry(0, 0, 427, height());
}

void DisplayWindow::ShowScreen() {
    if (!display_.screenChanged) return;
    display_.screenChanged = false;
    // A program that never writes CR makes one long line; the window shows its start, and only
    // that is copied, so repainting stays cheap however long the line gets.
    constexpr std::size_t kShownLineLength = 4096;
    QStringList shown;
    for (const std::string& line : display_.Lines())
        shown << ToQt(line.substr(0, kShownLineLength));
    screenText->setPlainText(shown.join(QLatin1Char('\n')));
    screenText->moveCursor(QTextCursor::End);
    screenText->ensureCursorVisible();
}

void DisplayWindow::BeginLineInput() {
    TakeKeyboard();
    ShowScreen();
    // After the current line's text, in whatever row of the window it ends.
    screenText->moveCursor(QTextCursor::End);
    inputLine->move(screenText->cursorRect().topLeft());
    inputLine->clear();
    inputLine->show();
    inputLine->setFocus();
}

std::string DisplayWindow::InputLineText() const {
    return FromQt(inputLine->text());
}

void DisplayWindow::HideInputLine() {
    inputLine->hide();
}

void DisplayWindow::BeginKeyWait() {
    TakeKeyboard();
    screenText->setFocus();
}

void DisplayWindow::TakeKeyboard() {
    if (isMinimized()) {
        showNormal();  // a window manager may minimise it even without the button
    } else {
        show();
    }
    raise();
    activateWindow();
}

void DisplayWindow::ShowForInput() {
    if (!isVisible() || isMinimized()) TakeKeyboard();
}

void DisplayWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    screenText->setGeometry(rect());  // the screen fills the window
}

void DisplayWindow::FinishInput() {
    display_.FinishInput();
}

bool DisplayWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    // A key that a child does not use travels on to its parents; it counts only where it was
    // delivered first, the focused widget.
    const QWidget* first = focusWidget() != nullptr ? focusWidget() : this;
    if (watched != first) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        FinishInput();  // the window's default button
        return true;
    }
    const std::string text = FromQt(key->text());
    if (text.size() == 1) display_.KeyPress(text[0]);
    return QWidget::eventFilter(watched, event);
}

}  // namespace q42
