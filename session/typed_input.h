#pragma once
// What the user typed ahead for the program's input (q42cli debug's `type`, the page's input
// line, an exercise case's input lines and keys): texts in order, each handed to the program
// when it waits for input.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "session/display.h"

namespace q42 {

class TypedInput {
  public:
    explicit TypedInput(Display& display) : display_(display) {}

    // A text typed (8-bit).
    void Add(std::string text);
    // Keys typed ahead for the program's key reads, in order (an exercise case's keys): a key
    // wait takes the next of them before any text. CR is Enter.
    void AddKeys(const std::string& keys) { keys_ += keys; }
    bool Empty() const { return texts_.empty() && keysRead_ == keys_.size(); }
    void Clear();
    // Serves a key wait from the keys of AddKeys; false when none is left.
    bool ServeKey();
    // What no input has taken yet: the texts, and the keys of AddKeys.
    std::vector<std::string> UnreadTexts() const { return {texts_.begin(), texts_.end()}; }
    std::string UnreadKeys() const { return keys_.substr(keysRead_); }
    // Serves a wait for input from the first text: a line input takes what is left of it as
    // the line; a key wait takes its next key, or Enter when it was typed empty. False when
    // nothing is typed.
    bool Serve();
    // The line the last line input served took (for DisplayHost::InputLineText).
    const std::string& Line() const { return line_; }
    // The input being read has ended: the lines it took are done with.
    void InputEnded() { taken_.clear(); }
    // The step that reads the input is taken back, to run again: the lines its input took (and
    // refused) go back in front of what is typed, so that it refuses them again as before.
    void GiveBackTaken();

  private:
    Display& display_;
    std::deque<std::string> texts_;
    std::string keys_;  // AddKeys's keys, of which keysRead_ are taken
    std::size_t keysRead_ = 0;
    std::size_t keysTaken_ = 0;  // keys of texts_.front() already handed to the program
    std::string line_;
    std::vector<std::string> taken_;  // lines the input being read took

    void TakeFirst();
};

}  // namespace q42
