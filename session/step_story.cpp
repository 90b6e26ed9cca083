#include "session/step_story.h"

#include "assembler/disassembler.h"
#include "assembler/mnemonic.h"

namespace q42 {
namespace {

std::string Say(Bilingual text) {
    return std::string(EnglishTexts() ? text.english : text.russian);
}

std::string ByteHex(Value value) {
    return WordToHex(value & 0xFF).substr(2);
}

// A value as the operand holds it: two hex digits for a byte, four for a word.
std::string Shown(Value value, bool byte) {
    return byte ? ByteHex(value) : WordToHex(value);
}

std::string FlagN(const MachineState& state) {
    return (state.ps & kFlagN) != 0 ? "N = 1" : "N = 0";
}

std::string FlagZ(const MachineState& state) {
    return (state.ps & kFlagZ) != 0 ? "Z = 1" : "Z = 0";
}

std::string Flags(const MachineState& state) {
    return FlagN(state) + ", " + FlagZ(state);
}

// Where an operand is: a register, a word of memory, or a constant of the instruction.
struct Location {
    enum class Kind : std::uint8_t { Register, Memory, Constant };
    Kind kind;
    Value where;  // the register's number, the address, or the constant
};

// The step being told: the machine around it, the instruction and its statement with names.
struct Telling {
    const StepStates& states;
    const ProgramNames& names;
    Value address = 0;
    InstructionWord word;
    Disassembled statement;

    const MachineState& Before() const { return states.before; }
    const MachineState& After() const { return states.after; }
    Value Read(const MachineState& state, Value at) const {
        return Machine::IsRamAddress(at) ? state.ram[at >> 1] : states.machine.PeekWord(at);
    }
    // The operand in an operand field (mode, register) whose word after the instruction, when
    // it takes one, is at `extension`.
    Location Locate(int mode, int reg, Value extension) const {
        using enum Location::Kind;
        if (mode == 0) return {Register, reg};
        if (mode != 3) return {Memory, Before().r[reg]};
        return {reg == 1 ? Constant : Memory, Read(Before(), extension)};
    }
    // Operand 1 of a two-operand operation or OUT: a short constant or any operand.
    Location Source() const {
        if (word.ShortConstant()) return {Location::Kind::Constant, word.ShortValue()};
        return Locate(word.Mode1(), word.Register1(), address + 2);
    }
    // Operand 2, after operand 1's word when it takes one.
    Location Destination() const {
        const bool sourceWord = !word.ShortConstant() && word.Mode1() == 3;
        return Locate(word.Mode2(), word.Register2(), address + (sourceWord ? 4 : 2));
    }
    // An operand's value in `state`: a byte is the one its address picks, a register's or a
    // constant's low byte.
    Value ValueIn(const MachineState& state, Location at, bool byte) const {
        using enum Location::Kind;
        const Value held = at.kind == Register ? state.r[at.where]
                           : at.kind == Memory ? Read(state, at.where)
                                               : at.where;
        if (!byte) return held;
        return at.kind == Memory && (at.where & 1) != 0 ? (held >> 8) & 0xFF : held & 0xFF;
    }
    const std::string& Operand(std::size_t n) const { return statement.operands.at(n); }
    std::string Head() const { return statement.text + ": "; }
    // An address by the name the program or the ROM gives it, with the address beside it.
    std::string Place(Value at, std::string name = {}) const {
        if (name.empty()) name = names.LabelAt(at);
        if (name.empty()) name = states.machine.Routines().NameAt(at);
        return name.empty() ? WordToHex(at) : name + " (" + WordToHex(at) + ")";
    }
};

std::string OperatorOf(OperationCode operation) {
    switch (operation) {
        case kAdd: return "+";
        case kSub: return "\u2212";
        case kMul: return "\u00D7";
        case kDiv: return "\u00F7";
        case kAnd: return Say({"И", "AND"});
        case kOr: return Say({"ИЛИ", "OR"});
        default: return Say({"искл. ИЛИ", "XOR"});
    }
}

// CMP: how operand 2 compares with operand 1, as the result the machine keeps says.
std::string Comparison(const Telling& t, Value second, Value first) {
    const Value relation = t.After().lastResult;
    const std::string verdict = relation == 0   ? Say({"равно", "equal"})
                                : relation == 1 ? Say({"больше", "greater"})
                                                : Say({"меньше", "less"});
    const bool byte = t.word.DestinationByte();
    return t.Operand(1) + " = " + Shown(second, byte) +
           Say({" сравнивается с ", " compared with "}) + Shown(first, t.word.SourceByte()) + ": " +
           verdict;
}

std::string TwoOperandStory(const Telling& t) {
    const InstructionWord w = t.word;
    const Location destination = t.Destination();
    const Value source = t.ValueIn(t.Before(), t.Source(), w.SourceByte());
    const Value old = t.ValueIn(t.Before(), destination, w.DestinationByte());
    const std::string result =
        Shown(t.ValueIn(t.After(), destination, w.DestinationByte()), w.DestinationByte());
    std::string told;
    if (w.Operation() == kCmp) {
        told = Comparison(t, old, source);
    } else if (w.Operation() == kMov) {
        told = t.Operand(1) + " := " + result;
    } else {
        told = t.Operand(1) + " := " + Shown(old, w.DestinationByte()) + " " +
               OperatorOf(w.Operation()) + " " + Shown(source, w.SourceByte()) + " = " + result;
    }
    return t.Head() + told + "; " + Flags(t.After());
}

std::string PortStory(const Telling& t) {
    if (t.word.Operation() == kIn) {
        const Value read = t.ValueIn(
            t.After(), t.Locate(t.word.Mode2(), t.word.Register2(), t.address + 2), false);
        return t.Head() + t.Operand(1) + " := " + WordToHex(read) +
               Say({" из порта ", " from port "}) + std::to_string(t.word.InPort());
    }
    const Value written = t.ValueIn(t.Before(), t.Source(), false);
    return t.Head() + WordToHex(written) + Say({" в порт ", " to port "}) +
           std::to_string(t.word.OutPort());
}

// The flags a condition tests, as they were.
std::string TestedFlags(Condition condition, const MachineState& state) {
    switch (condition) {
        case Condition::NotNegative:
        case Condition::Negative: return FlagN(state);
        case Condition::NotZero:
        case Condition::Zero: return FlagZ(state);
        default: return Flags(state);
    }
}

// The name written for a jump's target: a branch's label, or the name of a jump's constant.
std::string WrittenTarget(const Telling& t) {
    if (t.word.Operation() == kBranch) return t.names.OfWord(t.address, t.word.Word());
    if (t.word.Mode2() != 3 || t.word.Register2() != 1) return {};
    return t.names.OfWord(t.address + 2, t.Read(t.Before(), t.address + 2));
}

std::string JumpStory(const Telling& t) {
    const Condition condition = t.word.JumpCondition();
    const Value target = t.After().pc;
    if (condition == Condition::Return)
        return t.Head() + Say({"возврат на ", "return to "}) + t.Place(target) +
               Say({", адрес взят из стека", ", taken from the stack"});
    const MachineState& before = t.Before();
    const bool taken =
        ConditionHolds(condition, (before.ps & kFlagN) != 0, (before.ps & kFlagZ) != 0);
    std::string told = t.Head();
    if (condition != Condition::Always) {
        told += TestedFlags(condition, before);
        if (!taken) return told + Say({", перехода нет", ", so no jump"});
        told += Say({", ", ", so "});
    }
    const std::string place = t.Place(target, WrittenTarget(t));
    if (!t.word.CallFlag()) return told + Say({"переход на ", "jump to "}) + place;
    const std::string back = WordToHex(t.Read(t.After(), t.After().sp));
    return told + Say({"", "push "}) + back + Say({" в стек, переход на ", ", go to "}) + place;
}

std::string StackStory(const Telling& t, SubOperation sub) {
    const MachineState& after = t.After();
    const std::string sp = " (SP = " + WordToHex(after.sp) + ")";
    const std::string top = WordToHex(t.Read(after, after.sp));
    const std::string popped = Say({" из стека", " popped from the stack"}) + sp;
    switch (sub) {
        case SubOperation::Push: return Say({"", "push "}) + top + Say({" в стек", ""}) + sp;
        case SubOperation::PushPs:
            return Say({"PS ", "push PS "}) + top + Say({" в стек", ""}) + sp;
        case SubOperation::PopPs: return "PS := " + WordToHex(after.ps) + popped;
        default: break;
    }
    const Location operand = t.Locate(t.word.Mode2(), t.word.Register2(), t.address + 2);
    const Value value = t.ValueIn(t.Before(), operand, false);
    const std::string sp0 = WordToHex(t.Before().sp);
    switch (sub) {
        case SubOperation::Pop:
            return t.Operand(0) + " := " + WordToHex(t.ValueIn(after, operand, false)) + popped;
        case SubOperation::AddSp:
            return "SP := " + sp0 + " + " + WordToHex(value) + " = " + WordToHex(after.sp);
        case SubOperation::SubSp:
            return "SP := " + sp0 + " \u2212 " + WordToHex(value) + " = " + WordToHex(after.sp);
        case SubOperation::ToSp: return "SP := " + WordToHex(after.sp);
        default: return t.Operand(0) + " := SP = " + WordToHex(t.ValueIn(after, operand, false));
    }
}

// NOT and the shifts: the operand's old value, what was done to it, and its new value.
std::string ChangedStory(const Telling& t, SubOperation sub) {
    const bool byte = t.word.DestinationByte();
    const Location operand = t.Locate(t.word.Mode2(), t.word.Register2(), t.address + 2);
    const std::string old = Shown(t.ValueIn(t.Before(), operand, byte), byte);
    const std::string now = Shown(t.ValueIn(t.After(), operand, byte), byte);
    std::string done;
    switch (sub) {
        case SubOperation::Not: done = Say({"НЕ ", "NOT "}) + old; break;
        case SubOperation::ShiftLeft:
            done = old + Say({" со сдвигом влево", " shifted left"});
            break;
        case SubOperation::ShiftRight:
            done = old + Say({" со сдвигом вправо", " shifted right"});
            break;
        default:
            done = old + Say({" со сдвигом вправо, знак сохранён", " shifted right, sign kept"});
    }
    return t.Operand(0) + " := " + done + " = " + now;
}

std::string SingleStory(const Telling& t) {
    const SubOperation sub = t.word.Sub();
    switch (sub) {
        case SubOperation::Not:
        case SubOperation::ShiftLeft:
        case SubOperation::ShiftRight:
        case SubOperation::ArithmeticShiftRight:
            return t.Head() + ChangedStory(t, sub) + "; " + Flags(t.After());
        case SubOperation::PushPs: return t.Head() + StackStory(t, sub);
        default: return t.Head() + StackStory(t, sub) + "; " + Flags(t.After());
    }
}

std::string Told(const Telling& t) {
    const MachineState& after = t.After();
    if (after.runError != Fault::None)
        return t.Head() + Say({"ошибка: ", "error: "}) + Cp1251ToUtf8(FaultText(after.runError));
    // A word the assembler never writes: what the table says of its operation, if anything.
    if (t.statement.operation == nullptr) {
        const Mnemonic* entry = NamingEntry(t.word);
        if (entry != nullptr) return t.Head() + Say(entry->does);
        return t.Head() + Say({"операции с таким кодом нет", "no operation has this code"});
    }
    switch (t.word.Operation()) {
        case kNop: return t.Head() + Say({"ничего не делается", "nothing is done"});
        case kIn:
        case kOut: return PortStory(t);
        case kJump:
        case kBranch: return JumpStory(t);
        case kSingle: return SingleStory(t);
        case kHlt: return t.Head() + Say({"программа останавливается", "the program stops"});
        default: return TwoOperandStory(t);
    }
}

}  // namespace

std::string InstructionStory(const StepStates& states, Value address, const ProgramNames& names) {
    const auto read = [&states](Value at) {
        return Machine::IsRamAddress(at) ? states.before.ram[at >> 1] : states.machine.PeekWord(at);
    };
    const auto namer = [&names](Value at, Value value) { return names.OfWord(at, value); };
    const Value word = read(address);
    return Told({states, names, address, InstructionWord(word), Disassemble(read, address, namer)});
}

std::string InputStory(Value entry, const MachineState& after) {
    const Value r1 = after.r[1];
    const std::string got = ", R1 := " + WordToHex(r1);
    if (entry == kBooleanEntry) {
        const std::string answer = r1 == 1 ? "TRUE" : "FALSE";
        return Say({"ввод: ответ ", "input: answer "}) + answer + got;
    }
    const Value number = r1 >= 0x8000 ? r1 - 0x10000 : r1;
    return Say({"ввод: набрано число ", "input: the number "}) + std::to_string(number) +
           Say({"", " typed"}) + got;
}

}  // namespace q42
