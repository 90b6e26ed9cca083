// The slower parts of a step, which a run calls out of line: the input entry points, the checks
// after an unusual step and the run-error report.

#include "machine/machine.h"
#include "machine/run_texts.h"

namespace q42 {

void Machine::ServeEntryPoints() {
    if ((pc & 1) != 0) {
        pc -= 1;
        changedRegisters_ |= kChangedPC;
    }
    commandAddress = pc;
    // The two input entry points are served here, never executed; the same step then goes on
    // with the instruction at the return address.
    if (pc == kBooleanEntry) RunInputRoutine(kBooleanEntry);
    if (pc == kIntegerEntry) RunInputRoutine(kIntegerEntry);
}

void Machine::ServeInputEntry() {
    if (!AtInputEntry()) return;
    runError = Fault::None;
    stepOfBatch_ = 1;
    ServeEntryPoints();
    inputServed = true;
}

bool Machine::CheckStepEnd() {
    if (!Failed()) {
        // Checked after HLT too: a program must not end where no instruction could follow.
        if (keyBuffer.size() == kKeyBufferSize) {
            Fail(Fault::KeyBufferOverflow);
        } else if (pc != kBooleanEntry && pc != kIntegerEntry && !IsCodeAddress(pc)) {
            Fail(Fault::BadNextCommandAddress);
        }
    }
    if (!Failed()) return true;
    WriteRunErrorReport();
    return false;
}

void Machine::RunInputRoutine(Value entry) {
    Terminal* t = UseTerminal();
    if (entry == kBooleanEntry) {
        SetRegister(1, t != nullptr && t->ReadBoolean() ? 1 : 0);
    } else {
        SetRegister(1, t != nullptr ? t->ReadInteger() : 0);
    }
    // Return as RET would.
    pc = ReadWord(sp);
    sp += 2;
    changedRegisters_ |= kChangedPC | kChangedSP;
}

void Machine::WriteRunErrorReport() {
    if (terminal_ == nullptr) return;
    const Language language = terminal_->ScreenLanguage();
    terminal_->WriteLine(Text(RunText::ErrorReport, language));
    terminal_->WriteLine("   " + FaultText(runError, language));
    terminal_->WriteText("   " + WordToHex(commandAddress));
    if (IsCodeAddress(commandAddress)) {
        terminal_->WriteLine(": " + WordToHex(ReadWord(commandAddress)));
    } else {
        terminal_->WriteLine(" ");
    }
}

}  // namespace q42
