#pragma once
// The assembler text's editor: a margin with the line numbers, where a click (or F2 at the
// caret's line) sets or clears a breakpoint, shown as a red dot; and the line being run,
// highlighted.

#include <QPlainTextEdit>
#include <set>

namespace q42 {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit CodeEditor(QWidget* parent);

    // Source lines with a breakpoint, counting from 1.
    const std::set<int>& Breakpoints() const { return breakpoints_; }
    void ToggleBreakpoint(int line);
    void ClearBreakpoints();
    // Highlights source line `line` as the one being run; 0 highlights none.
    void ShowRunLine(int line);
    int RunLine() const { return runLine_; }

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
    std::set<int> breakpoints_;
    int runLine_ = 0;

    void UpdateMargin(const QRect& rect, int dy);
    void ShowRunLineSelection();
};

}  // namespace q42
