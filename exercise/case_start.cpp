#include "exercise/case_start.h"

#include <charconv>

namespace q42 {

CodeCopy LoadForCase(Machine& fresh, const Machine& rom, const std::vector<std::string>& codeText) {
    fresh = Machine();
    for (int i = 0; i < kRomWords; ++i)
        fresh.LoadWord(kRomStart + Value{2} * i, rom.Rom()[static_cast<std::size_t>(i)]);
    return CopyCode(fresh, codeText);
}

void SetCaseStart(Session& session, const ExerciseCase& exerciseCase) {
    Machine& machine = session.machine;
    for (const auto& [address, word] : exerciseCase.memory)
        machine.LoadWord(address, word);
    for (const auto& [name, value] : exerciseCase.registers) {
        if (name == "PC") {
            machine.EditPc(value);
        } else if (name == "SP") {
            machine.EditSp(value);
        } else if (name[0] == 'R') {
            machine.EditRegister(name[1] - '0', value);
        }
    }
    for (const std::string& line : exerciseCase.input)
        session.typed.Add(line);
    session.typed.AddKeys(exerciseCase.keys);
}

void OpenCase(Session& session, const Machine& loaded, const ExerciseCase& exerciseCase) {
    session.debugger.Forget();
    session.typed.Clear();
    session.UseMachine(loaded);
    // The machine's texts on the screen in the case's language, as the check ran it.
    session.display.screenLanguage = exerciseCase.language;
    session.commands.Begin();
    SetCaseStart(session, exerciseCase);
    // The run's history starts at the case's start, not at the resets before it.
    session.debugger.Rebase();
}

bool StudentMayOpen(const ExerciseCase& exerciseCase) {
    return !exerciseCase.hidden;
}

int FindCase(const Exercise& exercise, const std::string& nameOrNumber) {
    const int count = static_cast<int>(exercise.cases.size());
    for (int i = 0; i < count; ++i) {
        if (exercise.cases[static_cast<std::size_t>(i)].name == nameOrNumber) return i;
    }
    int number = 0;
    const char* end = nameOrNumber.data() + nameOrNumber.size();
    const auto read = std::from_chars(nameOrNumber.data(), end, number);
    if (read.ec != std::errc() || read.ptr != end || number < 1 || number > count) return -1;
    return number - 1;
}

}  // namespace q42
