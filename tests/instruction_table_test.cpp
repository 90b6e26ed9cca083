// The instruction table against the assembler, the machine and the decoding dialog. Every entry is
// assembled, its word compared with the words written here and with the table's fields, executed
// from one fixed machine state and decoded. What each operation must do is written out here by
// hand from the machine's rules, so an operation code, sub-operation, condition or call flag
// changed in the table or in the machine's dispatch makes some operation write another word, do
// something else or decode as another.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>

#include "assembler/mnemonic.h"
#include "machine/codepage.h"
#include "session/decoder.h"
#include "tests/assembler/asm_test_support.h"
#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

// The state every operation starts from, the program being at 0000. R0 is negative, so that the
// three shifts differ; R1 is the source and R2 the destination of the two-operand operations; R3
// is the jumps' target; the word on top of the stack is where the returns go.
constexpr char kStart[] = "R0=8006 R1=3 R2=E R3=50 SP=F0 PS=1 @F0=24";

// Assembles the lines, separated by "|", and gives the code words.
std::vector<Value> Assembled(std::string_view source) {
    std::vector<std::string> lines;
    for (std::string rest(source); !rest.empty();) {
        const auto bar = std::min(rest.find('|'), rest.size());
        lines.push_back(rest.substr(0, bar));
        rest.erase(0, bar + 1);
    }
    const AsmRun run = RunAssembler(lines, Options(true));
    EXPECT_EQ(run.error, "") << source;
    std::vector<Value> words;
    for (const AssembledWord& word : run.assembly.code)
        words.push_back(word.value);
    return words;
}

// The table's entry for the operation the source starts with.
const Mnemonic& EntryOf(std::string_view source) {
    const Mnemonic* entry = LookupMnemonic(source.substr(0, source.find_first_of(" |")));
    if (entry == nullptr) throw std::invalid_argument("no operation in " + std::string(source));
    return *entry;
}

// The fields of the word that the entry fixes are the entry's. The statements here use no byte
// marks and no short constants, so the top four bits are the entry's too.
void ExpectTableFields(const Mnemonic& entry, Value word) {
    Value fixed = 0xFF00;  // the top bits and the operation code
    if (entry.form == OperandForm::None) {
        fixed = 0xFFFF;
    } else if (entry.fields.Operation() == kSingle) {
        fixed = 0xFFF0;  // and the sub-operation
    }
    EXPECT_EQ(WordToHex(word & fixed), WordToHex(entry.fields.Word() & fixed)) << entry.name;
}

// The decoding dialog names the word as the table does, in both languages.
void ExpectDecodedName(const Mnemonic& entry, const std::vector<Value>& words) {
    Machine machine;
    Edit(machine, [&](MachineState& s) { std::copy(words.begin(), words.end(), s.ram.begin()); });
    for (const Language language : {Language::Russian, Language::English}) {
        SetTextLanguage(language);
        Decoder decoder;
        decoder.DecodeAt(machine, 0);
        const Bilingual& name = entry.decoded;
        EXPECT_EQ(Cp1251ToUtf8(decoder.Shown().operation),
                  language == Language::English ? name.english : name.russian)
            << entry.name;
    }
    SetTextLanguage(Language::Russian);
}

// Every register, PC, SP, PS, the stop flag, RAM and the ports.
std::string Differences(const MachineState& actual, const MachineState& expected) {
    std::ostringstream out;
    const auto check = [&](const std::string& what, Value got, Value wanted) {
        if (got != wanted)
            out << what << ": expected " << WordToHex(wanted) << ", got " << WordToHex(got) << "\n";
    };
    for (int n = 0; n < 4; ++n)
        check("R" + std::to_string(n), actual.r[n], expected.r[n]);
    check("PC", actual.pc, expected.pc);
    check("SP", actual.sp, expected.sp);
    check("PS", actual.ps, expected.ps);
    check("STOP", actual.stopFlag, expected.stopFlag);
    for (int i = 0; i < kRamWords; ++i)
        check("@" + WordToHex(2 * i), actual.ram[i], expected.ram[i]);
    for (int port = 0; port < kPortCount; ++port)
        check("port " + std::to_string(port), actual.ports[port], expected.ports[port]);
    return out.str();
}

// Loads the program at 0000 into a machine in the state `start`, executes its first instruction
// and compares the whole machine with the start changed by `after`; PC moves past the
// instruction's own words unless `after` sets it.
void ExpectEffect(const std::vector<Value>& program, std::size_t instructionWords,
                  std::string_view start, std::string_view after, Fault fault = Fault::None,
                  int port = -1, Value portValue = 0) {
    Machine machine;
    for (std::size_t i = 0; i < program.size(); ++i)
        machine.LoadWord(static_cast<Value>(2 * i), program[i]);
    ApplyState(machine, start);
    Machine expected = machine;
    Edit(expected, [&](MachineState& s) {
        s.pc = static_cast<Value>(2 * instructionWords);
        if (port >= 0) s.ports[port] = portValue;
    });
    ApplyState(expected, after);
    Execute(machine, program);
    EXPECT_EQ(Differences(machine.State(), expected.State()), "");
    EXPECT_EQ(Utf8(machine.State().runError), Utf8(fault));
}

// Operations that do the same thing whatever the flags.
struct EffectCase {
    const char* source;         // the statement, then any lines it needs, separated by "|"
    std::vector<Value> words;   // the statement's words
    const char* after;          // what it changes in kStart
    Fault fault = Fault::None;  // the error it leaves
    int port = -1;              // the port it writes, and the value
    Value portValue = 0;
};

void PrintTo(const EffectCase& c, std::ostream* os) {
    *os << c.source;
}

const EffectCase kEffects[] = {
    {"NOP", {0x0000}, ""},
    // Operand 1 is R1 = 3, operand 2 is R2 = E.
    {"MOV R1,R2", {0x0112}, "R2=3 PS=0"},
    {"ADD R1,R2", {0x0212}, "R2=11 PS=0"},
    {"SUB R1,R2", {0x0312}, "R2=B PS=0"},
    {"CMP R1,R2", {0x0412}, "PS=0"},  // 3 < E: the result is 1, stored nowhere
    {"MUL R1,R2", {0x0512}, "R2=2A PS=0"},
    {"DIV R1,R2", {0x0612}, "R2=4 PS=0"},
    {"AND R1,R2", {0x0712}, "R2=2 PS=0"},
    {"OR R1,R2", {0x0812}, "R2=F PS=0"},
    {"XOR R1,R2", {0x0912}, "R2=D PS=0"},
    {"IN 4,R2", {0x0A42}, "R2=80"},  // port 4 always reads 80; the flags stay
    {"OUT R1,5", {0x0B15}, "", Fault::None, 5, 3},
    {"HLT", {0xAF18}, "STOP=1"},
    {"PAGE0", {0x0E00}, "", Fault::NonexistentOperation},
    {"MYPAGE", {0x0E01}, "", Fault::NonexistentOperation},
    {"DW 7", {0x0007}, ""},  // the number itself: here a NOP
    {"NOT R0", {0x0E10}, "R0=7FF9 PS=0"},
    {"PUSH R1", {0x0E21}, "SP=EE @EE=3 PS=0"},
    {"POP R1", {0x0E31}, "R1=24 SP=F2 PS=0"},
    {"ADDSP R1", {0x0E41}, "SP=F3 PS=0"},
    {"SUBSP R1", {0x0E51}, "SP=ED PS=0"},
    {"TOSP R1", {0x0E61}, "SP=3 PS=0"},
    {"FRMSP R1", {0x0E71}, "R1=F0 PS=0"},
    {"PUSHPS", {0x0E80}, "SP=EE @EE=1"},
    {"POPPS", {0x0E90}, "SP=F2 PS=24"},
    {"SL R0", {0x0EA0}, "R0=C PS=0"},
    {"SR R0", {0x0EB0}, "R0=4003 PS=0"},
    {"ASR R0", {0x0EC0}, "R0=C003 PS=1"},
};

class TableEffect : public testing::TestWithParam<EffectCase> {};

TEST_P(TableEffect, AssemblesExecutesAndDecodesAsTheTableSays) {
    const EffectCase& c = GetParam();
    const Mnemonic& entry = EntryOf(c.source);
    const std::vector<Value> program = Assembled(c.source);
    ASSERT_GE(program.size(), c.words.size());
    EXPECT_EQ(std::vector(program.begin(), program.begin() + c.words.size()), c.words);
    if (entry.form == OperandForm::Number) return;  // data, not an operation
    ExpectTableFields(entry, program[0]);
    ExpectEffect(program, c.words.size(), kStart, c.after, c.fault, c.port, c.portValue);
    ExpectDecodedName(entry, program);
}

INSTANTIATE_TEST_SUITE_P(Operations, TableEffect, testing::ValuesIn(kEffects));

// Jumps and branches, each executed with the four settings of N and Z.
struct JumpCase {
    const char* source;
    std::vector<Value> words;
    const char* taken;   // for PS = 0, 1 (N), 2 (Z), 3 (N and Z): "J" jumps, "-" goes on
    const char* jumped;  // what a taken jump changes
};

void PrintTo(const JumpCase& c, std::ostream* os) {
    *os << c.source;
}

// The jumps go to R3 = 0050, the branches to L = 0004. A return goes to the word on top of the
// stack, 0024; a call pushes the address after the instruction, 0002.
const JumpCase kJumps[] = {
    {"RET", {0x0C00}, "JJJJ", "PC=24 SP=F2"},
    {"JMP R3", {0x1C03}, "JJJJ", "PC=50"},
    {"JGE R3", {0x2C03}, "J-J-", "PC=50"},
    {"JL R3", {0x3C03}, "-J-J", "PC=50"},
    {"JNE R3", {0x4C03}, "JJ--", "PC=50"},
    {"JE R3", {0x5C03}, "--JJ", "PC=50"},
    {"JLE R3", {0x6C03}, "-JJJ", "PC=50"},
    {"JG R3", {0x7C03}, "J---", "PC=50"},
    {"CALL R3", {0x9C03}, "JJJJ", "PC=50 SP=EE @EE=2"},
    {"BRET", {0x0D00}, "JJJJ", "PC=24 SP=F2"},
    {"BR L|NOP|L: HLT", {0x1D02}, "JJJJ", "PC=4"},
    {"BGE L|NOP|L: HLT", {0x2D02}, "J-J-", "PC=4"},
    {"BL L|NOP|L: HLT", {0x3D02}, "-J-J", "PC=4"},
    {"BNE L|NOP|L: HLT", {0x4D02}, "JJ--", "PC=4"},
    {"BE L|NOP|L: HLT", {0x5D02}, "--JJ", "PC=4"},
    {"BLE L|NOP|L: HLT", {0x6D02}, "-JJJ", "PC=4"},
    {"BG L|NOP|L: HLT", {0x7D02}, "J---", "PC=4"},
    {"BCALL L|NOP|L: HLT", {0x9D02}, "JJJJ", "PC=4 SP=EE @EE=2"},
};

class TableJump : public testing::TestWithParam<JumpCase> {};

TEST_P(TableJump, AssemblesJumpsWhenItsConditionHoldsAndDecodes) {
    const JumpCase& c = GetParam();
    const Mnemonic& entry = EntryOf(c.source);
    const std::vector<Value> program = Assembled(c.source);
    ASSERT_GE(program.size(), c.words.size());
    EXPECT_EQ(std::vector(program.begin(), program.begin() + c.words.size()), c.words);
    ExpectTableFields(entry, program[0]);
    for (int ps = 0; ps < 4; ++ps) {
        SCOPED_TRACE("PS=" + std::to_string(ps));
        const std::string start = std::string(kStart) + " PS=" + std::to_string(ps);
        ExpectEffect(program, c.words.size(), start, c.taken[ps] == 'J' ? c.jumped : "");
    }
    ExpectDecodedName(entry, program);
}

INSTANTIATE_TEST_SUITE_P(Jumps, TableJump, testing::ValuesIn(kJumps));

// Each entry of the table is checked by exactly one case above.
TEST(InstructionTable, EveryEntryHasOneCase) {
    std::multiset<std::string_view> checked;
    for (const EffectCase& c : kEffects)
        checked.insert(EntryOf(c.source).name);
    for (const JumpCase& c : kJumps)
        checked.insert(EntryOf(c.source).name);
    for (const Mnemonic& entry : MnemonicTable())
        EXPECT_EQ(checked.count(entry.name), 1u) << entry.name;
    EXPECT_EQ(checked.size(), MnemonicTable().size());
}

// No two operations write the same word, so the decoding dialog can tell every one apart.
TEST(InstructionTable, NoTwoEntriesShareTheirFields) {
    std::set<Value> words;
    for (const Mnemonic& entry : MnemonicTable()) {
        if (entry.form == OperandForm::Number) continue;
        EXPECT_TRUE(words.insert(entry.fields.Word()).second) << entry.name;
    }
}

}  // namespace
}  // namespace q42::test
