#include "exercise/program_rules.h"

#include <algorithm>

#include "exercise/wording.h"

namespace q42 {

std::string RuleBreak(const Exercise& exercise, const ProgramMap& program) {
    for (const UsedOperation& used : program.operations) {
        if (std::find(exercise.forbid.begin(), exercise.forbid.end(), used.name) !=
            exercise.forbid.end()) {
            return Fill(Pick("команда %s запрещена в этом упражнении: %s",
                             "the operation %s is forbidden in this exercise: %s"),
                        {used.name, program.Place(used.address)});
        }
    }
    for (const std::string& name : exercise.require) {
        const auto uses = [&name](const UsedOperation& used) { return used.name == name; };
        if (std::none_of(program.operations.begin(), program.operations.end(), uses)) {
            return Fill(Pick("в программе нет команды %s, а упражнение её требует",
                             "the program does not use %s, which this exercise requires"),
                        {name});
        }
    }
    if (exercise.maxWords > 0 && program.words > exercise.maxWords) {
        return Fill(Pick("слов в программе: %s, а упражнение позволяет не больше %s",
                         "the program has %s words; this exercise allows at most %s"),
                    {std::to_string(program.words), std::to_string(exercise.maxWords)});
    }
    return {};
}

}  // namespace q42
