#pragma once
// The texts the assembler works on, held without any window: the assembler text, the intermediate
// text with its map back to the source lines, the code text, the label table and the two status
// texts. The assembler window and the intermediate text window show them; the command-line tool
// fills and prints them. All texts are 8-bit Windows-1251.

#include <array>
#include <string>
#include <vector>

#include "machine/language.h"

namespace q42 {

using TextLines = std::vector<std::string>;

// The label table: a header row (row 0, captions set by the window) and data rows with the name,
// the kind (":" label, "=" constant, "@" constant whose name begins with "@") and the value as
// four hex digits. The compiler grows it by one row whenever it needs a row it does not have.
struct LabelGrid {
    static constexpr int kColumns = 3;
    static constexpr int kInitialRows = 20;
    using Row = std::array<std::string, kColumns>;

    std::vector<Row> rows = std::vector<Row>(kInitialRows);
};

// What the assembler window does with the selection in the assembler text after a run.
struct AsmSelection {
    enum class Kind {
        Unchanged,  // leave it as the user had it
        Line,       // put the caret at the start of `line` and select that whole line
        Cleared,    // keep the caret, select nothing
    };
    Kind kind = Kind::Unchanged;
    int line = 0;  // source line, counting from 1
};

struct AssemblerTexts {
    TextLines asmText;   // the assembler text, source line n at index n - 1
    TextLines compText;  // the intermediate text
    // lineMap[i] is the source line that produced intermediate line i (counting from 1);
    // entry 0 is unused, so the map has one entry more than compText after preprocessing.
    std::vector<int> lineMap = {0};
    TextLines codeText;  // the code text, one word per line
    // The source line and the intermediate line of every code text line, as the compiler wrote
    // them; empty for a code text loaded from a file.
    std::vector<int> codeSource;
    std::vector<int> codeIntermediate;
    LabelGrid labels;
    std::string lineLab;  // where the error is, or the success text
    std::string errLab;   // the error text
    AsmSelection asmSelection;
};

struct AsmOptions {
    bool englishInterface = EnglishTexts();  // the diagnostics' language
    bool useShortConst = true;               // constants -15..15 go into the instruction word
};

// Warnings of the compiler: "No HLT command!" and the name-or-constant question. Each is a notice
// with a single OK button; the compilation goes on after it whatever the user does, so there is
// no answer to return. The desktop program shows a warning box; the command-line tool prints
// "warning: " and the text on stderr.
class AsmWarnings {
  public:
    virtual ~AsmWarnings() = default;
    // `text` is 8-bit Windows-1251; the question holds line feeds between its three lines.
    virtual void Warn(const std::string& text) = 0;
};

// Empties the code text and every cell of the label table's data rows, keeping the row count.
void ClearCodeAndLabels(AssemblerTexts& texts);

// The text of source line n (counting from 1), or "" when there is no such line.
const std::string& SourceLineText(const AssemblerTexts& texts, int n);

// The source line that produced intermediate line i (counting from 1) by the line map, or 0 when
// the map does not reach it (an intermediate text typed or edited by hand).
int MappedSourceLine(const std::vector<int>& lineMap, int i);

}  // namespace q42
