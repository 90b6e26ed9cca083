#pragma once
// Colours for the assembler text: operation names, registers, numbers and constants, labels,
// strings and comments, in a quiet palette that stays readable on a projector.

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

namespace q42 {

class AsmHighlighter : public QSyntaxHighlighter {
  public:
    explicit AsmHighlighter(QTextDocument* document);

    // What a character of the line is, for the colours and for tests.
    enum class Kind { Plain, Operation, Register, Number, Label, String, Comment };
    static std::vector<Kind> Classify(const QString& line);

  protected:
    void highlightBlock(const QString& text) override;
};

}  // namespace q42
