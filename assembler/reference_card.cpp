#include "assembler/reference_card.h"

#include <array>
#include <sstream>
#include <string_view>

#include "assembler/instruction_set.h"

namespace q42 {
namespace {

struct Row {
    Bilingual cells[3];
};

constexpr Row kModes[] = {
    {{{"регистр", "register"}, {"`R0`..`R3`", "`R0`..`R3`"}, {"`MOV R1,R2`", "`MOV R1,R2`"}}},
    {{{"косвенный регистровый", "register indirect"},
      {"`(R0)`..`(R3)`: слово по адресу из регистра",
       "`(R0)`..`(R3)`: the word at the address in it"},
      {"`MOV (R1),R0`", "`MOV (R1),R0`"}}},
    {{{"константа", "constant"},
      {"`#число`, `#ИМЯ`, `#'c'`; от -15 до 15 — в самой команде",
       "`#number`, `#NAME`, `#'c'`; -15..15 inside the word itself"},
      {"`MOV #10,R0`", "`MOV #10,R0`"}}},
    {{{"абсолютный", "absolute"},
      {"`ИМЯ`: слово по адресу метки", "`NAME`: the word at the label's address"},
      {"`MOV X,R0`", "`MOV X,R0`"}}},
    {{{"байт", "byte"},
      {"`%` после операнда; смешивать нельзя, кроме `MOV байт%,слово`",
       "`%` after an operand; no mixing but `MOV byte%,word`"},
      {"`MOV (R1)%,R0`", "`MOV (R1)%,R0`"}}},
};

constexpr Row kDirectives[] = {
    {{{"метка", "label"},
      {"`ИМЯ:` перед командой", "`NAME:` before a statement"},
      {"`LOOP: SUB #1,R2`", "`LOOP: SUB #1,R2`"}}},
    {{{"константа", "constant"},
      {"`ИМЯ = число`", "`NAME = number`"},
      {"`PUTC = 4000H`", "`PUTC = 4000H`"}}},
    {{{"строка", "string"},
      {"`DS текст`: два символа в слове", "`DS text`: two characters a word"},
      {"`MSG: DS Hello`", "`MSG: DS Hello`"}}},
    {{{"длина строки", "string length"},
      {"`LEN(ИМЯ)`", "`LEN(NAME)`"},
      {"`MOV #LEN(MSG),R2`", "`MOV #LEN(MSG),R2`"}}},
    {{{"резерв слов", "reserved words"}, {"`RW n`", "`RW n`"}, {"`BUF: RW 3`", "`BUF: RW 3`"}}},
    {{{"слово данных", "data word"}, {"`DW число`", "`DW number`"}, {"`DW -2`", "`DW -2`"}}},
    {{{"комментарий", "comment"},
      {"`;` до конца строки", "`;` to the end of the line"},
      {"`; note`", "`; note`"}}},
};

constexpr Row kRom[] = {
    {{{"`CALL #4000H`", "`CALL #4000H`"},
      {"выводит символ из R0", "writes the character in R0"},
      {"PUTC", "PUTC"}}},
    {{{"`CALL #4010H`", "`CALL #4010H`"},
      {"переводит строку", "moves to the next line"},
      {"NEWLINE", "NEWLINE"}}},
    {{{"`CALL #4182H`", "`CALL #4182H`"},
      {"R1 := число, набранное пользователем", "R1 := a number the user types"},
      {"", ""}}},
    {{{"`CALL #4180H`", "`CALL #4180H`"},
      {"R1 := 1 для TRUE, 0 для FALSE", "R1 := 1 for TRUE, 0 for FALSE"},
      {"", ""}}},
};

constexpr Row kPorts[] = {
    {{{"0", "0"},
      {"состояние клавиатуры: 80H — есть клавиша", "keyboard status: 80H, a key is ready"},
      {"`IN P.0,R0`", "`IN P.0,R0`"}}},
    {{{"1", "1"},
      {"код клавиши (Enter — 13)", "the key's code (Enter is 13)"},
      {"`IN P.1,R1`", "`IN P.1,R1`"}}},
    {{{"2", "2"},
      {"состояние дисплея: 80H — готов", "display status: 80H, ready"},
      {"`IN P.2,R0`", "`IN P.2,R0`"}}},
    {{{"3", "3"},
      {"символ на дисплей", "a character to the display"},
      {"`OUT R1,P.3`", "`OUT R1,P.3`"}}},
    {{{"4", "4"}, {"всегда 80H", "always 80H"}, {"`IN P.4,R0`", "`IN P.4,R0`"}}},
    {{{"5", "5"},
      {"хранит последнее записанное", "keeps what was last written"},
      {"`OUT R0,P.5`", "`OUT R0,P.5`"}}},
};

std::string_view Pick(const Bilingual& text, Language language) {
    return language == Language::English ? text.english : text.russian;
}

// A cell's text with the table's column bars escaped.
std::string Cell(std::string_view text) {
    std::string cell;
    for (const char c : text) {
        if (c == '|') cell += '\\';
        cell += c;
    }
    return cell;
}

void Header(std::ostream& out, const Bilingual (&heads)[3], Language language) {
    out << "| " << Pick(heads[0], language) << " | " << Pick(heads[1], language) << " | "
        << Pick(heads[2], language) << " |\n|---|---|---|\n";
}

template <std::size_t N>
void Table(std::ostream& out, const Bilingual (&heads)[3], const Row (&rows)[N],
           Language language) {
    Header(out, heads, language);
    for (const Row& row : rows) {
        out << "| " << Cell(Pick(row.cells[0], language)) << " | "
            << Cell(Pick(row.cells[1], language)) << " | " << Cell(Pick(row.cells[2], language))
            << " |\n";
    }
}

void Operations(std::ostream& out, Language language) {
    Header(out, {{"команда", "statement"}, {"что делает", "does"}, {"операнды", "operands"}},
           language);
    for (const Mnemonic& operation : MnemonicTable()) {
        out << "| `" << Pick(operation.syntax, language) << "` | "
            << Cell(Pick(operation.does, language)) << " | "
            << Cell(Pick(operation.operands, language)) << " |\n";
    }
}

}  // namespace

std::string ReferenceCard(Language language) {
    const auto say = [language](std::string_view russian, std::string_view english) {
        return Pick({russian, english}, language);
    };
    std::ostringstream out;
    out << say("# Q42: памятка", "# Q42: reference card") << "\n\n"
        << say("Память: ОЗУ 0000..00FF (128 слов), ПЗУ 4000..44FF. Регистры R0..R3, PC, SP "
               "(сначала 0100), PS с флагами N (результат < 0) и Z (результат = 0). Числа: 10, "
               "-5, 0FFH (шестнадцатеричное начинается с цифры).",
               "Memory: RAM 0000..00FF (128 words), ROM 4000..44FF. Registers R0..R3, PC, SP "
               "(0100 at the start), PS with the flags N (result < 0) and Z (result = 0). "
               "Numbers: 10, -5, 0FFH (a hex number begins with a digit).")
        << "\n\n## " << say("Команды", "Operations") << "\n\n";
    Operations(out, language);
    out << "\n## " << say("Способы адресации", "Addressing modes") << "\n\n";
    Table(out, {{"способ", "mode"}, {"запись", "written"}, {"пример", "example"}}, kModes,
          language);
    out << "\n## " << say("Директивы", "Directives") << "\n\n";
    Table(out, {{"что", "what"}, {"запись", "written"}, {"пример", "example"}}, kDirectives,
          language);
    out << "\n## " << say("Подпрограммы ПЗУ", "ROM routines") << "\n\n";
    Table(out, {{"вызов", "call"}, {"что делает", "does"}, {"обычное имя", "usual name"}}, kRom,
          language);
    out << "\n## " << say("Порты", "Ports") << "\n\n";
    Table(out, {{"порт", "port"}, {"что", "what"}, {"пример", "example"}}, kPorts, language);
    return out.str();
}

}  // namespace q42
