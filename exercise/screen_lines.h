#pragma once
// The lines a program writes on the screen, taken as the screen finishes them and kept only as
// far as they are needed: a program may write lines for ever, and nothing here grows with them.

#include <cstdint>
#include <deque>
#include <memory>
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
// echo). On an exact screen, also a line where no more were expected.
struct MissingLine {
    std::string expected;            // 8-bit, without trailing blanks
    std::int64_t lineNumber = 0;     // counted from 1 among the program's lines
    std::optional<std::string> got;  // the program's line there; none: the program wrote no more
    bool extra = false;              // no line was expected there: `got` is one too many
    bool operator==(const MissingLine&) const = default;
};

// Compares a case's expected screen lines with the program's lines as they come.
class ScreenCheck : public ProgramLineStream {
  public:
    // Once the run has ended: the first expected line that did not appear; none: all did.
    virtual std::optional<MissingLine> Missing() const = 0;
};

// The check the case asks for: its lines among the program's, or exactly its lines.
std::unique_ptr<ScreenCheck> MakeScreenCheck(const ExerciseCase& exerciseCase);

// Looks for a case's expected screen lines among the program's lines, in order, as the lines
// come. Only what a message about a missing line needs is kept: the next expected line, where it
// is due, the echoes still to pass and the one line past them.
class ScreenMatch : public ScreenCheck {
  public:
    explicit ScreenMatch(const ExerciseCase& exerciseCase);
    std::optional<MissingLine> Missing() const override;

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

// The program's lines must be exactly the expected ones; blank lines before the first and after
// the last line do not count on either side. Only the first difference is kept.
class ExactScreen : public ScreenCheck {
  public:
    explicit ExactScreen(const ExerciseCase& exerciseCase);
    std::optional<MissingLine> Missing() const override;

  protected:
    void ProgramLine(std::string line) override;

  private:
    std::vector<std::string> expected_;
    std::size_t matched_ = 0;       // expected lines met so far
    std::int64_t lines_ = 0;        // program lines so far
    std::int64_t lastWritten_ = 0;  // the number of the last line that is not blank
    std::int64_t blanks_ = 0;       // blank lines since then, not yet compared
    std::optional<MissingLine> difference_;

    // Compares program line `number` with the next expected line.
    void Compare(const std::string& line, std::int64_t number);
};

}  // namespace q42
