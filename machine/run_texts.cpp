#include "machine/run_texts.h"

#include "machine/codepage.h"
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
    return Text(text, TextLanguage());
}

const std::string& Text(RunText text, Language language) {
    static const TextTable table(kTexts);
    return table.At(static_cast<std::size_t>(text), language);
}

std::string ProgramTooLongText(std::int64_t words, bool english) {
    const std::string count = std::to_string(words);
    if (english) return "The program has " + count + " words; RAM holds 128.";
    // 1, 21, 101: слово; 2..4, 22..24: слова; the rest, and 11..14: слов.
    const std::int64_t last = words % 10;
    const bool teen = words % 100 >= 11 && words % 100 <= 14;
    const char* word = teen || last == 0 || last >= 5 ? "слов" : last == 1 ? "слово" : "слова";
    return Utf8ToCp1251("В программе " + count + " " + word + ", а в ОЗУ помещается 128.");
}

}  // namespace q42
