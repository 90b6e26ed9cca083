#pragma once
// What the assembler window and the intermediate text window show of the assembler's work, in
// the windows' own terms: the intermediate text with its line map, the code text, the label table
// with its header row, the two status texts, and what becomes of the selection in the assembler
// text. The assembler's commands each show an assembly here in their own way; the windows copy
// these texts into their widgets.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "assembler/assembly.h"
#include "session/code_loading.h"

namespace q42 {

// The label table: a header row (row 0, captions set by the window) and data rows with the name,
// the kind and the value as four hex digits. It starts with 20 rows and grows by one row whenever
// a name needs a row it does not have.
struct LabelGrid {
    static constexpr int kColumns = 3;
    static constexpr int kInitialRows = 20;
    using Row = std::array<std::string, kColumns>;

    std::vector<Row> rows = std::vector<Row>(kInitialRows);
};

// What the assembler window does with the selection in the assembler text after a command.
struct AsmSelection {
    enum class Kind {
        Unchanged,  // leave it as the user had it
        Line,       // put the caret at the start of `line` and select that whole line
        Cleared,    // keep the caret, select nothing
    };
    Kind kind = Kind::Unchanged;
    int line = 0;  // source line, counting from 1
};

struct AssemblerView {
    // The intermediate text window's text and the map of its lines to the source lines, which
    // "compile only" uses for a text the user may have edited.
    IntermediateText intermediate;
    TextLines codeLines;  // the code text
    LabelGrid labelGrid;
    std::string statusText;  // where the error is, or the success text
    std::string errorText;   // the error text
    AsmSelection selection;
};

// Empties the code text and every cell of the label table's data rows, keeping the row count.
void ClearCodeAndLabels(AssemblerView& view);

// "1*: preprocess only": the intermediate text; the code text and the label table emptied; the
// diagnostic, or both status texts empty.
void ShowPreprocessing(AssemblerView& view, const Assembly& assembly);

// "2*: compile only": the intermediate text as the compiler left it, the code text, the names
// over the label table's first data rows (the rows after them keep what they held), and the
// diagnostic, or the success text with the selection cleared. "1-2: compile + preprocess" is
// ClearCodeAndLabels and then this.
void ShowCompilation(AssemblerView& view, const Assembly& assembly, bool english);

// The status texts after copying the code into RAM: the bad line, or both empty.
void ShowCodeCopy(AssemblerView& view, const std::optional<CodeLineError>& badLine);

}  // namespace q42
