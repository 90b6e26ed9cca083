// The diagnostics table and the instruction table.

#include <gtest/gtest.h>

#include "assembler/err_diag.h"
#include "assembler/mnemonic.h"
#include "machine/codepage.h"

namespace q42 {
namespace {

TEST(AsmMessages, QuotesColonsAndMixedLanguageSurviveTheCodePage) {
    const std::tuple<AsmMessage, const char*, const char*> rows[] = {
        {AsmMessage::CommaNotFound, "Не найдена \",\"", "\",\" not found"},
        {AsmMessage::MixingByteAndWord, "Смешение byte and word", "Mixing byte and word"},
        {AsmMessage::IdentifierBeginsBadly, "Идентификатор начинается с цифры или \"-\"",
         "Identifier begins from figure or \"-\""},
        {AsmMessage::BadMemoryType, "Неправильный тип памяти: ", "Invalid memory type: "},
        {AsmMessage::NoValueAfterHash, "Нет значения после \"#\"", "No value after \"#\""},
    };
    for (const auto& [message, russian, english] : rows) {
        EXPECT_EQ(Cp1251ToUtf8(AsmText(message, false)), russian);
        EXPECT_EQ(Cp1251ToUtf8(AsmText(message, true)), english);
    }
    for (const auto& row : AsmMessages())
        for (const auto& text : row)
            EXPECT_EQ(Cp1251ToUtf8(text).find('?'), std::string::npos) << Cp1251ToUtf8(text);
}

TEST(InstructionTable, LookupsAreExactAndCaseSensitive) {
    ASSERT_NE(LookupMnemonic("MOV"), nullptr);
    EXPECT_EQ(LookupMnemonic("MOV")->fields.Word(), 0x0100);
    EXPECT_EQ(LookupMnemonic("DW")->form, OperandForm::Number);
    EXPECT_EQ(LookupMnemonic("ASR")->fields.Word(), 0x0EC0);
    EXPECT_EQ(LookupMnemonic("mov"), nullptr);
    EXPECT_EQ(LookupMnemonic("MOVE"), nullptr);
    EXPECT_EQ(LookupOperandName("(R2)"), 6);
    EXPECT_EQ(LookupOperandName("( R2 )"), std::nullopt);
}

}  // namespace
}  // namespace q42
