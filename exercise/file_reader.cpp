#include "exercise/file_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "assembler/mnemonic.h"
#include "exercise/toml_text.h"
#include "machine/codepage.h"
#include "machine/machine.h"

namespace q42 {
namespace {

// A key as the messages name it (UTF-8).
std::string KeyName(const toml::key& key) {
    return Cp1251ToUtf8(FromParserText(key.str()));
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Hex digits as a teacher writes them, "002A" or "2AH": one to four digits, an H after them
// allowed.
std::optional<Value> HexNumber(std::string digits) {
    if (!digits.empty() && (digits.back() == 'H' || digits.back() == 'h')) digits.pop_back();
    const HexWord word = HexToWord(digits);
    if (digits.empty() || digits.size() > 4 || word.error != Fault::None) return std::nullopt;
    return word.value;
}

// Whether the text is hex digits, however many, with or without a final H.
bool LooksHex(std::string_view text) {
    if (!text.empty() && (text.back() == 'H' || text.back() == 'h')) text.remove_suffix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isxdigit(c) != 0;
    });
}

int LineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

}  // namespace

std::optional<std::string> UnquotedHexHint(std::string_view line) {
    for (auto at = line.find('='); at != std::string_view::npos; at = line.find('=', at + 1)) {
        const auto begin = line.find_first_not_of(" \t", at + 1);
        if (begin == std::string_view::npos) break;
        const auto end = line.find_first_of(" \t,}]#", begin);
        const std::string_view word = line.substr(begin, end - begin);
        const bool decimal =
            std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
        if (!LooksHex(word) || (decimal && (word.size() == 1 || word[0] != '0'))) continue;
        std::string digits(word);
        if (digits.back() == 'H' || digits.back() == 'h') digits.pop_back();
        std::string shortest = digits.substr(std::min(digits.find_first_not_of('0'),
                                                      digits.size() - 1));
        return Fill(Pick("шестнадцатеричное слово пишется в кавычках: \"%s\" или \"%sH\"",
                         "a hex word needs quotes: \"%s\" or \"%sH\""),
                    {digits, shortest});
    }
    return std::nullopt;
}

void FileReader::Fail(const toml::node& node, std::string text) {
    if (!problem) problem = Problem{std::move(text), LineOf(node)};
}

void FileReader::Warn(const toml::node& node, std::string text) {
    warnings.push_back({std::move(text), LineOf(node)});
}

void FileReader::OnlyKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                          std::string (*hint)(std::string_view key)) {
    for (const auto& [key, value] : table) {
        if (std::find(known.begin(), known.end(), key.str()) != known.end()) continue;
        const std::string meant = hint != nullptr ? hint(key.str()) : std::string();
        Fail(value, Pick("неизвестный ключ ", "unknown key ") + KeyName(key) +
                        (meant.empty() ? "" : ": " + meant));
    }
}

std::string FileReader::Text(const toml::node& node, std::string_view key) {
    if (const auto text = node.value<std::string>()) return FromParserText(*text);
    Fail(node, std::string(key) + Pick(": нужна строка", ": a string is needed"));
    return {};
}

bool FileReader::Flag(const toml::node& node, std::string_view key) {
    if (const auto value = node.value_exact<bool>()) return *value;
    Fail(node, std::string(key) + Pick(": нужно true или false", ": true or false is needed"));
    return false;
}

std::int64_t FileReader::Whole(const toml::node& node, std::string_view key, std::int64_t least,
                               std::int64_t most) {
    auto number = node.value_exact<std::int64_t>();
    if (const auto real = node.value_exact<double>()) {
        // A number beyond every whole number in range is refused before it is converted.
        if (*real >= -1e18 && *real <= 1e18 && std::floor(*real) == *real)
            number = static_cast<std::int64_t>(*real);
    }
    if (number && *number >= least && *number <= most) return *number;
    Fail(node, Fill(Pick("%s: нужно целое число от %s до %s",
                         "%s: a whole number from %s to %s is needed"),
                    {std::string(key), std::to_string(least), std::to_string(most)}));
    return least;
}

std::vector<std::string> FileReader::Lines(const toml::node& node, std::string_view key) {
    std::vector<std::string> lines;
    const toml::array* array = node.as_array();
    if (array == nullptr) {
        Fail(node, std::string(key) + Pick(": нужен список строк", ": a list of strings is needed"));
        return lines;
    }
    for (const toml::node& line : *array)
        lines.push_back(Text(line, key));
    return lines;
}

Value FileReader::Word(const toml::node& node, const std::string& what) {
    if (const auto number = node.value_exact<std::int64_t>()) {
        if (*number >= -0x8000 && *number <= 0xFFFF) return *number & 0xFFFF;
        Fail(node, Fill(Pick("%s: %s вне диапазона: слово — число от -32768 до 65535",
                             "%s: %s is out of range: a word is a number from -32768 to 65535"),
                        {what, std::to_string(*number)}));
        return 0;
    }
    if (const auto text = node.value<std::string>()) {
        if (const auto word = HexNumber(*text)) return *word;
        const std::string shown = Cp1251ToUtf8(FromParserText(*text));
        if (LooksHex(*text)) {
            Fail(node, Fill(Pick("%s: в «%s» больше четырёх шестнадцатеричных цифр",
                                 "%s: \"%s\" has more than four hex digits"),
                            {what, shown}));
            return 0;
        }
        Fail(node, Fill(Pick("%s: «%s» — не слово: нужны шестнадцатеричные цифры (\"002A\", "
                             "\"2AH\") или число",
                             "%s: \"%s\" is not a word: hex digits (\"002A\", \"2AH\") or a "
                             "number are needed"),
                        {what, shown}));
        return 0;
    }
    Fail(node, what + Pick(": нужно слово: шестнадцатеричные цифры в кавычках или число",
                           ": a word is needed: hex digits in quotes, or a number"));
    return 0;
}

std::map<std::string, Value> FileReader::Registers(const toml::node& node) {
    std::map<std::string, Value> registers;
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        Fail(node, Pick("registers: нужна таблица", "registers: a table is needed"));
        return registers;
    }
    for (const auto& [key, value] : *table) {
        const std::string name = Upper(KeyName(key));
        if (!IsRegisterName(name))
            Fail(value, Pick("нет такого регистра: ", "no such register: ") + KeyName(key));
        registers[name] = Word(value, name);
    }
    return registers;
}

std::map<Value, Value> FileReader::Memory(const toml::node& node) {
    std::map<Value, Value> memory;
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        Fail(node, Pick("memory: нужна таблица", "memory: a table is needed"));
        return memory;
    }
    for (const auto& [key, value] : *table) {
        const std::string name = KeyName(key);
        const auto address = HexNumber(name);
        if (!address) {
            Fail(value, Fill(Pick("memory: «%s» — не адрес: нужны шестнадцатеричные цифры "
                                  "(\"00C0\", \"0C0H\")",
                                  "memory: \"%s\" is not an address: hex digits are needed "
                                  "(\"00C0\", \"0C0H\")"),
                             {name}));
        } else if (!Machine::IsRamAddress(*address)) {
            Fail(value, Fill(Pick("memory: адрес %s вне ОЗУ (0000..00FF)",
                                  "memory: address %s is outside RAM (0000..00FF)"),
                             {WordToHex(*address)}));
        } else if (*address % 2 != 0) {
            Fail(value, Fill(Pick("memory: адрес %s нечётный: слово стоит по чётному адресу",
                                  "memory: address %s is odd: a word stands at an even address"),
                             {WordToHex(*address)}));
        } else {
            memory[*address] = Word(value, "[" + WordToHex(*address) + "]");
        }
    }
    return memory;
}

Language FileReader::TextsLanguage(const toml::node& node) {
    const auto text = node.value<std::string>();
    if (text && *text == "en") return Language::English;
    if (!text || *text != "ru")
        Fail(node, Pick("lang: нужно \"ru\" или \"en\"", "lang: \"ru\" or \"en\" is needed"));
    return Language::Russian;
}

OperationNames FileReader::Operations(const toml::node& node, std::string_view key) {
    OperationNames names;
    for (const std::string& name : Lines(node, key)) {
        const std::string upper = Upper(name);
        const Mnemonic* entry = LookupMnemonic(upper);
        if (entry == nullptr || entry->form == OperandForm::Number) {
            Fail(node, Fill(Pick("%s: нет такой команды: %s", "%s: no such operation: %s"),
                            {std::string(key), Cp1251ToUtf8(name)}));
        }
        names.push_back(upper);
    }
    return names;
}

}  // namespace q42
