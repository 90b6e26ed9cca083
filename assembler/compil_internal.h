#pragma once
// The state of one compilation, shared by its passes and the operand parsers.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "assembler/asm_texts.h"
#include "assembler/err_diag.h"
#include "assembler/instruction_set.h"

namespace q42::compil {

// One statement while it is encoded.
struct Statement {
    std::string line;                     // the whole intermediate line
    const Mnemonic* operation = nullptr;  // its entry in the instruction table
    std::string word;                     // the code word, starting as the operation's code text
    std::string extra1;
    std::string extra2;
    int byteMark = 0;    // 1 when the operand parsed last ended in "%"
    int shortConst = 0;  // 0 none, 2 a constant 0..15, 3 a constant -1..-15
};

// An operand as the operand parser leaves it.
struct Operand {
    // '\0' when the operand could not be read; otherwise the digit for the operand field:
    // '0'..'7' a register form, 'D' a constant, 'E' a memory word, or a short constant's magnitude.
    char kind = '\0';
    std::string text;       // byte mark removed; a name as "@NAME"; a number as four hex digits
    std::string fullValue;  // for a constant: its whole 16-bit value (or "@NAME")
};

class Compilation {
  public:
    Compilation(AssemblerTexts& texts, const AsmOptions& options, AsmWarnings& warnings);

    AssemblerTexts& texts;
    const AsmOptions& options;
    AsmWarnings& warnings;
    std::string error;  // the compile error, empty while there is none
    bool hltSeen = false;
    int lastRead = 0;             // the intermediate line read last, counting from 1
    std::vector<int> codeSource;  // for every code line, the source line of its statement

    const std::string& Msg(AsmMessage message) const {
        return AsmText(message, options.englishInterface);
    }
    void Fail(std::string text) { error = std::move(text); }

    // The label table row holding `name`, or 0.
    int LookupName(const std::string& name) const;
    // Enters a name in the next row, growing the table by one row when it has none left.
    LabelGrid::Row& AddName(const std::string& name, char kind);

    // Appends a code line that belongs to the statement read last.
    void AppendCode(std::string word);

    // Shows the error with source line n: its number and text, and selects it.
    void ShowCompileError(int sourceLine);

  private:
    std::unordered_map<std::string, int> rows_;
    int labelCount_ = 0;
};

bool CollectNames(Compilation& c);
bool EncodeStatements(Compilation& c);
bool ResolveReferences(Compilation& c);

// Reads one operand; sets the statement's byte mark and, for a short constant, its ShortConst.
Operand ParseOperand(Compilation& c, Statement& st, std::string text);
// The port digit of P.n, Pn or n with n 0..15, or '\0' after an error.
char ParsePort(Compilation& c, const std::string& text);

}  // namespace q42::compil
