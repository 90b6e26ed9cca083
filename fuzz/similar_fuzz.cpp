// Similar solutions on any two programs: each gives instructions or a reason, and their comparison
// a score from 0 to 1 whose runs are as long as they say, lie inside both programs and cover
// the matched instructions. The first byte says which of the two is a code file; the programs'
// texts follow, separated by a 0 byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "assembler/codetext.h"
#include "exercise/similarity.h"
#include "fuzz/fuzz_support.h"
#include "session/text_file.h"

namespace q42::fuzz {
namespace {

InstructionSequence Program(bool code, std::string_view bytes) {
    const TextLines lines = SplitTextLines(DecodeFileText(bytes));
    InstructionSequence sequence = SequenceOfProgram(code ? "p.cod" : "p.asm", lines, AsmOptions{});
    Require(sequence.error.empty() || sequence.tokens.empty());
    Require(sequence.tokens.size() <= static_cast<std::size_t>(kMaxInstructions));
    Require(!sequence.cut || sequence.tokens.size() == static_cast<std::size_t>(kMaxInstructions));
    Require(sequence.byAddress == (code && sequence.error.empty()));
    for (const InstructionToken& token : sequence.tokens) {
        if (code) {
            Require(token.place % 2 == 0 && token.place < 2 * kRamWords);
        } else {
            Require(token.place >= 1 && static_cast<std::size_t>(token.place) <= lines.size());
        }
    }
    return sequence;
}

bool HasPlace(const InstructionSequence& sequence, int place) {
    for (const InstructionToken& token : sequence.tokens) {
        if (token.place == place) return true;
    }
    return false;
}

void CheckComparison(const InstructionSequence& first, const InstructionSequence& second) {
    const Similarity similarity = Compare(first, second);
    Require(similarity.score >= 0 && similarity.score <= 1);
    int matched = 0;
    for (const MatchedRun& run : similarity.runs) {
        Require(run.length >= kMinimumRun);
        Require(HasPlace(first, run.firstFrom) && HasPlace(first, run.firstTo));
        Require(HasPlace(second, run.secondFrom) && HasPlace(second, run.secondTo));
        matched += run.length;
    }
    Require(matched == similarity.matched);
    Require(matched <= static_cast<int>(std::min(first.tokens.size(), second.tokens.size())));
    // A program without data between its instructions is all one run against itself.
    bool joined = true;
    for (const InstructionToken& token : first.tokens)
        joined = joined && !token.afterData;
    if (joined && first.tokens.size() >= static_cast<std::size_t>(kMinimumRun))
        Require(Compare(first, first).score == 1.0);
}

}  // namespace
}  // namespace q42::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q42::fuzz;
    ByteReader input(data, size);
    const std::uint8_t kinds = input.Byte();
    const std::string_view rest = input.Rest();
    const std::size_t split = std::min(rest.find('\0'), rest.size());
    const auto first = Program(kinds & 1, rest.substr(0, split));
    const auto second = Program(kinds & 2, rest.substr(std::min(split + 1, rest.size())));
    CheckComparison(first, second);
    const auto pairs = q42::SimilarPairs({first, second}, 0.0);
    Require(pairs.size() <= 1);
    return 0;
}
