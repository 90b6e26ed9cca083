#pragma once
// The state of one compilation, shared by its passes and the operand parsers: the names, the code
// words as typed values, and the error of the statement being compiled.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "assembler/assembly.h"
#include "assembler/err_diag.h"
#include "assembler/instruction_set.h"

namespace q42::compil {

// A word whose value is known only when every name is: a name's value, or a branch's
// displacement to a label in the word's low byte.
struct Fixup {
    enum class Kind : std::uint8_t { NameValue, Displacement };
    Kind kind;
    std::string name;
};

// One word of the code text as the compiler builds it.
struct CodeWord {
    Value value = 0;  // 0000..FFFF
    std::optional<Fixup> fixup = std::nullopt;
    // What was left of a number that failed to convert or of a name not found, shown instead
    // of the value: a compilation stopped by that error leaves it in the code text.
    std::optional<std::string> unfinished = std::nullopt;
    int sourceLine = 0;        // the source line of the statement the word belongs to
    int intermediateLine = 0;  // and its intermediate line
    std::string name = {};     // the name whose value it took once its fix-up was made

    // The word as an instruction, whose fields the operands fill in.
    InstructionWord Instruction() const { return InstructionWord(value); }
    void SetInstruction(InstructionWord word) { value = word.Word(); }
};

// The code text line of a word: four hex digits; while a fix-up waits, "@NAME" for a name's value
// and the word's digits then "@NAME" for a branch; or the text a failed number left.
std::string CodeWordText(const CodeWord& word);

// The names in the order they were entered, found by name.
class NameTable {
  public:
    const AsmName* Find(const std::string& name) const;
    // Enters a name that is not in the table yet.
    AsmName& Add(const std::string& name, NameKind kind);
    // Sets the value of a name in the table.
    void SetValue(const std::string& name, Value value);
    const std::vector<AsmName>& Entries() const { return names_; }

  private:
    std::vector<AsmName> names_;
    std::unordered_map<std::string, std::size_t> index_;
};

// How an operand is addressed, which decides its operand field and whether a word follows.
enum class Addressing : std::uint8_t {
    Unread,         // the operand could not be read
    Register,       // R0..R3 or (R0)..(R3)
    ConstantWord,   // a constant in the word after the instruction
    MemoryWord,     // the word at a name's address, the address in the word after
    ShortConstant,  // a constant -15..15 in the instruction itself
};

// An operand as the operand parser leaves it.
struct Operand {
    Addressing addressing = Addressing::Unread;
    int number = 0;         // a register's form 0..7, or a short constant's magnitude 0..15
    bool negative = false;  // a short constant below 0
    bool byte = false;      // marked "%"
    // The word after the instruction, when one follows.
    std::optional<CodeWord> next = std::nullopt;
    // The operand as messages name it: without its byte mark; a name as "@NAME"; a number as four
    // hex digits, a negative short constant as FFF and its magnitude; after an error, what was
    // left of the text.
    std::string text = {};

    // The operand field: the register form, D for a constant word, E for a memory word, or the
    // short constant's magnitude.
    int Field() const;
    bool IsShortConstant() const { return addressing == Addressing::ShortConstant; }
};

// One statement while it is encoded.
struct Statement {
    std::string line;                     // the whole intermediate line
    const Mnemonic* operation = nullptr;  // its entry in the instruction table
    CodeWord word;                        // the instruction word, starting as the operation's
    std::vector<CodeWord> extra;          // the words after it: at most two
};

struct Compilation {
    explicit Compilation(const AsmOptions& options)
        : useShortConst(options.useShortConst), english(options.englishInterface) {}

    const bool useShortConst;  // constants -15..15 go into the instruction word
    const bool english;        // the language of the warnings
    std::vector<AsmWarning> warnings;
    NameTable names;
    std::vector<CodeWord> code;
    std::optional<AsmError> error;  // the error of the line being compiled; a later one replaces it
    bool hltSeen = false;
    int sourceLine = 0;        // the source line of the statement being encoded
    int intermediateLine = 0;  // and its intermediate line

    void Fail(AsmError e) { error = std::move(e); }
    void Warn(AsmWarning::Kind kind, int line, std::string text) {
        warnings.push_back({kind, line, std::move(text)});
    }
    // Appends a word that belongs to the statement being encoded.
    void AppendCode(CodeWord word);
};

// The passes; each returns the failure that stopped it, or nothing.
std::optional<AsmFailure> CollectNames(Compilation& c, IntermediateText& text);
std::optional<AsmFailure> EncodeStatements(Compilation& c, const IntermediateText& text);
std::optional<AsmFailure> ResolveReferences(Compilation& c);

// A constant in the word after the instruction.
Operand WordConstant(Value value);
// Reads one operand of the statement.
Operand ParseOperand(Compilation& c, const Statement& st, std::string text);
// The port of P.n, Pn or n with n 0..15, or nothing after an error.
std::optional<int> ParsePort(Compilation& c, const std::string& text);

}  // namespace q42::compil
