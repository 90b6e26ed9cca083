#include "desktop/code_editor.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>

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

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), margin_(new MarginArea(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(MarginWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this,
            [this](const QRect& rect, int dy) { UpdateMargin(rect, dy); });
    setViewportMargins(MarginWidth(), 0, 0, 0);
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
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), MarginWidth(), area.height());
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
        if (breakpoints_.count(line) != 0) {
            painter.setBrush(QColor(0xC6, 0x28, 0x28));
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
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        ToggleBreakpoint(textCursor().blockNumber() + 1);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodeEditor::ToggleBreakpoint(int line) {
    if (line < 1 || line > blockCount()) return;
    if (!breakpoints_.erase(line)) breakpoints_.insert(line);
    margin_->update();
    emit breakpointsChanged();
}

void CodeEditor::ClearBreakpoints() {
    breakpoints_.clear();
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
        band.format.setBackground(QColor(0xFF, 0xF1, 0x9C));
        band.format.setProperty(QTextFormat::FullWidthSelection, true);
        band.cursor = QTextCursor(document()->findBlockByNumber(runLine_ - 1));
        selections.append(band);
    }
    setExtraSelections(selections);
}

}  // namespace q42
