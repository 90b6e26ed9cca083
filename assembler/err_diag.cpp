#include "assembler/err_diag.h"

#include "machine/codepage.h"

namespace q42 {
namespace {

// Written here in UTF-8; the table holds them converted once to the 8-bit code page.
constexpr const char* kTexts[2][kAsmMessageCount] = {
    {
        "Недопустимый символ в числе",
        "Недопустимый символ в идентификаторе",
        "Слишком большая константа",
        "Повторное имя метки",
        "Метка не найдена в списке",
        "Не найдена \",\"",
        "Недопустимый порт",
        "Константа здесь запрещена",
        "Неизвестное имя операции",
        "Лишний операнд",
        "Пропущен операнд",
        "Байтовая адресация здесь запрещена",
        "Слишком большое смещение",
        "Недопустимое значение",
        "Смешение byte and word",
        "Идентификатор начинается с цифры или \"-\"",
        "Успешная компиляция",
        "Неправильный тип памяти: ",
        "Нет значения после \"#\"",
    },
    {
        "Incorrect symbol in number",
        "Incorrect symbol in identifier",
        "Too large const",
        "Duplicate label name",
        "Label not found in the list",
        "\",\" not found",
        "Incorrect port",
        "Const is forbidden here",
        "Unknown operation name",
        "Extra operand",
        "Missed operand",
        "Byte addressing is forbidden here",
        "Too long displacement",
        "Invalid value",
        "Mixing byte and word",
        "Identifier begins from figure or \"-\"",
        "Successful compilation",
        "Invalid memory type: ",
        "No value after \"#\"",
    },
};

AsmMessageTable BuildTable() {
    AsmMessageTable table;
    for (int row = 0; row < 2; ++row)
        for (int n = 0; n < kAsmMessageCount; ++n)
            table[row][n] = Utf8ToCp1251(kTexts[row][n]);
    return table;
}

}  // namespace

const AsmMessageTable& AsmMessages() {
    static const AsmMessageTable table = BuildTable();
    return table;
}

const std::string& AsmText(AsmMessage message, bool english) {
    return AsmMessages()[english ? 1 : 0][static_cast<int>(message) - 1];
}

std::string AsmErrorText(const AsmError& error, bool english) {
    std::string text = AsmText(error.message, english);
    if (error.item) text += (error.blankBeforeItem ? " " : ": ") + *error.item;
    return text;
}

std::string NameOrConstantText(const std::string& statement, const std::string& name) {
    return statement + ":\n" + name + "\nor #" + name + "?";
}

}  // namespace q42
