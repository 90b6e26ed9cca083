#include "session/run_control.h"

#include <limits>

#include "machine/run_texts.h"
#include "session/code_loading.h"

namespace q42 {

void RunControl::ShowGreeting() {
    display_.ClearScreen();
    display_.WriteLine(Text(RunText::Greeting, display_.ScreenLanguage()));
    display_.WriteLine(" ");
}

void RunControl::BeginRun() {
    ShowGreeting();
    machine_.ResetForRun();
    display_.stopRequested = false;
    if (history_ != nullptr) history_->Start();
    host_.ShowDisplay();
}

void RunControl::EndRun() {
    display_.WriteLine(" ");
    display_.WriteText(Text(display_.stopRequested ? RunText::Interrupted : RunText::Finished,
                            display_.ScreenLanguage()));
    if (history_ != nullptr) history_->Finish();
}

BusyScope::BusyScope(RunControl& run) : run_(run) {
    ++run_.busy_;
}

BusyScope::~BusyScope() {
    --run_.busy_;
}

void RunControl::RunProgram() {
    if (Busy()) return;
    BeginRun();
    ContinueRun();
}

void RunControl::ContinueRun() {
    running_ = true;
    host_.SetRunState(true);
    RunBatches(std::numeric_limits<std::int64_t>::max(), history_, [this](std::int64_t steps) {
        host_.ProcessEvents(steps);
        return !machine_.State().stopFlag && !machine_.Failed();
    });
    running_ = false;
    host_.SetRunState(false);
    EndRun();
}

void RunControl::StopProgram() {
    if (history_ != nullptr) history_->OnStop();
    display_.RequestStop();
}

void RunControl::FirstCommand() {
    if (Busy()) return;
    machine_.EditPc(0);
    Step();
}

void RunControl::NextCommand() {
    if (Busy()) return;
    Step();
}

// A step that waits for input lets the interface handle events meanwhile. A run or step command
// given then would start a step inside the waiting one, and both would finish the same
// instruction, so such commands are ignored until the step is done.
void RunControl::Step() {
    const BusyScope busy(*this);
    machine_.ExecuteStep();
}

std::optional<CodeLineError> RunControl::CopyCode(const std::vector<std::string>& codeText) {
    CodeCopy copy = q42::CopyCode(machine_, codeText);
    if (copy.error) {
        machine_.HoldFault(copy.error->fault);
    } else if (copy.words > 0) {
        // A program that loads clears a fault the ROM image left; an empty code text keeps it,
        // and the run does not start.
        machine_.HoldFault(Fault::None);
    }
    return std::move(copy.error);
}

std::optional<CodeLineError> RunControl::LoadAndRun(const std::vector<std::string>& codeText) {
    auto error = CopyCode(codeText);
    if (!machine_.Failed()) RunProgram();
    return error;
}

}  // namespace q42
