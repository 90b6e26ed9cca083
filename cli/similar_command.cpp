// q42cli similar: the pairs of programs whose instructions are alike, as lines or as JSON.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/program.h"
#include "exercise/similarity.h"
#include "machine/codepage.h"
#include "machine/path_text.h"
#include "session/text_file.h"

namespace q42::cli {
namespace {

// The runs a line shows: the longest few, enough to find the copied part.
constexpr std::size_t kRunsShown = 3;

std::string Pick(const char* russian, const char* english) {
    return EnglishTexts() ? english : russian;
}

// Reads and assembles one program; one that cannot be compared is named on stderr.
InstructionSequence ReadProgram(const Options& options, const std::string& path,
                                std::ostream& err) {
    const TextFile file = ReadTextFile(PathFromUtf8(path));
    InstructionSequence sequence;
    if (file.error.empty())
        sequence = SequenceOfProgram(path, file.lines, AssemblerOptions(options));
    // The file's reason names it; the assembler's is 8-bit and names the line.
    const std::string error =
        file.error.empty() ? path + ": " + Cp1251ToUtf8(sequence.error) : file.error;
    if (!file.error.empty() || !sequence.error.empty()) {
        sequence.error = error;
        err << "q42cli: " << Pick("не сравнивается: ", "not compared: ") << error << '\n';
    } else if (sequence.cut) {
        err << "q42cli: " << path << ": " << Pick("сравниваются только первые ", "only the first ")
            << kMaxInstructions << Pick(" команд", " instructions are compared") << '\n';
    }
    return sequence;
}

// A place as the program counts it: a source line, or a code file's address in hex.
std::string PlaceText(int place, bool byAddress) {
    return byAddress ? WordToHex(place) : std::to_string(place);
}

std::string RangeText(int from, int to, bool byAddress) {
    return PlaceText(from, byAddress) + "-" + PlaceText(to, byAddress);
}

// The score with two decimals, rounded down so that a pair shown never seems to reach a
// threshold it missed.
std::string ScoreText(double score) {
    char text[8];
    std::snprintf(text, sizeof text, "%.2f", std::floor(score * 100) / 100);
    return text;
}

// "0.93  anna.asm  boris.asm  (5-18 ~ 7-20; 22-30 ~ 25-33)": the longest runs, in the first
// program's order.
void PrintPair(const SimilarPair& pair, const std::vector<InstructionSequence>& programs,
               const std::vector<std::string>& names, std::ostream& out) {
    std::vector<MatchedRun> runs = pair.similarity.runs;
    runs.resize(std::min(runs.size(), kRunsShown));
    std::sort(runs.begin(), runs.end(),
              [](const MatchedRun& x, const MatchedRun& y) { return x.firstFrom < y.firstFrom; });
    out << ScoreText(pair.similarity.score) << "  " << names[pair.first] << "  "
        << names[pair.second] << "  (";
    for (std::size_t i = 0; i < runs.size(); ++i) {
        out << (i == 0 ? "" : "; ")
            << RangeText(runs[i].firstFrom, runs[i].firstTo, programs[pair.first].byAddress)
            << " ~ "
            << RangeText(runs[i].secondFrom, runs[i].secondTo, programs[pair.second].byAddress);
    }
    out << ")\n";
}

nlohmann::json PairJson(const SimilarPair& pair, const std::vector<std::string>& names) {
    nlohmann::json runs = nlohmann::json::array();
    for (const MatchedRun& run : pair.similarity.runs) {
        runs.push_back({{"instructions", run.length},
                        {"first", {run.firstFrom, run.firstTo}},
                        {"second", {run.secondFrom, run.secondTo}}});
    }
    return {{"score", std::round(pair.similarity.score * 10000) / 10000},
            {"first", names[pair.first]},
            {"second", names[pair.second]},
            {"runs", std::move(runs)}};
}

nlohmann::json SimilarJson(const std::vector<SimilarPair>& pairs,
                           const std::vector<InstructionSequence>& programs,
                           const Options& options) {
    nlohmann::json document = {{"threshold", options.threshold},
                               {"pairs", nlohmann::json::array()},
                               {"not_compared", nlohmann::json::array()}};
    for (const SimilarPair& pair : pairs)
        document["pairs"].push_back(PairJson(pair, options.programs));
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (!programs[i].error.empty())
            document["not_compared"].push_back(
                {{"program", options.programs[i]}, {"reason", programs[i].error}});
    }
    return document;
}

}  // namespace

int SimilarCommand(const Options& options, Streams io) {
    SetTextLanguage(options.language);
    std::vector<InstructionSequence> programs;
    bool leftOut = false;
    for (const std::string& path : options.programs) {
        programs.push_back(ReadProgram(options, path, io.err));
        leftOut = leftOut || !programs.back().error.empty();
    }
    const std::vector<SimilarPair> pairs = SimilarPairs(programs, options.threshold);
    if (options.json) {
        io.out << JsonText(SimilarJson(pairs, programs, options)) << '\n';
    } else {
        for (const SimilarPair& pair : pairs)
            PrintPair(pair, programs, options.programs, io.out);
    }
    return CheckWritten(io.out, "the standard output", leftOut ? kFailed : kHalted, io.err);
}

}  // namespace q42::cli
