#pragma once
// The assembler text's editor: a margin with the line numbers, where a click (or F2 at the
// caret's line) sets or clears a breakpoint, shown as a red dot; the line being run,
// highlighted; and a notice along its bottom edge. A breakpoint belongs to its line of text, so
// it moves with the line when lines are added or removed above it.

#include <QPlainTextEdit>
#include <set>

class QLabel;

namespace q42 {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit CodeEditor(QWidget* parent);

    // Source lines with a breakpoint, counting from 1.
    std::set<int> Breakpoints() const;
    bool HasBreakpoint(int line) const;
    void ToggleBreakpoint(int line);
    void ClearBreakpoints();
    // Highlights source line `line` as the one being run; 0 highlights none.
    void ShowRunLine(int line);
    int RunLine() const { return runLine_; }
    // A line of text along the editor's bottom edge (what a pause says, or why no line is
    // highlighted); an empty text hides it.
    void ShowNotice(const QString& text);
    QLabel* Notice() const { return notice_; }

    // The margin, for painting and clicks.
    QWidget* Margin() const { return margin_; }
    int MarginWidth() const;
    void PaintMargin(QPaintEvent* event);
    void MarginClicked(int y);

  signals:
    void breakpointsChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QWidget* margin_;
    QLabel* notice_;
    int runLine_ = 0;

    void UpdateMargin(const QRect& rect, int dy);
    void PlaceNotice();
    void ShowRunLineSelection();
};

}  // namespace q42
