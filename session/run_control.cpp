#include "session/run_control.h"

#include <limits>

#include "assembler/assembler.h"
#include "machine/run_texts.h"
#include "session/code_loading.h"

namespace q42 {

void RunControl::ShowGreeting() {
    display_.ClearScreen();
    display_.WriteLine(Text(RunText::Greeting));
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
    display_.WriteText(Text(display_.stopRequested ? RunText::Interrupted : RunText::Finished));
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

std::optional<int> RunControl::CopyCode(AssemblerTexts& texts) {
    const CodeCopy copy = q42::CopyCode(machine_, texts.codeText);
    const auto& error = copy.error;
    if (!error) {
        // A program that loads clears a fault the ROM image left; an empty code text keeps it,
        // and the run does not start.
        if (copy.words > 0) machine_.HoldFault(Fault::None);
        texts.lineLab.clear();
        texts.errLab.clear();
        return std::nullopt;
    }
    machine_.HoldFault(error->fault);
    texts.lineLab = error->lineLab;
    texts.errLab = error->errLab;
    return error->lineIndex;
}

std::optional<int> RunControl::LoadAndRun(AssemblerTexts& texts) {
    const auto badLine = CopyCode(texts);
    if (!machine_.Failed()) RunProgram();
    return badLine;
}

std::optional<int> RunControl::BuildAndRun(AssemblerTexts& texts, const AsmOptions& options,
                                           AsmWarnings& warnings) {
    if (!PreprocessAndCompile(texts, options, warnings).empty()) return std::nullopt;
    return LoadAndRun(texts);
}

}  // namespace q42
