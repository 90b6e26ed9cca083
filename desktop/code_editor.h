#pragma once
// The assembler text's editor: a margin with the line numbers, where a click (or F2 at the
// caret's line) sets or clears a breakpoint, shown as a red dot; the line being run,
// highlighted; and a notice in a strip of its own under the text. A breakpoint belongs to its
// line of text, so it moves with the line when lines are added or removed above it.
//
// The assembler takes only the blank as a separator, never the tab: the Tab key puts blanks up
// to the next multiple of 8 columns (Shift+Tab takes them back), and a tab that comes from a
// file or a paste stays as it is, drawn as a faint arrow so that the student sees it.

#include <QPlainTextEdit>
#include <set>

class QLabel;

namespace q42 {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit CodeEditor(QWidget* parent);

    // The columns a tab stop is apart: where the Tab key's blanks reach, and how wide a tab
    // from a file is drawn.
    static constexpr int kTabColumns = 8;

    // Source lines with a breakpoint, counting from 1.
    std::set<int> Breakpoints() const;
    bool HasBreakpoint(int line) const;
    void ToggleBreakpoint(int line);
    void ClearBreakpoints();
    // Highlights source line `line` as the one being run; 0 highlights none.
    void ShowRunLine(int line);
    int RunLine() const { return runLine_; }
    // A line of text in a strip under the text, which shrinks to make room for it (what a pause
    // says, or why no line is highlighted); an empty text hides it.
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
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    QWidget* margin_;
    QLabel* notice_;
    int runLine_ = 0;
    int noticeHeight_ = 0;  // the strip the notice takes under the text

    void UpdateMargin(const QRect& rect, int dy);
    void SetMargins();
    void PlaceNotice();
    void ShowRunLineSelection();
    // Tab and Shift+Tab: blanks to the next tab stop, or back to the previous one; with a
    // selection, every selected line indented or unindented by one stop.
    void InsertTabBlanks();
    void RemoveTabBlanks();
    void IndentSelectedLines(bool indent);
    void PaintTabArrows();
};

}  // namespace q42
