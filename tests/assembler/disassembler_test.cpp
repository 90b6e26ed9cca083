// The disassembler against the assembler: statements read from words assemble back to the same
// words, and every word the assembler writes is read back as a statement of its operation.

#include <gtest/gtest.h>

#include <set>

#include "assembler/disassembler.h"
#include "assembler/mnemonic.h"
#include "machine/machine.h"
#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

// Words laid out from `start`; 0000 everywhere else.
struct Memory {
    Value start;
    std::vector<Value> words;

    Value operator()(Value address) const {
        const Value index = (address - start) / 2;
        const bool inside = address >= start && index < static_cast<Value>(words.size());
        return inside ? words[static_cast<std::size_t>(index)] : 0;
    }
};

// The "@HHHH" names in the statements.
std::set<std::string> NamesIn(const std::vector<std::string>& statements) {
    std::set<std::string> names;
    for (const std::string& text : statements)
        for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1))
            names.insert(text.substr(at, 5));
    return names;
}

// What the assembler writes for statements placed from `address` on, each name "@HHHH" defined
// as its address: the words, or the error text.
struct Assembled {
    std::vector<Value> words;
    std::string error;
};

Assembled AssembleAt(const std::vector<std::string>& statements, Value address, bool shortConst) {
    std::vector<std::string> source;
    for (const std::string& name : NamesIn(statements))
        source.push_back(name + "=0" + name.substr(1) + "H");
    if (address > 0) source.push_back("RW " + std::to_string(address / 2));
    source.insert(source.end(), statements.begin(), statements.end());
    const AsmRun run = RunAssembler(source, Options(true, shortConst));
    Assembled result{{}, run.error};
    const auto& code = run.assembly.code;
    for (std::size_t i = static_cast<std::size_t>(address / 2); i < code.size(); ++i)
        result.words.push_back(HexToWord(code[i].CodeLine()).value);
    return result;
}

struct TextCase {
    std::vector<Value> words;
    const char* text;
    Value address = 0x10;
    bool shortConst = true;
};

// Representative words and their statements.
const TextCase kTextCases[] = {
    {{0x0000}, "NOP"},
    {{0xAF18}, "HLT"},
    {{0x0C00}, "RET"},
    {{0x0D00}, "BRET"},
    {{0x0E80}, "PUSHPS"},
    {{0x2150}, "MOV #5,R0"},
    {{0x3250}, "ADD #-5,R0"},
    {{0x01D0, 0x0010}, "MOV #0010H,R0"},
    {{0x02D0, 0x0005}, "ADD #0005H,R0", 0x10, false},
    {{0x07D0, 0xFFFF}, "AND #0FFFFH,R0", 0x10, false},
    {{0x8150}, "MOV (R1)%,R0"},
    {{0x8101}, "MOV R0%,R1"},
    {{0xC312}, "SUB R1%,R2%"},
    {{0xE914}, "XOR #1%,(R0)%"},
    {{0x01EE, 0x0040, 0x0042}, "MOV @0040,@0042"},
    {{0x0A30}, "IN P.3,R0"},
    {{0x0AFE, 0x0040}, "IN P.15,@0040"},
    {{0x2B51}, "OUT #5,P.1"},
    {{0x1C0D, 0x0004}, "JMP #0004H"},
    {{0x9C0D, 0x4182}, "CALL #4182H", 0x10, false},
    {{0x4C03}, "JNE R3"},
    {{0x1C0E, 0x0040}, "JMP @0040"},
    {{0x1DF8}, "BR @000A"},
    {{0x4D7E}, "BNE @0090"},
    {{0x9D80}, "BCALL @0082", 0x100},
    {{0x0E2D, 0x0003}, "PUSH #0003H"},
    {{0xCE14}, "NOT (R0)%"},
    // Words the assembler never writes.
    {{0xFFFF}, "DW 0FFFFH"},
    {{0x0F00}, "DW 0F00H"},       // HLT is AF18
    {{0x0180}, "DW 0180H"},       // operand field 8
    {{0x01C0}, "DW 01C0H"},       // operand field C
    {{0x020D}, "DW 020DH"},       // a constant as the destination
    {{0x4210}, "DW 4210H"},       // a byte mark on operand 2 alone
    {{0x8210}, "DW 8210H"},       // on operand 1 alone, not in MOV
    {{0xA110}, "DW 0A110H"},      // MOV's byte into a word with a short constant
    {{0x3200}, "DW 3200H"},       // short constant -0
    {{0x1210}, "DW 1210H"},       // mode 1
    {{0x0C10}, "DW 0C10H"},       // RET with an operand field
    {{0x1C10}, "DW 1C10H"},       // a jump's field 1
    {{0xAD04}, "DW 0AD04H"},      // a conditional call
    {{0x1D7F}, "DW 1D7FH"},       // 127 bytes forward
    {{0x1DF0}, "DW 1DF0H", 0x0},  // before 0000
    {{0x0ED0}, "DW 0ED0H"},       // sub-operation 13
    {{0x0E1D}, "DW 0E1DH"},       // NOT of a constant
    {{0xCE2D}, "DW 0CE2DH"},      // PUSH of a byte
    {{0x8B15}, "DW 8B15H"},       // OUT of a byte
    {{0x2A31}, "DW 2A31H"},       // IN with a short constant
};

// The words read as the statement, and the statement assembled to the words.
TEST(Disassembler, ReadsWordsAsTheStatementsThatWriteThem) {
    for (const TextCase& c : kTextCases) {
        const Disassembled read = Disassemble(Memory{c.address, c.words}, c.address);
        EXPECT_EQ(read.text, c.text) << WordToHex(c.words[0]);
        EXPECT_EQ(read.words, static_cast<int>(c.words.size())) << c.text;
        const Assembled written = AssembleAt({c.text}, c.address, c.shortConst);
        EXPECT_EQ(written.error, "") << c.text;
        EXPECT_EQ(written.words, c.words) << c.text;
    }
}

// A program read from words: its statements and the words each stands for.
struct Listing {
    std::vector<std::string> statements;
    std::vector<Value> words;
    std::vector<std::size_t> firstWords;  // of each statement

    // The statement the first word that differs from `written` belongs to, for messages.
    std::string FirstDifference(const std::vector<Value>& written) const {
        std::size_t i = 0;
        while (i < words.size() && i < written.size() && words[i] == written[i])
            ++i;
        std::size_t s = 0;
        while (s + 1 < firstWords.size() && firstWords[s + 1] <= i)
            ++s;
        return s < statements.size() ? statements[s] : "";
    }
};

// Every instruction word of an operation code, each followed by the same two words, read one
// statement after another into a program; the program assembles to the words read. Short
// constants are on, so the words after the instructions lie outside -15..15; the first starts
// with a letter, as a constant or an address. The program starts at 0100, so that branches reach
// back as far as they can.
TEST(Disassembler, EveryWordReadsBackToItself) {
    constexpr Value kStart = 0x100;
    const std::vector<Value> operandWords = {0xFF02, 0x0042};
    for (int operation = 0; operation < 16; ++operation) {
        Listing listing;
        for (Value low = 0; low < 0x1000; ++low) {
            const Value address = kStart + 2 * static_cast<Value>(listing.words.size());
            const Value word = ((low & 0xF00) << 4) | (Value{operation} << 8) | (low & 0xFF);
            std::vector<Value> laid = {word};
            laid.insert(laid.end(), operandWords.begin(), operandWords.end());
            const Disassembled read = Disassemble(Memory{address, laid}, address);
            listing.statements.push_back(read.text);
            listing.firstWords.push_back(listing.words.size());
            listing.words.insert(listing.words.end(), laid.begin(), laid.begin() + read.words);
        }
        const Assembled written = AssembleAt(listing.statements, kStart, true);
        ASSERT_EQ(written.error, "") << "operation " << operation;
        EXPECT_EQ(written.words, listing.words)
            << "operation " << operation << ": " << listing.FirstDifference(written.words);
    }
}

// The operands the assembler reads, and the ports.
std::vector<std::string> OperandTexts() {
    std::vector<std::string> texts;
    for (int field = 0; field < kRegisterFieldCount; ++field)
        texts.emplace_back(OperandFieldNames()[field].english);
    texts.insert(texts.end(), {"#0", "#15", "#-1", "#-15", "#16", "#-16", "#1234H", "@0040"});
    for (std::size_t i = 0, n = texts.size(); i < n; ++i)
        texts.push_back(texts[i] + "%");
    return texts;
}

std::vector<std::string> PortTexts() {
    std::vector<std::string> ports;
    for (int port = 0; port < kPortCount; ++port)
        ports.push_back("P." + std::to_string(port));
    return ports;
}

std::vector<std::string> Pairs(const std::vector<std::string>& first,
                               const std::vector<std::string>& second) {
    std::vector<std::string> pairs;
    for (const std::string& a : first)
        for (const std::string& b : second)
            pairs.push_back(a + "," + b);
    return pairs;
}

// Branch targets for a branch at 0100, by their distance from the word after it: each end of its
// reach and just past it, and a few between.
std::vector<std::string> TargetTexts() {
    std::vector<std::string> targets;
    for (const int distance : {-130, -129, -128, -127, -2, -1, 0, 1, 2, 125, 126, 127, 128})
        targets.push_back("@" + WordToHex(0x102 + distance));
    return targets;
}

// Operand texts to try with an operation, by how it takes its operands; the assembler rejects
// some.
std::vector<std::string> OperandsToTry(OperandForm form) {
    using enum OperandForm;
    switch (form) {
        case None: return {""};
        case Data:
        case Move: return Pairs(OperandTexts(), OperandTexts());
        case PortToWord: return Pairs(PortTexts(), OperandTexts());
        case WordToPort: return Pairs(OperandTexts(), PortTexts());
        case Label: return TargetTexts();
        case Number: return {"0", "-1", "32767", "-32768", "0FFFFH", "1234H", "#5"};
        case Target:
        case Changed:
        case WordSource:
        case WordDestination: return OperandTexts();
    }
    return {};
}

// Every statement of every operation that the assembler accepts, with short constants on and
// off, at 0000 (a branch at 0100): its words read back as a statement of the same operation (DW's
// words may be any operation's), and that statement assembles to the same words with the same
// setting.
TEST(Disassembler, EveryWrittenStatementReadsBackAsItsOperation) {
    for (const Mnemonic& entry : MnemonicTable()) {
        const Value start = entry.form == OperandForm::Label ? 0x100 : 0;
        int accepted = 0;
        for (const std::string& operands : OperandsToTry(entry.form)) {
            const std::string name(entry.name);
            const std::string statement = operands.empty() ? name : name + " " + operands;
            for (const bool shortConst : {true, false}) {
                const Assembled written = AssembleAt({statement}, start, shortConst);
                if (!written.error.empty()) continue;
                ++accepted;
                const Disassembled read = Disassemble(Memory{start, written.words}, start);
                EXPECT_EQ(read.words, static_cast<int>(written.words.size())) << statement;
                if (entry.form != OperandForm::Number) {
                    EXPECT_EQ(read.text.substr(0, read.text.find(' ')), name) << statement;
                }
                const Assembled again = AssembleAt({read.text}, start, shortConst);
                EXPECT_EQ(again.words, written.words) << statement << " -> " << read.text;
            }
        }
        EXPECT_GT(accepted, 0) << entry.name;
    }
}

}  // namespace
}  // namespace q42::test
