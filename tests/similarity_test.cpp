// Similar solutions: a disguised copy still scores high and an independent solution low, the
// matching runs name the right lines, and odd programs (data in the middle, a code file, a huge
// program, no instructions) give a sound answer.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "assembler/assembler.h"
#include "exercise/similarity.h"
#include "session/text_file.h"

namespace q42 {
namespace {

const std::string kSource = Q42_SOURCE_DIR;

TextLines Lines(const std::string& path) {
    return ReadTextFile(path).lines;
}

InstructionSequence Sequence(const std::string& path) {
    return SequenceOfProgram(path, Lines(path), {});
}

InstructionSequence SequenceOfText(const TextLines& lines) {
    return SequenceOfProgram("program.asm", lines, {});
}

// anna.asm with registers R1 and R2 swapped, every label renamed and the constants changed.
TextLines Disguised(const TextLines& lines) {
    TextLines disguised;
    for (std::string line : lines) {
        line = std::regex_replace(line, std::regex("R1"), "R@");
        line = std::regex_replace(line, std::regex("R2"), "R1");
        line = std::regex_replace(line, std::regex("R@"), "R2");
        line = std::regex_replace(line, std::regex("\\b(ASK|WIN|SMALL|SAY|PRINT)\\b"), "X$1");
        line = std::regex_replace(line, std::regex("#(1|5)\\b"), "#9");
        line = std::regex_replace(line, std::regex("= 37"), "= 1234H");
        disguised.push_back(line);
    }
    return disguised;
}

TEST(Similarity, DisguisedCopiesScoreHighAndIndependentSolutionsLow) {
    const std::string anna = kSource + "/tests/data/similar/anna.asm";
    const std::string boris = kSource + "/tests/data/similar/boris.asm";
    const std::string examples = kSource + "/examples/";
    struct Case {
        const char* name = "";
        InstructionSequence first, second;
        double least = 0, most = 0;
    };
    const Case cases[] = {
        {"renamed labels, registers and constants", Sequence(anna),
         SequenceOfText(Disguised(Lines(anna))), 1.0, 1.0},
        {"blocks moved, data between, an instruction added", Sequence(anna), Sequence(boris), 0.9,
         0.95},
        {"the same program assembled and as a code file", Sequence(boris),
         SequenceOfProgram("boris.cod", Assemble(Lines(boris), {}).CodeText(), {}), 0.9, 1.0},
        {"two solutions of one exercise", Sequence(examples + "exercises/maximum.asm"),
         Sequence(kSource + "/tests/data/similar/maximum-other.asm"), 0.0, 0.5},
        {"a solution and its wrong version", Sequence(examples + "exercises/countdown.asm"),
         Sequence(examples + "exercises/countdown-wrong.asm"), 0.0, 0.7},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.first.error.empty() && c.second.error.empty()) << c.name;
        const double score = Compare(c.first, c.second).score;
        EXPECT_GE(score, c.least) << c.name;
        EXPECT_LE(score, c.most) << c.name;
        EXPECT_DOUBLE_EQ(Compare(c.second, c.first).score, score) << c.name;
    }
}

TEST(Similarity, NoSolutionOfOneExerciseLooksCopiedFromAnother) {
    std::vector<InstructionSequence> programs;
    for (const char* folder : {"/examples/lessons/solutions", "/examples/exercises"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kSource + folder)) {
            // A sample's wrong solution is its right one with a fault put in: alike by design.
            const bool wrong = entry.path().stem().string().ends_with("-wrong");
            if (entry.path().extension() == ".asm" && !wrong)
                programs.push_back(Sequence(entry.path()));
        }
    }
    ASSERT_GT(programs.size(), 30U);
    EXPECT_TRUE(SimilarPairs(programs, 0.8).empty());
}

// The runs of anna.asm against boris.asm, as the files are laid out: the game's loop and its
// end, the winning branch that boris put after the texts, and the printing routine he put first.
TEST(Similarity, RunsNameTheMatchingLines) {
    const Similarity similarity = Compare(Sequence(kSource + "/tests/data/similar/anna.asm"),
                                          Sequence(kSource + "/tests/data/similar/boris.asm"));
    struct Run {
        int length, firstFrom, firstTo, secondFrom, secondTo;
    };
    const Run expected[] = {{18, 10, 27, 20, 37}, {10, 28, 37, 44, 53}, {6, 39, 44, 10, 15}};
    ASSERT_EQ(similarity.runs.size(), std::size(expected));
    for (std::size_t i = 0; i < similarity.runs.size(); ++i) {
        const MatchedRun& run = similarity.runs[i];
        EXPECT_EQ(run.length, expected[i].length) << i;
        EXPECT_EQ(run.firstFrom, expected[i].firstFrom) << i;
        EXPECT_EQ(run.firstTo, expected[i].firstTo) << i;
        EXPECT_EQ(run.secondFrom, expected[i].secondFrom) << i;
        EXPECT_EQ(run.secondTo, expected[i].secondTo) << i;
    }
    EXPECT_EQ(similarity.matched, 34);
}

// What a token keeps and what it puts aside, one statement against another.
TEST(Similarity, TokensKeepOperationsAndModesOnly) {
    struct Case {
        const char* first;
        const char* second;
        bool same;
    };
    const Case cases[] = {
        {"MOV #3,R1", "MOV #300H,R2", true},  // a short constant and a constant word
        {"MOV R1,R2", "MOV R3,R0", true},     {"IN P.1,R0", "IN P.3,R2", true},
        {"CALL #4000H", "CALL #4010H", true}, {"MOV R1,R2", "MOV (R1),R2", false},
        {"MOV R1,R2", "ADD R1,R2", false},    {"MOV (R1)%,R0", "MOV (R1),R0", false},
        {"L: BE L", "L: BNE L", false},       {"MOV #5,R0", "MOV R1,R0", false},
    };
    for (const Case& c : cases) {
        const InstructionSequence first = SequenceOfText({c.first});
        const InstructionSequence second = SequenceOfText({c.second});
        ASSERT_EQ(first.tokens.size(), 1U) << c.first << first.error;
        ASSERT_EQ(second.tokens.size(), 1U) << c.second << second.error;
        EXPECT_EQ(first.tokens[0].kind == second.tokens[0].kind, c.same)
            << c.first << " / " << c.second;
    }
}

// Twelve different instructions a..l: the first program is a..l, the second a..h, another
// instruction, then e..l. The run a..h is taken first; of e..l, which it partly took, i..l still
// counts.
TEST(Similarity, WhatALongerRunLeavesOfAnotherStillCounts) {
    const TextLines letters = {" MOV R1,R2", " ADD R1,R2", " SUB R1,R2", " CMP R1,R2",
                               " MUL R1,R2", " DIV R1,R2", " AND R1,R2", " OR R1,R2",
                               " XOR R1,R2", " NOT R1",    " PUSH R1",   " POP R1"};
    TextLines second(letters.begin(), letters.begin() + 8);
    second.push_back(" MOV (R1),R2");
    second.insert(second.end(), letters.begin() + 4, letters.end());
    const Similarity similarity = Compare(SequenceOfText(letters), SequenceOfText(second));
    ASSERT_EQ(similarity.runs.size(), 2U);
    EXPECT_EQ(similarity.runs[0].length, 8);
    EXPECT_EQ(similarity.runs[1].length, 4);
    EXPECT_EQ(similarity.runs[1].firstFrom, 9);
    EXPECT_EQ(similarity.runs[1].secondFrom, 14);
    EXPECT_DOUBLE_EQ(similarity.score, 2.0 * 12 / (12 + 17));
}

TextLines Repeated(const std::string& line, int count) {
    return TextLines(count, line);
}

TEST(Similarity, DataWordsAreLeftOutAndEndRuns) {
    TextLines withData = Repeated(" MOV R1,R2", 5);
    withData.push_back("T: DS Hello");
    withData.push_back(" RW 2");
    for (const std::string& line : Repeated(" ADD R1,R2", 5))
        withData.push_back(line);
    TextLines plain = Repeated(" MOV R1,R2", 5);
    for (const std::string& line : Repeated(" ADD R1,R2", 5))
        plain.push_back(line);

    const Similarity similarity = Compare(SequenceOfText(withData), SequenceOfText(plain));
    EXPECT_DOUBLE_EQ(similarity.score, 1.0);
    ASSERT_EQ(similarity.runs.size(), 2U);  // the data splits the run
    EXPECT_EQ(similarity.runs[0].firstTo, 5);
    EXPECT_EQ(similarity.runs[1].firstFrom, 8);
}

TEST(Similarity, OddProgramsGiveASoundAnswer) {
    const InstructionSequence huge = SequenceOfText(Repeated(" MOV R1,R2", 5000));
    EXPECT_TRUE(huge.cut);
    EXPECT_EQ(huge.tokens.size(), static_cast<std::size_t>(kMaxInstructions));

    const InstructionSequence none = SequenceOfText({"T: DS Only a text"});
    EXPECT_TRUE(none.tokens.empty());
    EXPECT_EQ(Compare(none, none).score, 0.0);
}

// Highest first, the given order among equals, programs with errors and tiny matches left out.
TEST(Similarity, PairsComeHighestFirst) {
    const std::string anna = kSource + "/tests/data/similar/anna.asm";
    const std::vector<InstructionSequence> programs = {
        Sequence(anna),
        Sequence(kSource + "/tests/data/similar/boris.asm"),
        SequenceOfText({" MOV R1"}),
        SequenceOfText(Disguised(Lines(anna))),
        SequenceOfText(Repeated(" MOV R1,R2", 5)),
        SequenceOfText(Repeated(" MOV R3,R0", 5)),
    };
    const std::vector<SimilarPair> pairs = SimilarPairs(programs, 0.5);
    std::vector<std::pair<int, int>> order;
    order.reserve(pairs.size());
    for (const SimilarPair& pair : pairs)
        order.emplace_back(pair.first, pair.second);
    const std::vector<std::pair<int, int>> expected = {{0, 3}, {0, 1}, {1, 3}};
    EXPECT_EQ(order, expected);

    const std::vector<SimilarPair> exact = SimilarPairs(programs, 1.0);  // a threshold met exactly
    ASSERT_EQ(exact.size(), 1U);
    EXPECT_EQ(exact[0].second, 3);
}

}  // namespace
}  // namespace q42
