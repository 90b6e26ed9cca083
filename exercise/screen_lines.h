#pragma once
// The lines a program writes on the screen, taken as the screen finishes them and kept only as
// far as they are needed: a program may write lines for ever, and nothing here grows with them.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "exercise/exercise_file.h"
#include "session/display.h"

namespace q42 {

// The program's lines of a run, as the screen finishes them (8-bit, without each line's leading
// blank and trailing blanks). The greeting's two lines are not the program's, nor are the end
// message and, unless the program's last line was unfinished and the blank went onto it, the
// blank line before it: so the last finished line is held back until the end is known.
class ProgramLineStream : public ScreenListener {
  public:
    void LineFinished(const std::string& line) override;
    // The run has ended: the line held back is the program's unless it is blank. The screen's
    // current line, which holds the end message, is not the program's.
    void Finish();

  protected:
    virtual void ProgramLine(std::string line) = 0;

  private:
    int greetingLeft_ = 2;
    std::optional<std::string> held_;
};

// The last lines a program wrote, for the end of a run as JSON: at most kMaxLines lines and
// kMaxBytes of their text (the last line is kept whatever its length, at most a screen line's
// 64 Ki characters), and how many lines before them were left out.
class ScreenTail : public ProgramLineStream {
  public:
    // Far more than an exercise's program writes, so that its whole output is kept.
    static constexpr std::size_t kMaxLines = 1000;
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

    const std::deque<std::string>& Lines() const { return lines_; }
    std::uint64_t Dropped() const { return dropped_; }

  protected:
    void ProgramLine(std::string line) override;

  private:
    std::deque<std::string> lines_;
    std::size_t bytes_ = 0;
    std::uint64_t dropped_ = 0;
};

// The first expected screen line that did not appear, and where it was due: the line after the
// last expected line found, past the echoes of the typed lines (each typed line standing for one
// echo).
struct MissingLine {
    std::string expected;            // 8-bit, without trailing blanks
    std::int64_t lineNumber = 0;     // counted from 1 among the program's lines
    std::optional<std::string> got;  // the program's line there; none: the program wrote no more
    bool operator==(const MissingLine&) const = default;
};

// Looks for a case's expected screen lines among the program's lines, in order, as the lines
// come. Only what a message about a missing line needs is kept: the next expected line, where it
// is due, the echoes still to pass and the one line past them.
class ScreenMatch : public ProgramLineStream {
  public:
    explicit ScreenMatch(const ExerciseCase& exerciseCase);
    // Once the run has ended: the first expected line that did not appear; none: all did.
    std::optional<MissingLine> Missing() const;

  protected:
    void ProgramLine(std::string line) override;

  private:
    std::vector<std::string> expected_;
    std::vector<std::string> typed_;   // the typed lines, as their echoes read
    std::size_t found_ = 0;            // how many expected lines were found
    std::int64_t lines_ = 0;           // how many program lines came
    std::int64_t due_ = 0;             // where the next expected line is due (from 0)
    std::vector<std::string> echoes_;  // the echoes not yet passed since the last line found
    std::optional<std::string> atDue_;
};

}  // namespace q42
