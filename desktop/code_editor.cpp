#include "desktop/code_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextBlock>

#include "desktop/run_colors.h"

namespace q42 {
namespace {

// The margin beside the text: it paints and takes clicks through its editor.
class MarginArea : public QWidget {
  public:
    explicit MarginArea(CodeEditor* editor) : QWidget(editor), editor_(editor) {
        setObjectName(QStringLiteral("lineNumbers"));
        setCursor(Qt::PointingHandCursor);
    }
    QSize sizeHint() const override { return {editor_->MarginWidth(), 0}; }

  protected:
    void paintEvent(QPaintEvent* event) override { editor_->PaintMargin(event); }
    void mousePressEvent(QMouseEvent* event) override {
        editor_->MarginClicked(static_cast<int>(event->position().y()));
    }

  private:
    CodeEditor* editor_;
};

// The mark a line with a breakpoint carries: the text block owns it, so it goes with the line.
class BreakpointMark : public QTextBlockUserData {};

bool Marked(const QTextBlock& block) {
    return dynamic_cast<BreakpointMark*>(block.userData()) != nullptr;
}

// The column at which character `position` of a line stands, a tab reaching the next tab stop.
int Column(const QString& line, int position) {
    int column = 0;
    for (int i = 0; i < position && i < line.size(); ++i)
        column = line[i] == u'\t' ? (column / CodeEditor::kTabColumns + 1) * CodeEditor::kTabColumns
                                  : column + 1;
    return column;
}

}  // namespace

CodeEditor::CodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new MarginArea(this)), notice_(new QLabel(this)) {
    notice_->setObjectName(QStringLiteral("runNotice"));
    notice_->setWordWrap(true);
    notice_->setAutoFillBackground(true);
    notice_->setMargin(4);
    QPalette palette = notice_->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xE1));
    palette.setColor(QPalette::WindowText, QColor(0x5D, 0x40, 0x37));
    notice_->setPalette(palette);
    notice_->hide();
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { SetMargins(); });
    connect(this, &QPlainTextEdit::updateRequest, this,
            [this](const QRect& rect, int dy) { UpdateMargin(rect, dy); });
    SetMargins();
}

// The line numbers at the left; under the text, the notice's strip while it shows.
void CodeEditor::SetMargins() {
    setViewportMargins(MarginWidth(), 0, 0, noticeHeight_);
}

int CodeEditor::MarginWidth() const {
    int digits = 2;
    for (int n = std::max(1, blockCount()); n >= 100; n /= 10)
        ++digits;
    // Room for the breakpoint dot, the digits and a gap.
    return 14 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + 6;
}

void CodeEditor::UpdateMargin(const QRect& rect, int dy) {
    if (dy != 0) {
        margin_->scroll(0, dy);
    } else {
        margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    PlaceNotice();
}

// The viewport changes size when a scroll bar comes or goes, too: the strip follows it.
bool CodeEditor::viewportEvent(QEvent* event) {
    const bool handled = QPlainTextEdit::viewportEvent(event);
    if (event->type() == QEvent::Resize) PlaceNotice();
    return handled;
}

void CodeEditor::ShowNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    PlaceNotice();
}

// The notice has a strip of its own under the text, as wide as the margin and the text together:
// the text area shrinks to make room for it, so that the notice never covers a line.
void CodeEditor::PlaceNotice() {
    const QRect text = viewport()->geometry();
    const int left = contentsRect().left();
    const int width = text.right() + 1 - left;
    const int height = notice_->isVisible() ? notice_->heightForWidth(width) : 0;
    if (height != noticeHeight_) {
        noticeHeight_ = height;
        SetMargins();  // lays the viewport out again, which places the notice
        return;
    }
    margin_->setGeometry(left, text.top(), MarginWidth(), text.height());
    notice_->setGeometry(left, text.bottom() + 1, width, height);
}

void CodeEditor::PaintMargin(QPaintEvent* event) {
    QPainter painter(margin_);
    painter.fillRect(event->rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    const int lineHeight = fontMetrics().height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const int top =
            static_cast<int>(blockBoundingGeometry(block).translated(contentOffset()).top());
        if (top > event->rect().bottom()) break;
        if (!block.isVisible()) continue;
        const int line = block.blockNumber() + 1;
        if (Marked(block)) {
            painter.setBrush(kBreakpointColor);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QPoint(7, top + lineHeight / 2), 5, 5);
        }
        painter.setPen(line == runLine_ ? palette().text().color() : palette().mid().color());
        painter.drawText(0, top, margin_->width() - 4, lineHeight, Qt::AlignRight,
                         QString::number(line));
    }
}

void CodeEditor::MarginClicked(int y) {
    const QTextCursor cursor = cursorForPosition(QPoint(0, y));
    ToggleBreakpoint(cursor.blockNumber() + 1);
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool selection = textCursor().hasSelection();
    // F2 is the Debug menu's "Toggle breakpoint", which answers it in every window.
    if (event->key() == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        selection ? IndentSelectedLines(true) : InsertTabBlanks();
    } else if (event->key() == Qt::Key_Backtab ||
               (event->key() == Qt::Key_Tab && modifiers == Qt::ShiftModifier)) {
        selection ? IndentSelectedLines(false) : RemoveTabBlanks();
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
}

void CodeEditor::InsertTabBlanks() {
    QTextCursor cursor = textCursor();
    const int column = Column(cursor.block().text(), cursor.positionInBlock());
    cursor.insertText(QString(kTabColumns - column % kTabColumns, QLatin1Char(' ')));
    setTextCursor(cursor);
}

// The blanks before the caret, back to the previous tab stop; with no blank before the caret,
// the line's indent goes back one stop instead.
void CodeEditor::RemoveTabBlanks() {
    QTextCursor cursor = textCursor();
    const QString text = cursor.block().text();
    const int at = cursor.positionInBlock();
    const int column = Column(text, at);
    const int stop = column == 0 ? 0 : (column - 1) / kTabColumns * kTabColumns;
    int from = at;
    while (from > 0 && text[from - 1] == u' ' && at - from < column - stop)
        --from;
    if (from == at) return IndentSelectedLines(false);
    cursor.setPosition(cursor.block().position() + from, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

// Every line the selection touches (a line it only reaches the start of does not count), by one
// tab stop of blanks, as one step to undo; the lines stay selected. Empty lines get no blanks.
void CodeEditor::IndentSelectedLines(bool indent) {
    QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    QTextBlock last = document()->findBlock(cursor.selectionEnd());
    if (last != first && cursor.selectionEnd() == last.position()) last = last.previous();
    cursor.beginEditBlock();
    for (QTextBlock block = first;; block = block.next()) {
        const QString text = block.text();
        QTextCursor line(block);
        if (indent && (!text.isEmpty() || first == last)) {
            line.insertText(QString(kTabColumns, QLatin1Char(' ')));
        } else if (!indent) {
            int blanks = 0;
            while (blanks < kTabColumns && blanks < text.size() && text[blanks] == u' ')
                ++blanks;
            line.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, blanks);
            line.removeSelectedText();
        }
        if (block == last) break;
    }
    cursor.endEditBlock();
    if (!textCursor().hasSelection()) return;  // Shift+Tab's line without a selection
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// A tab stands in the text as the file had it, but the assembler does not take it for a blank:
// a faint arrow over it shows the student that it is there.
void CodeEditor::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    PaintTabArrows();
}

void CodeEditor::PaintTabArrows() {
    QPainter painter(viewport());
    QColor faint = palette().text().color();
    faint.setAlphaF(0.35F);
    painter.setPen(faint);
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > viewport()->height()) break;
        const QString text = block.text();
        for (qsizetype i = text.indexOf(u'\t'); i >= 0; i = text.indexOf(u'\t', i + 1)) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + static_cast<int>(i));
            const QRect before = cursorRect(cursor);
            cursor.movePosition(QTextCursor::Right);
            const QRect after = cursorRect(cursor);
            painter.drawText(
                QRect(before.left(), before.top(), after.left() - before.left(), before.height()),
                Qt::AlignCenter, QStringLiteral("→"));
        }
    }
}

// The font decides how wide a tab from a file is drawn: as far as the Tab key's blanks reach.
void CodeEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        setTabStopDistance(kTabColumns * QFontMetricsF(font()).horizontalAdvance(u' '));
        SetMargins();
    }
}

std::set<int> CodeEditor::Breakpoints() const {
    std::set<int> lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (Marked(block)) lines.insert(block.blockNumber() + 1);
    }
    return lines;
}

bool CodeEditor::HasBreakpoint(int line) const {
    return Marked(document()->findBlockByNumber(line - 1));
}

void CodeEditor::ToggleBreakpoint(int line) {
    if (line < 1 || line > blockCount()) return;
    QTextBlock block = document()->findBlockByNumber(line - 1);
    block.setUserData(Marked(block) ? nullptr : new BreakpointMark);
    margin_->update();
    emit breakpointsChanged();
}

void CodeEditor::ClearBreakpoints() {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        block.setUserData(nullptr);
    margin_->update();
    emit breakpointsChanged();
}

void CodeEditor::ShowRunLine(int line) {
    runLine_ = line;
    ShowRunLineSelection();
    margin_->update();
}

// The line being run as an extra selection: a soft yellow band that leaves the student's own
// selection and the caret as they are.
void CodeEditor::ShowRunLineSelection() {
    QList<QTextEdit::ExtraSelection> selections;
    if (runLine_ > 0) {
        QTextEdit::ExtraSelection band;
        band.format.setBackground(kRunLineColor);
        band.format.setProperty(QTextFormat::FullWidthSelection, true);
        band.cursor = QTextCursor(document()->findBlockByNumber(runLine_ - 1));
        selections.append(band);
    }
    setExtraSelections(selections);
}

}  // namespace q42
