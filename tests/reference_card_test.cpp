// The reference card in docs/ is the one the instruction table gives: a change of the table
// without the card made anew fails here. Q42_UPDATE_CARD=1 writes the cards instead:
//   Q42_UPDATE_CARD=1 build/bin/core_tests --gtest_filter='ReferenceCard.*'

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "assembler/instruction_set.h"
#include "assembler/reference_card.h"

namespace q42::test {
namespace {

struct Card {
    const char* file;
    Language language;
};

std::string Path(const Card& card) {
    return std::string(Q42_SOURCE_DIR) + "/docs/" + card.file;
}

TEST(ReferenceCard, TheCardsInDocsAreTheTablesCards) {
    for (const Card& card :
         {Card{"card.en.md", Language::English}, Card{"card.ru.md", Language::Russian}}) {
        const std::string made = ReferenceCard(card.language);
        if (std::getenv("Q42_UPDATE_CARD") != nullptr) {
            std::ofstream(Path(card), std::ios::binary) << made;
            continue;
        }
        std::ifstream file(Path(card), std::ios::binary);
        std::ostringstream kept;
        kept << file.rdbuf();
        EXPECT_EQ(kept.str(), made) << card.file << " is not the table's card: make it anew with "
                                    << "Q42_UPDATE_CARD=1";
    }
}

// Every operation stands on the card with how it is written and what it does.
TEST(ReferenceCard, NamesEveryOperationInItsLanguage) {
    for (const Language language : {Language::English, Language::Russian}) {
        const std::string card = ReferenceCard(language);
        for (const Mnemonic& operation : MnemonicTable()) {
            const Bilingual& syntax = operation.syntax;
            const std::string_view written =
                language == Language::English ? syntax.english : syntax.russian;
            EXPECT_NE(card.find("| `" + std::string(written) + "` |"), std::string::npos)
                << written;
        }
    }
}

}  // namespace
}  // namespace q42::test
