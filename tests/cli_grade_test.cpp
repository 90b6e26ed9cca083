// q42cli check's outputs for a class (text summary lines, CSV, JUnit XML, --student) and
// q42cli grade over a class folder.

#include <nlohmann/json.hpp>

#include <cstdio>
#include <regex>

#include "tests/cli_fixture.h"

namespace q42::cli {
namespace {

const std::string kExercises = Q42_SOURCE_DIR "/examples/exercises/";
const std::string kKeys = kExercises + "keys.q42test";
const std::string kRight = kExercises + "keys.asm";
const std::string kWrong = kExercises + "keys-wrong.asm";

// Parses XML with python3's parser and counts the testcase elements in each testsuite: one
// number a line. Empty when the parser refuses it.
std::string JunitShape(const std::string& file) {
    const std::string command =
        "python3 -c \"import sys, xml.etree.ElementTree as E\n"
        "for s in E.parse(sys.argv[1]).getroot().iter('testsuite'):\n"
        "    print(s.get('tests'), len(s.findall('testcase')), len(s.findall('testcase/failure')))"
        "\" " + file + " 2>/dev/null";
    std::string shape;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            shape += buffer;
        ::pclose(pipe);
    }
    return shape;
}

// A CSV field as the writer quotes it: in quotes only when it holds a comma or a quote.
std::string CsvQuoted(const std::string& text) {
    return text.find_first_of(",\"") == std::string::npos ? text : "\"" + text + "\"";
}

class ClassTest : public CliFixture {};

// The hidden case shows a student its name and verdict only; the teacher sees everything.
TEST_F(ClassTest, StudentsSeeOnlyTheNameAndVerdictOfAHiddenCase) {
    EXPECT_EQ(Cli({"check", "--student", "--lang", "en", kKeys, kWrong}), kFailed);
    const std::string student = out_.str();
    EXPECT_NE(student.find("keys-wrong.asm: the ends of the alphabet: FAIL\n"), std::string::npos)
        << student;
    EXPECT_EQ(student.find("a1 b2"), std::string::npos) << student;
    EXPECT_NE(student.find("sixteen keys: FAIL: screen line 1"), std::string::npos);
    EXPECT_NE(student.find("keys-wrong.asm: 3/5 cases, 3/8 points\n"), std::string::npos);

    EXPECT_EQ(Cli({"check", "--lang", "en", kKeys, kWrong}), kFailed);
    EXPECT_NE(out_.str().find("the ends of the alphabet: FAIL: screen line 1"), std::string::npos);
    EXPECT_NE(out_.str().find("given: keys \"a1 b2 z9 {A}\\r\""), std::string::npos);

    EXPECT_EQ(Cli({"check", "--student", "--format", "json", kKeys, kWrong}), kFailed);
    const auto document = nlohmann::json::parse(out_.str());
    const auto& hidden = document.at("results").at(2);
    EXPECT_EQ(hidden.at("hidden"), true);
    EXPECT_EQ(hidden.at("passed"), false);
    EXPECT_FALSE(hidden.contains("differences") || hidden.contains("notes"));
    EXPECT_EQ(document.at("programs").at(0).at("points"), 3);
    EXPECT_EQ(document.at("programs").at(0).at("max_points"), 8);
    // --json is --format json.
    const std::string json = out_.str();
    EXPECT_EQ(Cli({"check", "--student", "--json", kKeys, kWrong}), kFailed);
    EXPECT_EQ(out_.str(), json);
}

// JUnit XML: one testsuite per program, one testcase per case, a failure for each failed case;
// valid whatever the names hold.
TEST_F(ClassTest, JunitIsValidXmlWithATestcasePerCase) {
    EXPECT_EQ(Cli({"check", "--format", "junit", kKeys, kRight, kWrong}), kFailed);
    Write("keys.xml", out_.str());
    EXPECT_EQ(JunitShape((dir_ / "keys.xml").string()), "5 5 0\n5 5 2\n");

    const std::string exercise = Write(
        "odd.q42test",
        "title = \"<a & b> \\\"q\\\" 'x' \\u0001\"\n[[case]]\nname = \"]]> & <\\u0007>\"\n"
        "[case.expect]\nscreen = [\"<&>\"]\n[[case]]\n");
    const std::string program = Write("a&b <c>.asm", "  HLT\n");
    EXPECT_EQ(Cli({"check", "--format", "junit", exercise, program,
                   (dir_ / "\xFF none.asm").string()}),
              kFailed);
    Write("odd.xml", out_.str());
    EXPECT_EQ(JunitShape((dir_ / "odd.xml").string()), "2 2 1\n2 2 2\n") << out_.str();
}

// CSV: one row per program; a field with a comma or a quote is quoted, its quotes doubled.
TEST_F(ClassTest, CsvHasARowPerProgram) {
    const std::string exercise =
        Write("e.q42test", "[[case]]\nname = \"say \\\"hi\\\", twice\"\npoints = 2\n"
                           "[case.expect]\nregisters = { R1 = 1 }\n[[case]]\n");
    const std::string program = Write("p.asm", "  HLT\n");
    EXPECT_EQ(Cli({"check", "--format", "csv", "--lang", "en", exercise, program}), kFailed);
    EXPECT_EQ(out_.str(),
              "program,cases,passed,points,max_points,first_failure\r\n" + CsvQuoted(program) +
                  ",2,1,1,3,\"say \"\"hi\"\", twice: R1: expected 0001 (1), got 0000 (0)\"\r\n");
}

// The teacher's own mistakes in a good file are warnings on the standard error; a program
// that is not there says so in the interface language.
TEST_F(ClassTest, WarningsAndMissingPrograms) {
    const std::string exercise = Write("e.q42test", "[[case]]\nkeys = \"a\\n\"\n");
    EXPECT_EQ(Cli({"check", "--lang", "en", exercise, (dir_ / "none.asm").string()}), kFailed);
    EXPECT_EQ(err_.str(), "q42cli: " + exercise +
                              ":2: warning: keys: Enter is \"\\r\"; a \"\\n\" reaches the program "
                              "as code 10\n");
    EXPECT_NE(out_.str().find("none.asm: 1: FAIL: " + (dir_ / "none.asm").string() +
                              ": no such file\n"),
              std::string::npos)
        << out_.str();
    const std::string noHlt = Write("n.asm", "  NOP\n");
    EXPECT_EQ(Cli({"check", "--lang", "en", exercise, noHlt}), kFailed);
    EXPECT_NE(out_.str().find(noHlt + ": warning: No HLT command!\n"), std::string::npos);
}

// A class folder: a student with a folder of their own, one whose file names the exercise in
// other letters and lacks a solution, one by a file name prefix whose solution does not
// assemble. Every student gets a row.
TEST_F(ClassTest, GradeGivesARowPerStudent) {
    const std::string folder = Q42_SOURCE_DIR "/tests/data/class";
    const std::string sum = kExercises + "sum.q42test";
    const std::string summary = (dir_ / "summary.txt").string();
    EXPECT_EQ(Cli({"grade", "--lang", "en", kKeys, sum, "--class", folder, "--summary", summary}),
              kFailed);
    EXPECT_EQ(out_.str(),
              "student,keys,sum,total,notes\r\n"
              "anna,8,5,13,\r\n"
              "boris,3,0,3,sum: no solution\r\n"
              "vera,0,0,0,keys: assembler error at line 3: Unknown operation name: CMPP; sum: no "
              "solution\r\n");
    EXPECT_EQ(err_.str(), "");
    const std::string counts = Read("summary.txt");
    EXPECT_NE(counts.find("keys.q42test: 3 students, 0 without a solution, 8 points at most\n"
                          "  a word: 1 failed\n  sixteen keys: 2 failed\n"),
              std::string::npos)
        << counts;
    EXPECT_NE(counts.find("sum.q42test: 3 students, 2 without a solution"), std::string::npos);

    EXPECT_EQ(Cli({"grade", kKeys, "--class", (dir_ / "none").string()}), kBadUsage);
    EXPECT_NE(err_.str().find("no such folder"), std::string::npos);
    EXPECT_EQ(Cli({"grade", kKeys}), kBadUsage);  // no --class
}

}  // namespace
}  // namespace q42::cli
