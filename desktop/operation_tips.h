#pragma once
// Tooltips over the operation names in an assembler editor: resting the mouse on "MOV" shows how
// it is written, what it does and the operands it takes, from the instruction table.

#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace q42 {

class OperationTips : public QObject {
  public:
    // Watches the editor's text area; the tips live as long as the editor.
    explicit OperationTips(QPlainTextEdit* editor);

    // The tip for the word at the given character of a line, or "" when it names no operation
    // or stands in a comment.
    static QString TipAt(const QString& line, int column);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPlainTextEdit* editor_;
};

}  // namespace q42
