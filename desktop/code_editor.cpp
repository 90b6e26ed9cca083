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
    PlaceNotice();
}

void CodeEditor::ShowNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    PlaceNotice();
}

// Across the bottom of the text area, above the scroll bar.
void CodeEditor::PlaceNotice() {
    const QRect area = viewport()->geometry();
    const int height = notice_->heightForWidth(area.width());
    notice_->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
    notice_->raise();
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
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        ToggleBreakpoint(textCursor().blockNumber() + 1);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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
