// The system's texts in the two languages: every text exists in both, the English ones hold no
// Cyrillic letter, and the language chosen is the one every text follows.

#include <gtest/gtest.h>

#include <string>

#include "machine/codepage.h"
#include "machine/faults.h"
#include "machine/language.h"
#include "machine/run_texts.h"
#include "session/decoder.h"
#include "tests/cyrillic.h"
#include "tests/machine_test_support.h"

namespace q42::test {
namespace {

// Restores the Russian texts after each test, as every other test expects them.
class LanguageTest : public testing::Test {
  protected:
    void TearDown() override { SetTextLanguage(Language::Russian); }
};

// Every text the functions give, in the current language, converted to UTF-8.
std::vector<std::string> FaultAndRunTexts() {
    std::vector<std::string> texts;
    for (int fault = 1; fault <= static_cast<int>(Fault::KeyBufferOverflow); ++fault)
        texts.push_back(Cp1251ToUtf8(FaultText(static_cast<Fault>(fault))));
    for (int text = 0; text <= static_cast<int>(RunText::RomNotFound); ++text)
        texts.push_back(Cp1251ToUtf8(Text(static_cast<RunText>(text))));
    return texts;
}

TEST_F(LanguageTest, EveryTextHasBothLanguages) {
    const std::vector<std::string> russian = FaultAndRunTexts();
    SetTextLanguage(Language::English);
    const std::vector<std::string> english = FaultAndRunTexts();
    ASSERT_EQ(russian.size(), english.size());
    for (std::size_t i = 0; i < russian.size(); ++i) {
        EXPECT_TRUE(HasCyrillic(russian[i])) << russian[i];
        EXPECT_FALSE(english[i].empty()) << russian[i];
        EXPECT_FALSE(HasCyrillic(english[i])) << english[i];
    }
    EXPECT_EQ(FaultText(Fault::None), "");
}

// Every instruction word, with a constant and an address after it, explained in English.
TEST_F(LanguageTest, DecoderExplainsEveryWordInEnglish) {
    SetTextLanguage(Language::English);
    Machine machine;
    Decoder decoder;
    for (int word = 0; word <= 0xFFFF; ++word) {
        ApplyState(machine, "@0010=" + WordToHex(static_cast<Value>(word)) + " @0012=0004");
        decoder.DecodeAt(machine, 0x10);
        const DecodedInstruction& s = decoder.Shown();
        for (const std::string* text :
             {&s.operation, &s.operand1Caption, &s.shortConstantCaption, &s.negativeCaption,
              &s.operand1, &s.targetMemory, &s.byte1Caption, &s.operand2Caption, &s.operand2,
              &s.byte2Caption})
            ASSERT_FALSE(HasCyrillic(Cp1251ToUtf8(*text))) << WordToHex(word) << ": " << *text;
    }
    ApplyState(machine, "@0010=1C0D @0012=0004");
    decoder.DecodeAt(machine, 0x10);
    EXPECT_EQ(decoder.Shown().operation, "JMP (unconditional jump)");
    EXPECT_EQ(decoder.Shown().targetMemory, "RAM");
    SetTextLanguage(Language::Russian);
    decoder.DecodeAt(machine, 0x10);
    EXPECT_EQ(Cp1251ToUtf8(decoder.Shown().operation), "JMP (безусловный переход)");
}

}  // namespace
}  // namespace q42::test
