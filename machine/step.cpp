// The slower parts of a step: fetching outside RAM, the input entry points, the run-error report;
// and the reset.

#include "machine/machine.h"
#include "machine/operands.h"
#include "machine/run_texts.h"

namespace q42 {

void Machine::FetchInstruction() {
    if ((pc & 1) != 0) {
        pc -= 1;
        fieldsToShow |= kShowPC;
    }
    commandAddress = pc;
    // The two input entry points are served here, never executed; the same step then goes on
    // with the instruction at the return address.
    if (pc == kBooleanEntry) RunInputRoutine(kBooleanEntry);
    if (pc == kIntegerEntry) RunInputRoutine(kIntegerEntry);
    if (IsCodeAddress(pc)) {
        instructionWord = static_cast<std::uint16_t>(ReadWord(pc));
    } else {
        Fail(Fault::BadCommandAddress);
    }
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
    fieldsToShow |= kShowPC | kShowSP;
}

void Machine::WriteRunErrorReport() {
    if (terminal == nullptr) return;
    terminal->WriteLine(Text(RunText::ErrorReport));
    terminal->WriteLine("   " + RunErrorText());
    terminal->WriteText("   " + WordToHex(commandAddress));
    if (IsCodeAddress(commandAddress)) {
        terminal->WriteLine(": " + WordToHex(ReadWord(commandAddress)));
    } else {
        terminal->WriteLine(" ");
    }
}

void Machine::ResetMachine() {
    ram.fill(0);
    rom.fill(0);
    ports.fill(0);
    r.fill(0);
    pc = ps = 0;
    keyboardPolls = displayPolls = 0;
    keyBuffer.clear();
    fieldsToShow = ~0u;
    ramToShow.fill(true);
}

void Machine::ResetForRun() {
    pc = 0;
    stopFlag = false;
    ps = 0;
    sp = kInitialSP;
    displayPolls = 0;
    keyboardPolls = 0;
    keyBuffer.clear();
    runError = Fault::None;
    fieldsToShow |= kShowPC | kShowSP | kShowFlags;
}

bool Machine::PressKey(char key) {
    if (keyBuffer.size() >= kKeyBufferSize) return false;
    keyBuffer += key;
    return true;
}

char Machine::TakeKey() {
    if (keyBuffer.empty()) return 0;
    const char key = keyBuffer.front();
    keyBuffer.erase(0, 1);
    return key;
}

}  // namespace q42
