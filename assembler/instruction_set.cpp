#include "assembler/instruction_set.h"

namespace q42 {
namespace {

using enum OperandForm;

// What the tooltip says about each operand form.
constexpr Bilingual OperandsText(OperandForm form) {
    switch (form) {
        case None: return {"без операндов", "no operands"};
        case Data:
            return {
                "оп1: любой метод или константа; оп2: любой метод, кроме константы; байты: % у "
                "обоих",
                "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both"};
        case Move:
            return {
                "оп1: любой метод или константа; оп2: любой метод, кроме константы; байты: % у "
                "обоих, или MOV байт%,слово",
                "op1: any mode or a constant; op2: any mode but a constant; bytes: % on both, "
                "or MOV byte%,word"};
        case PortToWord:
            return {"порт: P.n, Pn или n; оп: любой метод, кроме константы",
                    "port: P.n, Pn or n; op: any mode but a constant"};
        case WordToPort:
            return {"оп: любой метод или константа; порт: P.n, Pn или n",
                    "op: any mode or a constant; port: P.n, Pn or n"};
        case Target:
            return {"оп: любой метод; #ИМЯ - адрес метки",
                    "op: any mode; #NAME is the label's address"};
        case Label:
            return {"метка от -128 до +126 байт от следующей команды",
                    "a label -128..+126 bytes from the next instruction"};
        case Changed:
            return {"оп: любой метод, кроме константы; байт: %",
                    "op: any mode but a constant; byte: %"};
        case WordSource:
            return {"оп: любой метод или константа; только слова",
                    "op: any mode or a constant; words only"};
        case WordDestination:
            return {"оп: любой метод, кроме константы; только слова",
                    "op: any mode but a constant; words only"};
        case Number:
            return {"число от -32768 до 32767 или до четырёх шестнадцатеричных цифр",
                    "a number from -32768 to 32767, or up to four hex digits"};
    }
    return {};
}

constexpr bool HasByteForm(OperandForm form) {
    return form == Data || form == Move || form == Changed;
}

// The word of an operation named by its operation code alone.
constexpr InstructionWord Opcode(OperationCode operation) {
    return InstructionWord::Of(operation);
}

// An absolute jump or a relative branch: its condition, and the call flag for a call.
constexpr bool kCall = true;
constexpr InstructionWord Jump(Condition condition, bool call = false) {
    return InstructionWord::Of(kJump).WithCondition(condition, call);
}
constexpr InstructionWord Branch(Condition condition, bool call = false) {
    return InstructionWord::Of(kBranch).WithCondition(condition, call);
}

// The single-operand group: the sub-operation, and for MYPAGE its fixed operand field.
constexpr InstructionWord Single(SubOperation sub, int field2 = 0) {
    return InstructionWord::Of(kSingle).WithField1(static_cast<int>(sub)).WithField2(field2);
}

// Any word with operation code 15 halts; HLT writes AF18.
constexpr InstructionWord kHaltWord(0xAF18);
// DW writes the number itself: it has no fields of its own.
constexpr InstructionWord kDataWord;

// One operation as it is written down below; the rest of its entry follows from these. The
// operations with two operands are written Data: the machine's byte/word rule decides which of
// them may move a byte into a word, and their entries take the form Move.
struct Row {
    std::string_view name;
    InstructionWord fields;
    OperandForm form;
    Bilingual syntax;
    Bilingual does;
    Bilingual decoded;
};

constexpr std::array<Row, kMnemonicCount> kRows = {{
    {"NOP",
     Opcode(kNop),
     None,
     {"NOP", "NOP"},
     {"ничего не делает", "does nothing"},
     {"NOP (нет операции)", "NOP (no operation)"}},
    {"MOV",
     Opcode(kMov),
     Data,
     {"MOV оп1,оп2", "MOV op1,op2"},
     {"оп2 := оп1; флаги N, Z", "op2 := op1; sets N, Z"},
     {"MOV (переписать)", "MOV (move)"}},
    {"ADD",
     Opcode(kAdd),
     Data,
     {"ADD оп1,оп2", "ADD op1,op2"},
     {"оп2 := оп2 + оп1; флаги N, Z", "op2 := op2 + op1; sets N, Z"},
     {"ADD (сложить)", "ADD (add)"}},
    {"SUB",
     Opcode(kSub),
     Data,
     {"SUB оп1,оп2", "SUB op1,op2"},
     {"оп2 := оп2 - оп1; флаги N, Z", "op2 := op2 - op1; sets N, Z"},
     {"SUB (вычесть)", "SUB (subtract)"}},
    {"CMP",
     Opcode(kCmp),
     Data,
     {"CMP оп1,оп2", "CMP op1,op2"},
     {"сравнивает оп2 с оп1 (оп2 - оп1), ничего не записывает; флаги N, Z",
      "compares op2 with op1 (op2 - op1), stores nothing; sets N, Z"},
     {"CMP (сравнить)", "CMP (compare)"}},
    {"MUL",
     Opcode(kMul),
     Data,
     {"MUL оп1,оп2", "MUL op1,op2"},
     {"оп2 := оп2 * оп1; флаги N, Z", "op2 := op2 * op1; sets N, Z"},
     {"MUL (умножить)", "MUL (multiply)"}},
    {"DIV",
     Opcode(kDiv),
     Data,
     {"DIV оп1,оп2", "DIV op1,op2"},
     {"оп2 := оп2 / оп1, остаток отбрасывается; флаги N, Z",
      "op2 := op2 / op1, the remainder dropped; sets N, Z"},
     {"DIV (разделить)", "DIV (divide)"}},
    {"AND",
     Opcode(kAnd),
     Data,
     {"AND оп1,оп2", "AND op1,op2"},
     {"оп2 := оп2 И оп1 поразрядно; флаги N, Z", "op2 := op2 AND op1, bit by bit; sets N, Z"},
     {"AND (логическое И)", "AND (logical AND)"}},
    {"OR",
     Opcode(kOr),
     Data,
     {"OR оп1,оп2", "OR op1,op2"},
     {"оп2 := оп2 ИЛИ оп1 поразрядно; флаги N, Z", "op2 := op2 OR op1, bit by bit; sets N, Z"},
     {"OR (логическое ИЛИ)", "OR (logical OR)"}},
    {"XOR",
     Opcode(kXor),
     Data,
     {"XOR оп1,оп2", "XOR op1,op2"},
     {"оп2 := оп2 исключающее ИЛИ оп1; флаги N, Z", "op2 := op2 exclusive-OR op1; sets N, Z"},
     {"XOR (исключающее ИЛИ)", "XOR (exclusive OR)"}},
    {"IN",
     Opcode(kIn),
     PortToWord,
     {"IN порт,оп", "IN port,op"},
     {"оп := значение из порта 0..15; флаги не меняются",
      "op := the value read from port 0..15; flags unchanged"},
     {"IN (прочитать из порта - ввод)", "IN (read from a port - input)"}},
    {"OUT",
     Opcode(kOut),
     WordToPort,
     {"OUT оп1,порт", "OUT op1,port"},
     {"записывает оп в порт 0..15; флаги не меняются", "writes op to port 0..15; flags unchanged"},
     {"OUT (записать в порт - вывод)", "OUT (write to a port - output)"}},
    {"HLT",
     kHaltWord,
     None,
     {"HLT", "HLT"},
     {"останавливает программу", "stops the program"},
     {"HLT (останов)", "HLT (halt)"}},
    {"RET",
     Jump(Condition::Return),
     None,
     {"RET", "RET"},
     {"возврат из подпрограммы: PC := слово из стека",
      "returns from a subroutine: PC := the word popped from the stack"},
     {"RET (возврат из подпрограммы)", "RET (return from subroutine)"}},
    {"JMP",
     Jump(Condition::Always),
     Target,
     {"JMP оп", "JMP op"},
     {"переход по адресу оп", "jumps to the address op"},
     {"JMP (безусловный переход)", "JMP (unconditional jump)"}},
    {"JGE",
     Jump(Condition::NotNegative),
     Target,
     {"JGE оп", "JGE op"},
     {"переход при N = 0 (>= 0)", "jumps if N = 0 (>= 0)"},
     {"JGE (переход при N=0: >=0)", "JGE (jump if N=0: >=0)"}},
    {"JL",
     Jump(Condition::Negative),
     Target,
     {"JL оп", "JL op"},
     {"переход при N = 1 (< 0)", "jumps if N = 1 (< 0)"},
     {"JL (переход при N=1: <0)", "JL (jump if N=1: <0)"}},
    {"JNE",
     Jump(Condition::NotZero),
     Target,
     {"JNE оп", "JNE op"},
     {"переход при Z = 0 (<> 0)", "jumps if Z = 0 (<> 0)"},
     {"JNE (переход при Z=0: <>0)", "JNE (jump if Z=0: <>0)"}},
    {"JE",
     Jump(Condition::Zero),
     Target,
     {"JE оп", "JE op"},
     {"переход при Z = 1 (= 0)", "jumps if Z = 1 (= 0)"},
     {"JE (переход при Z=1: =0)", "JE (jump if Z=1: =0)"}},
    {"JLE",
     Jump(Condition::NegativeOrZero),
     Target,
     {"JLE оп", "JLE op"},
     {"переход при N = 1 или Z = 1 (<= 0)", "jumps if N = 1 or Z = 1 (<= 0)"},
     {"JLE (переход при N=1 or Z=1: <=0)", "JLE (jump if N=1 or Z=1: <=0)"}},
    {"JG",
     Jump(Condition::Positive),
     Target,
     {"JG оп", "JG op"},
     {"переход при N = 0 и Z = 0 (> 0)", "jumps if N = 0 and Z = 0 (> 0)"},
     {"JG (переход при N=0 and Z=0: >0)", "JG (jump if N=0 and Z=0: >0)"}},
    {"CALL",
     Jump(Condition::Always, kCall),
     Target,
     {"CALL оп", "CALL op"},
     {"вызов подпрограммы: адрес возврата в стек, переход по адресу оп",
      "calls a subroutine: pushes the return address, jumps to the address op"},
     {"CALL (вызов подпрограммы)", "CALL (call a subroutine)"}},
    {"BRET",
     Branch(Condition::Return),
     None,
     {"BRET", "BRET"},
     {"возврат из подпрограммы", "returns from a subroutine"},
     {"BRET (возврат из подпрограммы)", "BRET (return from subroutine)"}},
    {"BR",
     Branch(Condition::Always),
     Label,
     {"BR имя", "BR name"},
     {"переход на метку", "branches to the label"},
     {"BR (безусловный переход)", "BR (unconditional branch)"}},
    {"BGE",
     Branch(Condition::NotNegative),
     Label,
     {"BGE имя", "BGE name"},
     {"переход при N = 0 (>= 0)", "branches if N = 0 (>= 0)"},
     {"BGE (переход при N=0: >=0)", "BGE (branch if N=0: >=0)"}},
    {"BL",
     Branch(Condition::Negative),
     Label,
     {"BL имя", "BL name"},
     {"переход при N = 1 (< 0)", "branches if N = 1 (< 0)"},
     {"BL (переход при N=1: <0)", "BL (branch if N=1: <0)"}},
    {"BNE",
     Branch(Condition::NotZero),
     Label,
     {"BNE имя", "BNE name"},
     {"переход при Z = 0 (<> 0)", "branches if Z = 0 (<> 0)"},
     {"BNE (переход при Z=0: <>0)", "BNE (branch if Z=0: <>0)"}},
    {"BE",
     Branch(Condition::Zero),
     Label,
     {"BE имя", "BE name"},
     {"переход при Z = 1 (= 0)", "branches if Z = 1 (= 0)"},
     {"BE (переход при Z=1: =0)", "BE (branch if Z=1: =0)"}},
    {"BLE",
     Branch(Condition::NegativeOrZero),
     Label,
     {"BLE имя", "BLE name"},
     {"переход при N = 1 или Z = 1 (<= 0)", "branches if N = 1 or Z = 1 (<= 0)"},
     {"BLE (переход при N=1 or Z=1: <=0)", "BLE (branch if N=1 or Z=1: <=0)"}},
    {"BG",
     Branch(Condition::Positive),
     Label,
     {"BG имя", "BG name"},
     {"переход при N = 0 и Z = 0 (> 0)", "branches if N = 0 and Z = 0 (> 0)"},
     {"BG (переход при N=0 and Z=0: >0)", "BG (branch if N=0 and Z=0: >0)"}},
    {"BCALL",
     Branch(Condition::Always, kCall),
     Label,
     {"BCALL имя", "BCALL name"},
     {"вызов подпрограммы по метке", "calls the subroutine at the label"},
     {"BCALL (вызов подпрограммы)", "BCALL (call a subroutine)"}},
    {"PAGE0",
     Single(SubOperation::Page),
     None,
     {"PAGE0", "PAGE0"},
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     {"", ""}},
    {"MYPAGE",
     Single(SubOperation::Page, 1),
     None,
     {"MYPAGE", "MYPAGE"},
     {"страниц в этой машине нет: выполнение - ошибка",
      "this machine has no pages: running it is an error"},
     {"", ""}},
    {"DW",
     kDataWord,
     Number,
     {"DW число", "DW number"},
     {"не операция: число в очередное слово",
      "not an operation: puts the number into the next word"},
     {"", ""}},
    {"NOT",
     Single(SubOperation::Not),
     Changed,
     {"NOT оп", "NOT op"},
     {"оп := оп с инвертированными битами; флаги N, Z",
      "op := op with every bit inverted; sets N, Z"},
     {"NOT (логическое НЕ)", "NOT (logical NOT)"}},
    {"PUSH",
     Single(SubOperation::Push),
     WordSource,
     {"PUSH оп", "PUSH op"},
     {"SP := SP - 2, затем слово по адресу SP := оп; флаги N, Z",
      "SP := SP - 2, then the word at SP := op; sets N, Z"},
     {"PUSH (записать в стек)", "PUSH (push onto the stack)"}},
    {"POP",
     Single(SubOperation::Pop),
     WordDestination,
     {"POP оп", "POP op"},
     {"оп := слово по адресу SP, затем SP := SP + 2; флаги N, Z",
      "op := the word at SP, then SP := SP + 2; sets N, Z"},
     {"POP (прочитать из стека)", "POP (pop from the stack)"}},
    {"ADDSP",
     Single(SubOperation::AddSp),
     WordSource,
     {"ADDSP оп", "ADDSP op"},
     {"SP := SP + оп; флаги N, Z", "SP := SP + op; sets N, Z"},
     {"ADDSP (прибавить к SP)", "ADDSP (add to SP)"}},
    {"SUBSP",
     Single(SubOperation::SubSp),
     WordSource,
     {"SUBSP оп", "SUBSP op"},
     {"SP := SP - оп; флаги N, Z", "SP := SP - op; sets N, Z"},
     {"SUBSP (вычесть из SP)", "SUBSP (subtract from SP)"}},
    {"TOSP",
     Single(SubOperation::ToSp),
     WordSource,
     {"TOSP оп", "TOSP op"},
     {"SP := оп; флаги N, Z", "SP := op; sets N, Z"},
     {"TOSP (записать в SP)", "TOSP (write to SP)"}},
    {"FRMSP",
     Single(SubOperation::FromSp),
     WordDestination,
     {"FRMSP оп", "FRMSP op"},
     {"оп := SP; флаги N, Z", "op := SP; sets N, Z"},
     {"FRMSP (прочитать SP)", "FRMSP (read SP)"}},
    {"PUSHPS",
     Single(SubOperation::PushPs),
     None,
     {"PUSHPS", "PUSHPS"},
     {"записывает PS в стек", "pushes PS onto the stack"},
     {"PUSHPS (записать PS в стек)", "PUSHPS (push PS onto the stack)"}},
    {"POPPS",
     Single(SubOperation::PopPs),
     None,
     {"POPPS", "POPPS"},
     {"читает PS из стека", "pops a word into PS"},
     {"POPPS (прочитать PS из стека)", "POPPS (pop PS from the stack)"}},
    {"SL",
     Single(SubOperation::ShiftLeft),
     Changed,
     {"SL оп", "SL op"},
     {"сдвиг оп влево на 1 бит, справа входит 0; флаги N, Z",
      "shifts op left by one bit, 0 comes in; sets N, Z"},
     {"SL (сдвиг влево)", "SL (shift left)"}},
    {"SR",
     Single(SubOperation::ShiftRight),
     Changed,
     {"SR оп", "SR op"},
     {"сдвиг оп вправо на 1 бит, слева входит 0; флаги N, Z",
      "shifts op right by one bit, 0 comes in; sets N, Z"},
     {"SR (сдвиг вправо)", "SR (shift right)"}},
    {"ASR",
     Single(SubOperation::ArithmeticShiftRight),
     Changed,
     {"ASR оп", "ASR op"},
     {"сдвиг оп вправо на 1 бит, знаковый бит сохраняется; флаги N, Z",
      "shifts op right by one bit, the sign bit stays; sets N, Z"},
     {"ASR (арифметический сдвиг вправо)", "ASR (arithmetic shift right)"}},
}};

constexpr OperandForm EntryForm(const Row& row) {
    if (row.form == Data && MovesByteIntoWord(row.fields.Operation())) return Move;
    return row.form;
}

constexpr std::array<Mnemonic, kMnemonicCount> Entries() {
    std::array<Mnemonic, kMnemonicCount> entries{};
    for (int i = 0; i < kMnemonicCount; ++i) {
        const Row& row = kRows[i];
        const OperandForm form = EntryForm(row);
        entries[i] = {row.name, row.fields,         form,       HasByteForm(form), row.syntax,
                      row.does, OperandsText(form), row.decoded};
    }
    return entries;
}

constexpr std::array<Mnemonic, kMnemonicCount> kMnemonics = Entries();

}  // namespace

const std::array<Mnemonic, kMnemonicCount>& MnemonicTable() {
    return kMnemonics;
}

const std::array<Bilingual, kOperandFieldCount>& OperandFieldNames() {
    static constexpr std::array<Bilingual, kOperandFieldCount> kNames = {{
        {"R0", "R0"},
        {"R1", "R1"},
        {"R2", "R2"},
        {"R3", "R3"},
        {"(R0)", "(R0)"},
        {"(R1)", "(R1)"},
        {"(R2)", "(R2)"},
        {"(R3)", "(R3)"},
        {"(R0+Ri)", "(R0+Ri)"},
        {"(R1+Ri)", "(R1+Ri)"},
        {"(R2+Ri)", "(R2+Ri)"},
        {"(R3+Ri)", "(R3+Ri)"},
        {"", ""},
        {"константа", "constant"},
        {"адрес", "address"},
        {"", ""},
    }};
    return kNames;
}

}  // namespace q42
