// The forms of words the run of steps decodes once: every word is of exactly one form, the bits
// a form knows are the word's own, and a program that writes over its own code runs the word it
// wrote.

#include <gtest/gtest.h>

#include <bit>

#include "machine/word_forms.h"
#include "tests/rig.h"

namespace q42::test {
namespace {

TEST(WordForms, EachWordIsOfOneFormThatKnowsItsBits) {
    const auto& table = kFormOfWord;
    std::vector<int> words(kWordFormCount, 0);
    for (unsigned word = 0; word < 0x10000; ++word) {
        const WordForm form = FormAt(table[word]);
        ASSERT_EQ(word & form.mask, form.bits) << std::hex << word;
        ++words[table[word]];
    }
    // A form that shared words with another would lose some of its own.
    for (int form = 1; form < kWordFormCount; ++form) {
        const int free = 16 - std::popcount(unsigned{FormAt(form).mask});
        EXPECT_EQ(words[static_cast<std::size_t>(form)], 1 << free) << "form " << form;
    }
}

TEST(WordForms, CommonWordsHaveTheirOwnFormsAndTheRestTheGeneralOne) {
    const auto& table = kFormOfWord;
    for (const unsigned word : {0x2311u, 0x4DFCu, 0x0152u, 0xC153u, 0xE413u, 0x9D10u, 0x0E22u,
                                0x0E33u, 0x01D0u, 0x0D00u, 0x0000u})
        EXPECT_NE(table[word], 0) << std::hex << word;
    // HLT, IN, OUT, a byte moved into a word, POPPS.
    for (const unsigned word : {0x0F00u, 0xAF18u, 0x0A10u, 0x0B03u, 0x8110u, 0x0E90u})
        EXPECT_EQ(table[word], 0) << std::hex << word;
}

// A run to a stop looks for a key read only among the words of the general form.
TEST(WordForms, WordsThatMayReadAKeyAreOfTheGeneralForm) {
    for (unsigned word = 0; word < 0x10000; ++word) {
        const InstructionWord w(word);
        if (w.Operation() == kIn && w.InPort() == 1) {
            ASSERT_EQ(kFormOfWord[word], 0) << std::hex << word;
        }
    }
}

// MOV #2310H,@0006 writes SUB #1,R0 over ADD #1,R0 just ahead of it.
TEST(WordForms, CodeWrittenOverRunsAsWritten) {
    for (const std::int64_t batch : {1, 1000}) {
        Rig rig;
        rig.Load({0x01DE, 0x2310, 0x0006, 0x2110, 0x0F00});
        rig.machine.ResetForRun();
        std::int64_t steps = 0;
        while (!rig.machine.State().stopFlag && !rig.machine.Failed() && steps < 10)
            steps += rig.machine.RunSteps(batch);
        EXPECT_EQ(steps, 3);
        EXPECT_EQ(rig.machine.State().r[0], 0xFFFF);
        EXPECT_EQ(rig.machine.State().ram[3], 0x2310);
    }
}

}  // namespace
}  // namespace q42::test
