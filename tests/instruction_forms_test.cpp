// The instruction table against the executing machine, form by form: every operand form the
// table lets an entry take assembles and runs without a fault of its form, every form it refuses
// the assembler refuses, and the byte forms it refuses the machine refuses as well. Were the two
// to disagree, a program would assemble and then die on its first step, or the machine would run
// words no program can be written for.

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "assembler/instruction_set.h"
#include "tests/assembler/asm_test_support.h"
#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

// R1 and R2 point into RAM, so that every operand they give can be read and written.
constexpr char kStart[] = "R1=40 R2=42 SP=F0 @F0=24";

// The faults that say the machine does not take an instruction in this form.
const std::set<Fault> kFormFaults = {
    Fault::BadAddressingMode, Fault::Operand2Constant, Fault::ByteWithWord,
    Fault::WordWithByte,      Fault::BytePush,         Fault::BytePop,
    Fault::ByteAddressing,    Fault::InvalidOperation,
};

// An operand as it is written, and what the table's forms look at.
struct Tried {
    std::string text;
    bool constant = false;
    bool shortConstant = false;  // -15..15: in the instruction word when short constants are on
    bool byte = false;
};

// Each addressing the assembler reads, without and with a byte mark.
std::vector<Tried> WithByteMarks(std::vector<Tried> operands) {
    for (std::size_t i = 0, n = operands.size(); i < n; ++i) {
        Tried marked = operands[i];
        marked.text += "%";
        marked.byte = true;
        operands.push_back(marked);
    }
    return operands;
}

const std::vector<Tried> kSources = WithByteMarks({
    {"R1"},
    {"(R1)"},
    {"#5", true, true},
    {"#-3", true, true},
    {"#300", true},
    {"VAR"},
});
const std::vector<Tried> kDestinations = WithByteMarks({{"R2"}, {"(R2)"}, {"VAR"}, {"#300", true}});

// A statement of the entry: its operands, as the table would judge them.
struct Statement {
    std::string operands;
    const Tried* op1 = nullptr;
    const Tried* op2 = nullptr;
};

std::vector<Statement> StatementsToTry(const Mnemonic& entry) {
    using enum OperandForm;
    std::vector<Statement> statements;
    switch (entry.form) {
        case None: return {{""}};
        case Label: return {{"L"}};
        case Number: return {};
        case Data:
        case Move:
            for (const Tried& a : kSources)
                for (const Tried& b : kDestinations)
                    statements.push_back({a.text + "," + b.text, &a, &b});
            break;
        case PortToWord:
            for (const Tried& b : kDestinations)
                statements.push_back({"P.4," + b.text, nullptr, &b});
            break;
        case WordToPort:
            for (const Tried& a : kSources)
                statements.push_back({a.text + ",P.5", &a});
            break;
        case Target:
        case Changed:
        case WordSource:
        case WordDestination:
            for (const Tried& a : kSources)
                statements.push_back({a.text, &a});
            break;
    }
    return statements;
}

// Whether the table lets the entry take the statement's operands: a constant only where the
// operation reads it and writes nothing to it, byte marks on both operands or neither (MOV's byte
// into a word aside, which a short constant never is), a byte mark only where the entry has a
// byte form; a jump's byte mark changes nothing.
bool TableAllows(const Mnemonic& entry, const Statement& s, bool shortConstants) {
    using enum OperandForm;
    switch (entry.form) {
        case Data:
        case Move: {
            const bool shortSource = shortConstants && s.op1->shortConstant;
            const bool byteIntoWord = entry.form == Move && s.op1->byte && !shortSource;
            return !s.op2->constant && (s.op1->byte == s.op2->byte || byteIntoWord);
        }
        case PortToWord: return !s.op2->constant && !s.op2->byte;
        case WordToPort: return !s.op1->byte;
        case Changed:
        case WordDestination: return !s.op1->constant && (!s.op1->byte || entry.byteForm);
        case WordSource: return !s.op1->byte || entry.byteForm;
        case None:
        case Label:
        case Target:
        case Number: return true;
    }
    return true;
}

// The code words of the statement, with a label L and a data word VAR after it; nothing when
// the assembler refuses it.
std::optional<std::vector<Value>> Assembled(const std::string& statement, bool shortConstants) {
    const AsmRun run =
        RunAssembler({statement, "L: HLT", "VAR: DW 1234H"}, Options(true, shortConstants));
    if (run.assembly.diagnostic) return std::nullopt;
    std::vector<Value> words;
    for (const AssembledWord& word : run.assembly.code)
        words.push_back(word.value);
    return words;
}

// The fault of one step of the words loaded at 0000.
Fault FaultOfStep(const std::vector<Value>& words) {
    Machine machine;
    ApplyState(machine, kStart);
    Execute(machine, words);
    return machine.State().runError;
}

TEST(TableAndMachine, EveryFormTheTableAllowsAssemblesAndRuns) {
    for (const Mnemonic& entry : MnemonicTable()) {
        for (const Statement& s : StatementsToTry(entry)) {
            const std::string statement(std::string(entry.name) + " " + s.operands);
            for (const bool shortConstants : {true, false}) {
                SCOPED_TRACE(statement + (shortConstants ? " (short constants)" : ""));
                const auto words = Assembled(statement, shortConstants);
                EXPECT_EQ(words.has_value(), TableAllows(entry, s, shortConstants));
                if (!words) continue;
                const Fault fault = FaultOfStep(*words);
                EXPECT_FALSE(kFormFaults.contains(fault)) << Utf8(fault);
            }
        }
    }
}

// The words the assembler does not write: byte bits on one operand only, and a byte bit on an
// operation of the single-operand group without a byte form.
TEST(TableAndMachine, TheMachineRefusesTheByteFormsTheTableRefuses) {
    using enum OperandForm;
    for (const Mnemonic& entry : MnemonicTable()) {
        SCOPED_TRACE(std::string(entry.name));
        const InstructionWord fields = entry.fields;
        const OperandForm form = entry.form;
        if (form == Data || form == Move || form == PortToWord || form == WordToPort) {
            EXPECT_EQ(form == Move, entry.name == "MOV");                     // the one mixed form
            const InstructionWord word = fields.WithField1(1).WithField2(2);  // R1, R2 or ports
            EXPECT_EQ(FaultOfStep({word.WithBytes(true, false).Word()}),
                      form == Move ? Fault::None : Fault::ByteWithWord);
            EXPECT_EQ(FaultOfStep({word.WithBytes(false, true).Word()}), Fault::WordWithByte);
        } else if (fields.Operation() == kSingle && fields.Sub() != SubOperation::Page) {
            const InstructionWord word = form == None ? fields : fields.WithField2(2);  // R2
            const Fault fault = FaultOfStep({word.WithBytes(true, true).Word()});
            EXPECT_EQ(kFormFaults.contains(fault), !entry.byteForm) << Utf8(fault);
        }
    }
}

}  // namespace
}  // namespace q42::test
