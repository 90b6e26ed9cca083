#include "exercise/similarity.h"

#include <algorithm>
#include <iterator>

namespace q42 {
namespace {

// One program's token kinds, and which of them lie in a run found already.
struct Side {
    explicit Side(const InstructionSequence& sequence) : matched(sequence.tokens.size()) {
        for (const InstructionToken& token : sequence.tokens) {
            kinds.push_back(token.kind);
            afterData.push_back(token.afterData);
        }
        afterData.push_back(true);  // the end: no run goes on
    }
    int Size() const { return static_cast<int>(kinds.size()); }
    bool Free(int from, int length) const {
        return std::none_of(matched.begin() + from, matched.begin() + from + length,
                            [](bool taken) { return taken; });
    }
    void Take(int from, int length) {
        std::fill(matched.begin() + from, matched.begin() + from + length, true);
    }

    std::vector<std::uint32_t> kinds;
    std::vector<bool> afterData;
    std::vector<bool> matched;
};

struct Tile {
    int first = 0;
    int second = 0;
    int length = 0;
};

// Fills runs[i * (m + 1) + j] with the length of the common run of free tokens that starts at
// token i of `a` and token j of `b`, and stops before data words on either side; from the ends
// backwards. Returns the longest.
int CommonRuns(const Side& a, const Side& b, std::vector<int>& runs) {
    const int width = b.Size() + 1;
    runs.assign(static_cast<std::size_t>(a.Size() + 1) * width, 0);
    int longest = 0;
    for (int i = a.Size() - 1; i >= 0; --i) {
        if (a.matched[i]) continue;
        for (int j = b.Size() - 1; j >= 0; --j) {
            if (b.matched[j] || a.kinds[i] != b.kinds[j]) continue;
            const bool goesOn = !a.afterData[i + 1] && !b.afterData[j + 1];
            const int run = 1 + (goesOn ? runs[(i + 1) * width + j + 1] : 0);
            runs[i * width + j] = run;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// Greedy string tiling: the longest common runs of free tokens become tiles, as many of that
// length as do not overlap, then the next longest, down to kMinimumRun. Longest first.
std::vector<Tile> Tiles(Side a, Side b) {
    std::vector<Tile> tiles;
    std::vector<int> runs;
    const int width = b.Size() + 1;
    for (int longest = CommonRuns(a, b, runs); longest >= kMinimumRun;
         longest = CommonRuns(a, b, runs)) {
        for (int i = 0; i < a.Size(); ++i) {
            for (int j = 0; j < b.Size(); ++j) {
                if (runs[i * width + j] != longest || !a.Free(i, longest) || !b.Free(j, longest))
                    continue;
                a.Take(i, longest);
                b.Take(j, longest);
                tiles.push_back({i, j, longest});
            }
        }
    }
    return tiles;
}

MatchedRun RunOf(const Tile& tile, const InstructionSequence& first,
                 const InstructionSequence& second) {
    const int last = tile.length - 1;
    return {tile.length, first.tokens[tile.first].place, first.tokens[tile.first + last].place,
            second.tokens[tile.second].place, second.tokens[tile.second + last].place};
}

// How many tokens the two could have in runs at most: those of a kind both hold.
int SharedTokens(std::vector<std::uint32_t> a, std::vector<std::uint32_t> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    std::vector<std::uint32_t> shared;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(shared));
    return static_cast<int>(shared.size());
}

double Share(int matched, int total) {
    return total == 0 ? 0.0 : 2.0 * matched / total;
}

}  // namespace

Similarity Compare(const InstructionSequence& first, const InstructionSequence& second) {
    Similarity similarity;
    for (const Tile& tile : Tiles(Side(first), Side(second))) {
        similarity.runs.push_back(RunOf(tile, first, second));
        similarity.matched += tile.length;
    }
    similarity.score =
        Share(similarity.matched, static_cast<int>(first.tokens.size() + second.tokens.size()));
    return similarity;
}

std::vector<SimilarPair> SimilarPairs(const std::vector<InstructionSequence>& programs,
                                      double threshold) {
    std::vector<SimilarPair> pairs;
    const int count = static_cast<int>(programs.size());
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const InstructionSequence& a = programs[i];
            const InstructionSequence& b = programs[j];
            if (!a.error.empty() || !b.error.empty()) continue;
            // A cheap bound first: most pairs of a class are told apart by it alone.
            const int total = static_cast<int>(a.tokens.size() + b.tokens.size());
            if (Share(SharedTokens(Side(a).kinds, Side(b).kinds), total) < threshold) continue;
            Similarity similarity = Compare(a, b);
            if (similarity.score >= threshold && similarity.matched >= kLeastMatched)
                pairs.push_back({i, j, std::move(similarity)});
        }
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const SimilarPair& x, const SimilarPair& y) {
        return x.similarity.score > y.similarity.score;
    });
    return pairs;
}

}  // namespace q42
