#include "exercise/similarity.h"

#include <algorithm>
#include <iterator>
#include <queue>

namespace q42 {
namespace {

// One program's token kinds, and which of them lie in a tile taken already.
struct Side {
    explicit Side(const InstructionSequence& sequence) : matched(sequence.tokens.size()) {
        for (const InstructionToken& token : sequence.tokens) {
            kinds.push_back(token.kind);
            afterData.push_back(token.afterData);
        }
    }
    int Size() const { return static_cast<int>(kinds.size()); }

    std::vector<std::uint32_t> kinds;
    std::vector<bool> afterData;
    std::vector<bool> matched;
};

// A common run: `length` tokens from token `first` of one program and `second` of the other.
struct Tile {
    int first = 0;
    int second = 0;
    int length = 0;
};

// The order tiles are taken in: longest first, then by place in the first program and the second.
struct TakenLater {
    bool operator()(const Tile& x, const Tile& y) const {
        if (x.length != y.length) return x.length < y.length;
        return x.first != y.first ? x.first > y.first : x.second > y.second;
    }
};
using TileQueue = std::priority_queue<Tile, std::vector<Tile>, TakenLater>;

void Push(const Tile& tile, TileQueue& queue) {
    if (tile.length >= kMinimumRun) queue.push(tile);
}

// The common runs along one diagonal of the comparison, from token i of `a` and j of `b`: equal
// kinds in a row, a run ending where data words lie between two instructions on either side.
void DiagonalRuns(const Side& a, const Side& b, int i, int j, TileQueue& queue) {
    Tile run{i, j, 0};
    for (; i < a.Size() && j < b.Size(); ++i, ++j) {
        const bool same = a.kinds[i] == b.kinds[j];
        if (run.length > 0 && same && !a.afterData[i] && !b.afterData[j]) {
            ++run.length;
            continue;
        }
        Push(run, queue);
        run = {i, j, same ? 1 : 0};
    }
    Push(run, queue);
}

bool Free(const Side& a, const Side& b, const Tile& tile, int k) {
    return !a.matched[tile.first + k] && !b.matched[tile.second + k];
}

// What is left of a run that longer tiles have partly taken: each stretch free on both sides.
void PushFreeStretches(const Side& a, const Side& b, const Tile& tile, TileQueue& queue) {
    Tile stretch{tile.first, tile.second, 0};
    for (int k = 0; k < tile.length; ++k) {
        if (Free(a, b, tile, k)) {
            ++stretch.length;
            continue;
        }
        Push(stretch, queue);
        stretch = {tile.first + k + 1, tile.second + k + 1, 0};
    }
    Push(stretch, queue);
}

// Greedy string tiling: the longest common run not yet matched becomes a tile, then the next
// longest, down to kMinimumRun. A run that a longer tile has partly taken goes back as what is
// left of it, which gives the tiles that finding the runs anew after every tile would give.
// Longest first.
std::vector<Tile> Tiles(Side a, Side b) {
    TileQueue queue;
    for (int i = 0; i < a.Size(); ++i)
        DiagonalRuns(a, b, i, 0, queue);
    for (int j = 1; j < b.Size(); ++j)
        DiagonalRuns(a, b, 0, j, queue);
    std::vector<Tile> tiles;
    while (!queue.empty()) {
        const Tile tile = queue.top();
        queue.pop();
        bool whole = true;
        for (int k = 0; k < tile.length && whole; ++k)
            whole = Free(a, b, tile, k);
        if (!whole) {
            PushFreeStretches(a, b, tile, queue);
            continue;
        }
        for (int k = 0; k < tile.length; ++k) {
            a.matched[tile.first + k] = true;
            b.matched[tile.second + k] = true;
        }
        tiles.push_back(tile);
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
