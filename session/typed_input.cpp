#include "session/typed_input.h"

namespace q42 {

void TypedInput::Add(std::string text) {
    texts_.push_back(std::move(text));
}

void TypedInput::Clear() {
    texts_.clear();
    keys_.clear();
    keysRead_ = 0;
    keysTaken_ = 0;
    taken_.clear();
}

void TypedInput::TakeFirst() {
    texts_.pop_front();
    keysTaken_ = 0;
}

bool TypedInput::ServeKey() {
    if (display_.LineInputActive() || keysRead_ == keys_.size()) return false;
    display_.TypeKey(keys_[keysRead_++]);
    return true;
}

bool TypedInput::Serve() {
    if (ServeKey()) return true;
    if (texts_.empty()) return false;
    const std::string& text = texts_.front();
    if (display_.LineInputActive()) {
        line_ = text.substr(keysTaken_);
        taken_.push_back(line_);
        TakeFirst();
        display_.FinishInput();
    } else if (text.empty()) {
        TakeFirst();
        display_.FinishInput();  // Enter
    } else {
        // One key at a time, as the keyboard gives them; the rest of the text waits.
        display_.KeyPress(text[keysTaken_++]);
        if (keysTaken_ == text.size()) TakeFirst();
    }
    return true;
}

void TypedInput::GiveBackTaken() {
    if (keysTaken_ > 0) {
        texts_.front().erase(0, keysTaken_);
        keysTaken_ = 0;
    }
    texts_.insert(texts_.begin(), taken_.begin(), taken_.end());
    taken_.clear();
}

}  // namespace q42
