// The assembly as data: each diagnostic with its source line, item and texts in both languages,
// the warnings with their kinds and lines, where every word came from, and assemblies that share
// nothing.

#include <gtest/gtest.h>

#include "tests/assembler/asm_test_support.h"

namespace q42::test {
namespace {

struct DiagnosticCase {
    const char* line;  // source line 3, after a comment and a statement
    AsmMessage message;
    const char* item;  // "" when the message names none
    const char* where;
    const char* russian;
    const char* english;
};

void PrintTo(const DiagnosticCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class Diagnostic : public testing::TestWithParam<DiagnosticCase> {};

TEST_P(Diagnostic, NamesItsLineAndItemInBothLanguages) {
    const auto& c = GetParam();
    const std::vector<std::string> source = {"; three lines", "FAR=1000H", c.line, "HLT"};
    for (const bool english : {false, true}) {
        const auto run = RunAssembler(source, Options(english));
        ASSERT_TRUE(run.assembly.diagnostic.has_value());
        const AsmDiagnostic& d = *run.assembly.diagnostic;
        EXPECT_EQ(d.error.message, c.message);
        EXPECT_EQ(d.error.item.value_or(""), c.item);
        EXPECT_EQ(d.sourceLine, 3);
        EXPECT_TRUE(d.inSource);
        EXPECT_EQ(run.Where(), c.where);
        EXPECT_EQ(run.error, english ? c.english : c.russian);
    }
}

using M = AsmMessage;
const DiagnosticCase kDiagnostics[] = {
    {"  DW 12XH", M::BadNumberSymbol, "X", "3:    DW 12XH", "Недопустимый символ в числе: X",
     "Incorrect symbol in number: X"},
    {" rw 1x", M::BadNumberSymbol, "1X", "3: RW 1X", "Недопустимый символ в числе 1X",
     "Incorrect symbol in number 1X"},
    {"my label: nop", M::BadIdentifierSymbol, "MY LABEL:", "3: MY LABEL:NOP",
     "Недопустимый символ в идентификаторе: MY LABEL:",
     "Incorrect symbol in identifier: MY LABEL:"},
    {"DW 32768", M::TooLargeConst, "32768", "3:  DW 32768", "Слишком большая константа: 32768",
     "Too large const: 32768"},
    {"FAR: NOP", M::DuplicateLabel, "FAR", "3:  FAR: NOP", "Повторное имя метки: FAR",
     "Duplicate label name: FAR"},
    {"MOV X,R0", M::LabelNotFound, "X", "3:  MOV X,R0", "Метка не найдена в списке: X",
     "Label not found in the list: X"},
    {"MOV R0", M::CommaNotFound, "R0", "3:  MOV R0", "Не найдена \",\": R0", "\",\" not found: R0"},
    {"IN P.16,R0", M::BadPort, "P.16", "3:  IN P.16,R0", "Недопустимый порт: P.16",
     "Incorrect port: P.16"},
    {"MOV R0,#5", M::ConstForbidden, "#5", "3:  MOV R0,#5", "Константа здесь запрещена: #5",
     "Const is forbidden here: #5"},
    {"movE R0,R1", M::UnknownOperation, "MOVE", "3:  movE R0,R1", "Неизвестное имя операции: MOVE",
     "Unknown operation name: MOVE"},
    {"RET R0", M::ExtraOperand, "R0", "3:  RET R0", "Лишний операнд: R0", "Extra operand: R0"},
    {"POP", M::MissedOperand, "", "3:  POP", "Пропущен операнд", "Missed operand"},
    {"PUSH R0%", M::ByteAddressingForbidden, "", "3:  PUSH R0%",
     "Байтовая адресация здесь запрещена", "Byte addressing is forbidden here"},
    {"BR FAR", M::DisplacementTooLong, "", "3:  BR FAR", "Слишком большое смещение",
     "Too long displacement"},
    {"RW 0", M::InvalidValue, "0", "3: RW 0", "Недопустимое значение: 0", "Invalid value: 0"},
    {"ADD (R1)%,R0", M::MixingByteAndWord, "(R1)<=>R0", "3:  ADD (R1)%,R0",
     "Смешение byte and word: (R1)<=>R0", "Mixing byte and word: (R1)<=>R0"},
    {"1ABC: NOP", M::IdentifierBeginsBadly, "1ABC:", "3: 1ABC:NOP",
     "Идентификатор начинается с цифры или \"-\": 1ABC:",
     "Identifier begins from figure or \"-\": 1ABC:"},
    {"MOV #,R0", M::NoValueAfterHash, "", "3:  MOV #,R0", "Нет значения после \"#\"",
     "No value after \"#\""},
};
INSTANTIATE_TEST_SUITE_P(EveryMessage, Diagnostic, testing::ValuesIn(kDiagnostics));

TEST(Assembly, WarningsAreDataInTheLanguageAskedFor) {
    std::vector<std::string> source = {"START: JMP START", "MOV N,R0", "N=5"};
    source.insert(source.end(), 63, "MOV #100,R1");  // 2 + 2 + 63 * 2 = 130 words
    for (const bool english : {false, true}) {
        const auto run = RunAssembler(source, Options(english));
        ASSERT_TRUE(run.assembly.Ok());
        const auto& warnings = run.assembly.warnings;
        ASSERT_EQ(warnings.size(), 4u);
        using K = AsmWarning::Kind;
        EXPECT_EQ(warnings[0].kind, K::NameOrConstant);
        EXPECT_EQ(warnings[0].sourceLine, 1);
        EXPECT_EQ(warnings[1].kind, K::NameOrConstant);
        EXPECT_EQ(warnings[1].sourceLine, 2);
        EXPECT_EQ(warnings[2].kind, K::NoHlt);
        EXPECT_EQ(warnings[3].kind, K::ProgramTooLong);
        EXPECT_EQ(warnings[3].sourceLine, 0);
        const std::vector<std::string> texts = {
            "JMP START:\nSTART\nor #START?", "MOV N,R0:\nN\nor #N?",
            "No HLT command!",  // English in both languages
            english ? "The program has 130 words; RAM holds 128."
                    : "В программе 130 слов, а в ОЗУ помещается 128."};
        EXPECT_EQ(run.Warnings(), texts);
    }
}

// Every word knows the source line and the intermediate line of its statement: labels and
// constants take intermediate lines of their own, strings and reservations give many words.
TEST(Assembly, EveryWordKnowsWhereItCameFrom) {
    const auto run = RunAssembler(
        {"; words", "K=2", "MSG: DS abc", "  MOV #K,R0", "BUF: RW 2", "HLT"}, Options(true));
    ASSERT_TRUE(run.assembly.Ok());
    std::string where;
    for (const AssembledWord& word : run.assembly.code)
        where +=
            std::to_string(word.sourceLine) + "/" + std::to_string(word.intermediateLine) + " ";
    EXPECT_EQ(where, "3/2 3/3 4/4 4/4 5/6 5/7 6/8 ");
    EXPECT_EQ(Joined(run.assembly.intermediate.lines),
              "MSG:|DW 6261H|DW 0063H|MOV #K,R0|BUF:|DW AC42H|DW AC42H|HLT");
    EXPECT_EQ(run.assembly.intermediate.sourceLines, (std::vector<int>{3, 3, 3, 4, 5, 5, 5, 6}));
}

// Everything an assembly tells about itself, for comparing two.
std::string Described(const Assembly& a) {
    std::string text = Joined(a.intermediate.lines) + "\n";
    for (const int line : a.intermediate.sourceLines)
        text += std::to_string(line) + " ";
    for (const AssembledWord& word : a.code)
        text += "\n" + word.CodeLine() + " " + std::to_string(word.sourceLine) + "/" +
                std::to_string(word.intermediateLine);
    for (const AsmName& name : a.names)
        text += "\n" + name.name + static_cast<char>(name.kind) +
                (name.value ? WordToHex(*name.value) : "?");
    if (a.diagnostic)
        text += "\n" + a.diagnostic->where + " " + a.diagnostic->text + " " +
                std::to_string(a.diagnostic->inSource);
    for (const AsmWarning& warning : a.warnings)
        text += "\n" + std::to_string(static_cast<int>(warning.kind)) + " " +
                std::to_string(warning.sourceLine) + " " + warning.text;
    return text;
}

// Nothing needs clearing before an assembly: one after another gives what each gives alone.
TEST(Assembly, ASecondAssemblyLeavesNothingOfTheFirst) {
    const std::vector<std::string> first = {"A: JMP A", "B: DW 1", "C=3", "MOV #C,R0", "MOVE"};
    const std::vector<std::string> second = {"NOP", "HLT"};
    const std::string alone = Described(RunAssembler(second, Options(true)).assembly);
    RunAssembler(first, Options(true));
    EXPECT_EQ(Described(RunAssembler(second, Options(true)).assembly), alone);
    RunAssembler({"; preprocessing fails", "RW 0"}, Options(false), false);
    EXPECT_EQ(Described(RunAssembler(second, Options(true)).assembly), alone);
}

}  // namespace
}  // namespace q42::test
