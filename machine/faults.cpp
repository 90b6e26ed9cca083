#include "machine/faults.h"

#include <array>
#include <string_view>

#include "machine/codepage.h"

namespace q42 {
namespace {

constexpr std::array<std::string_view, 21> kUtf8Texts = {
    "",
    "неправильный адрес памяти",
    "попытка записи в ПЗУ",
    "неправильный символ",
    "неправильная длина",
    "некорректная длина кода",
    "неправильный метод адресации",
    "ОП2 не должен быть константой",
    "ошибка в МОД: операция между байтом и словом запрещена",
    "ошибка в МОД: операция между словом и байтом запрещена",
    "переполнение",
    "переполнение байта",
    "деление на ноль",
    "несуществующий код операции",
    "недопустимый КОП",
    "ошибка в МОД: запись байта в стек запрещена",
    "чтение байта из стека запрещено",
    "ошибка в МОД: адресация байта запрещена",
    "неправильный адрес команды",
    "адрес команды, следующей за данной, неправильный",
    "переполнение буфера клавиатуры",
};
static_assert(kUtf8Texts.size() == static_cast<std::size_t>(Fault::KeyBufferOverflow) + 1);

}  // namespace

const std::string& FaultText(Fault fault) {
    static const auto texts = [] {
        std::array<std::string, kUtf8Texts.size()> result;
        for (std::size_t i = 0; i < kUtf8Texts.size(); ++i)
            result[i] = Utf8ToCp1251(kUtf8Texts[i]);
        return result;
    }();
    return texts[static_cast<std::size_t>(fault)];
}

}  // namespace q42
