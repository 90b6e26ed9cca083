#pragma once
// What the assembler gives back: an assembly of an assembler text, held as values. The code
// words with the source line and the intermediate line of each, the names with their kinds and
// values, the intermediate text with its map back to the source lines, and the diagnostic and the
// warnings as data with their texts in the language asked for. Every face turns it into its own
// view. All texts are 8-bit Windows-1251.

#include <optional>
#include <string>
#include <vector>

#include "assembler/err_diag.h"
#include "machine/common.h"
#include "machine/language.h"

namespace q42 {

using TextLines = std::vector<std::string>;

struct AsmOptions {
    bool englishInterface = EnglishTexts();  // the language of the diagnostic and the warnings
    bool useShortConst = true;               // constants -15..15 go into the instruction word
};

// The intermediate text and, for each of its lines, the source line that produced it.
struct IntermediateText {
    TextLines lines;
    // sourceLines[i] is the source line (counting from 1) of lines[i]. A text typed or edited by
    // hand may have more lines than the map reaches.
    std::vector<int> sourceLines;

    // The source line of intermediate line i (counting from 1), or 0 when the map does not
    // reach it.
    int SourceLineOf(int i) const;
};

// One word of the code, with the statement it belongs to.
struct AssembledWord {
    Value value = 0;  // 0000..FFFF
    // Set on a word a failed compilation left unfinished: its code line as it stands, "@NAME" for
    // a name's value still to come, the word's digits then "@NAME" for a branch, or what was left
    // of a bad number or name.
    std::optional<std::string> unfinished = std::nullopt;
    int sourceLine = 0;        // the source line of the statement (counting from 1)
    int intermediateLine = 0;  // and its intermediate line
    // The name the statement wrote for the word: the name whose value it holds ("#PUTC", "X"),
    // or for a branch the label it reaches. Empty when it wrote none.
    std::string name = {};

    // The word's line of the code text: four hex digits, or the unfinished text.
    std::string CodeLine() const;
};

// A label or a constant. The kinds are the characters the label table shows.
enum class NameKind : char {
    Label = ':',
    Constant = '=',
    AddressConstant = '@',  // a constant whose name begins with "@"
};

struct AsmName {
    std::string name;
    NameKind kind = NameKind::Label;
    std::optional<Value> value;  // a constant's value, or a label's address once it is known
};

// The error that stopped an assembly, as every face shows it.
struct AsmDiagnostic {
    AsmError error;         // the message and the item it names
    int sourceLine = 0;     // counting from 1; 0 when the line is not known
    bool inSource = false;  // the assembler text has that line
    // The line's number and text: "3:  mov #';',r0" (the source line), or "3: MOV #'" (the line
    // as the preprocessor's failing step held it).
    std::string where;
    std::string text;  // the error text: "Too large const: 32768"
};

// A notice that never stops the compilation.
struct AsmWarning {
    enum class Kind {
        NoHlt,           // the program has no HLT statement
        NameOrConstant,  // a plain name that may have been meant with "#"
        ProgramTooLong,  // more words than RAM holds
    };
    Kind kind = Kind::NoHlt;
    int sourceLine = 0;  // the statement's source line; 0 for a warning about the whole program
    std::string text;    // the question holds line feeds between its three lines
};

struct Assembly {
    // The intermediate text as the compiler left it, without its constant definitions; after a
    // preprocessor error, the lines written up to and including the line with the error.
    IntermediateText intermediate = {};
    // The code, in address order from 0000. After an error: the words written so far, those of
    // the failing statement included.
    std::vector<AssembledWord> code = {};
    std::vector<AsmName> names = {};  // in the order they were entered
    std::optional<AsmDiagnostic> diagnostic = std::nullopt;
    std::vector<AsmWarning> warnings = {};  // in the order they were given

    bool Ok() const { return !diagnostic.has_value(); }
    // The code text: one line per word.
    TextLines CodeText() const;
};

// The text of source line n (counting from 1), or "" when there is no such line.
const std::string& SourceLineText(const TextLines& source, int n);

// The diagnostic of a pass's failure, with the texts in the chosen language.
AsmDiagnostic Diagnose(const AsmFailure& failure, const TextLines& source, bool english);

}  // namespace q42
