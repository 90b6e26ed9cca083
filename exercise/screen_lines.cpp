#include "exercise/screen_lines.h"

#include <algorithm>

namespace q42 {
namespace {

// Blanks at the end of a line do not count, on the screen or in an exercise.
std::string TrimRight(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

}  // namespace

void ProgramLineStream::LineFinished(const std::string& line) {
    if (greetingLeft_ > 0) {
        --greetingLeft_;
        return;
    }
    if (held_) ProgramLine(std::move(*held_));
    // Every screen line starts with a blank that is not part of the text.
    held_ = TrimRight(line.empty() ? line : line.substr(1));
}

void ProgramLineStream::Finish() {
    if (held_ && !held_->empty()) ProgramLine(std::move(*held_));
    held_.reset();
}

void ScreenTail::ProgramLine(std::string line) {
    bytes_ += line.size();
    lines_.push_back(std::move(line));
    while (lines_.size() > kMaxLines || (bytes_ > kMaxBytes && lines_.size() > 1)) {
        bytes_ -= lines_.front().size();
        lines_.pop_front();
        ++dropped_;
    }
}

ScreenMatch::ScreenMatch(const ExerciseCase& exerciseCase) {
    for (const std::string& line : exerciseCase.expect.screen)
        expected_.push_back(TrimRight(line));
    for (const std::string& line : exerciseCase.input)
        typed_.push_back(TrimRight(line));
    echoes_ = typed_;
}

void ScreenMatch::ProgramLine(std::string line) {
    const std::int64_t at = lines_++;
    if (found_ == expected_.size()) return;
    if (line == expected_[found_]) {
        ++found_;
        due_ = at + 1;
        echoes_ = typed_;
        atDue_.reset();
        return;
    }
    // Unless an expected line comes later, the lines since the last one found are compared
    // only up to the first that is not an echo: that one is reported.
    if (atDue_) return;
    const auto echo = std::find(echoes_.begin(), echoes_.end(), line);
    if (echo == echoes_.end()) {
        atDue_ = std::move(line);
        return;
    }
    echoes_.erase(echo);
    due_ = at + 1;
}

std::optional<MissingLine> ScreenMatch::Missing() const {
    if (found_ == expected_.size()) return std::nullopt;
    return MissingLine{expected_[found_], due_ + 1, atDue_};
}

std::unique_ptr<ScreenCheck> MakeScreenCheck(const ExerciseCase& exerciseCase) {
    if (exerciseCase.expect.screenExact) return std::make_unique<ExactScreen>(exerciseCase);
    return std::make_unique<ScreenMatch>(exerciseCase);
}

ExactScreen::ExactScreen(const ExerciseCase& exerciseCase) {
    for (const std::string& line : exerciseCase.expect.screen)
        expected_.push_back(TrimRight(line));
    const auto blank = [](const std::string& line) { return line.empty(); };
    expected_.erase(expected_.begin(), std::find_if_not(expected_.begin(), expected_.end(), blank));
    while (!expected_.empty() && expected_.back().empty())
        expected_.pop_back();
}

void ExactScreen::Compare(const std::string& line, std::int64_t number) {
    if (difference_) return;
    if (matched_ == expected_.size()) {
        difference_ = MissingLine{"", number, line, true};
    } else if (line != expected_[matched_]) {
        difference_ = MissingLine{expected_[matched_], number, line};
    } else {
        ++matched_;
    }
}

void ExactScreen::ProgramLine(std::string line) {
    const std::int64_t number = ++lines_;
    if (difference_) return;
    if (line.empty()) {
        if (lastWritten_ > 0) ++blanks_;  // blank lines before the first line do not count
        return;
    }
    // Blank lines between written ones count as lines.
    for (std::int64_t blank = number - blanks_; blank < number; ++blank)
        Compare("", blank);
    blanks_ = 0;
    lastWritten_ = number;
    Compare(line, number);
}

std::optional<MissingLine> ExactScreen::Missing() const {
    if (difference_ || matched_ == expected_.size()) return difference_;
    return MissingLine{expected_[matched_], lastWritten_ + 1, std::nullopt};
}

}  // namespace q42
