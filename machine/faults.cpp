#include "machine/faults.h"

#include <array>

#include "machine/language.h"

namespace q42 {
namespace {

constexpr std::array<Bilingual, 21> kTexts = {{
    {"", ""},
    {"неправильный адрес памяти", "wrong memory address"},
    {"попытка записи в ПЗУ", "attempt to write into ROM"},
    {"неправильный символ", "wrong character"},
    {"неправильная длина", "wrong length"},
    {"некорректная длина кода", "incorrect code length"},
    {"неправильный метод адресации", "wrong addressing mode"},
    {"ОП2 не должен быть константой", "operand 2 must not be a constant"},
    {"ошибка в МОД: операция между байтом и словом запрещена",
     "mode error: an operation between a byte and a word is forbidden"},
    {"ошибка в МОД: операция между словом и байтом запрещена",
     "mode error: an operation between a word and a byte is forbidden"},
    {"переполнение", "overflow"},
    {"переполнение байта", "byte overflow"},
    {"деление на ноль", "division by zero"},
    {"несуществующий код операции", "nonexistent operation code"},
    {"недопустимый КОП", "invalid operation code"},
    {"ошибка в МОД: запись байта в стек запрещена",
     "mode error: pushing a byte onto the stack is forbidden"},
    {"чтение байта из стека запрещено", "popping a byte from the stack is forbidden"},
    {"ошибка в МОД: адресация байта запрещена", "mode error: byte addressing is forbidden"},
    {"неправильный адрес команды", "wrong command address"},
    {"адрес команды, следующей за данной, неправильный",
     "the address of the command after this one is wrong"},
    {"переполнение буфера клавиатуры", "keyboard buffer overflow"},
}};
static_assert(kTexts.size() == static_cast<std::size_t>(Fault::KeyBufferOverflow) + 1);

}  // namespace

const std::string& FaultText(Fault fault) {
    return FaultText(fault, TextLanguage());
}

const std::string& FaultText(Fault fault, Language language) {
    static const TextTable table(kTexts);
    return table.At(static_cast<std::size_t>(fault), language);
}

}  // namespace q42
