#include "machine/run_texts.h"

#include "machine/language.h"

namespace q42 {
namespace {

constexpr std::array<Bilingual, 8> kTexts = {{
    {"***  Учебный компьютер \"Q42\" с ассемблером",
     "***  Teaching computer \"Q42\" with assembler"},
    {"Задача завершена", "Task completed"},
    {"Задача прервана пользователем", "Task interrupted by the user"},
    {"Ошибка! Повторите ввод!", "Error! Repeat the input!"},
    {"## ВЫПОЛНЕНИЕ ПРОГРАММЫ ПРЕРВАНО ИЗ-ЗА ОШИБКИ:", "## PROGRAM STOPPED BY AN ERROR:"},
    {"Ошибка в коде: ", "Error in code: "},
    {"Строка ", "Line "},
    {"Файл с ПЗУ не найден!", "ROM file not found!"},
}};
static_assert(kTexts.size() == static_cast<std::size_t>(RunText::RomNotFound) + 1);

}  // namespace

const std::string& Text(RunText text) {
    static const TextTable table(kTexts);
    return table[static_cast<std::size_t>(text)];
}

}  // namespace q42
