#include "cli/check_report.h"

#include "cli/report_text.h"
#include "machine/codepage.h"

namespace q42::cli {
namespace {

// The first failed case: its name and, unless it is hidden from the reader, its first
// difference.
std::string FirstFailure(const ProgramResult& result) {
    for (const CaseResult& c : result.cases) {
        if (c.Passed()) continue;
        return c.differences.empty() ? c.name : c.name + ": " + c.differences.front();
    }
    return {};
}

void PrintTestcase(const std::string& program, const CaseResult& c, std::ostream& out) {
    out << "    <testcase name=\"" << XmlEscaped(c.name) << "\" classname=\""
        << XmlEscaped(program) << "\"";
    if (c.Passed()) {
        out << "/>\n";
        return;
    }
    const std::string first = c.differences.empty() ? "FAIL" : c.differences.front();
    std::string details;
    for (const std::string& line : c.differences)
        details += line + "\n";
    for (const std::string& note : c.notes)
        details += note + "\n";
    out << ">\n      <failure message=\"" << XmlEscaped(first) << "\" type=\"FAIL\">"
        << XmlEscaped(details) << "</failure>\n    </testcase>\n";
}

}  // namespace

int CheckReport::Passed() const {
    int passed = 0;
    for (const CheckedProgram& program : programs)
        passed += program.result.PassedCases();
    return passed;
}

int CheckReport::Failed() const {
    int cases = 0;
    for (const CheckedProgram& program : programs)
        cases += static_cast<int>(program.result.cases.size());
    return cases - Passed();
}

void PrintProgramText(const CheckedProgram& program, std::ostream& out) {
    const ProgramResult& result = program.result;
    for (const std::string& warning : result.warnings)
        out << program.path << ": warning: " << warning << '\n';
    for (const CaseResult& c : result.cases) {
        out << program.path << ": " << c.name << ": ";
        if (c.Passed()) {
            out << "PASS\n";
        } else if (c.differences.empty()) {
            out << "FAIL\n";
        } else {
            out << "FAIL: " << c.differences.front() << '\n';
        }
        for (const std::string& note : c.notes)
            out << "    " << note << '\n';
    }
    out << program.path << ": " << result.PassedCases() << '/' << result.cases.size()
        << " cases, " << result.Points() << '/' << result.MaxPoints() << " points\n";
}

void PrintTotalsText(const CheckReport& report, std::ostream& out) {
    out << report.Passed() << " passed, " << report.Failed() << " failed\n";
}

void PrintCsv(const CheckReport& report, std::ostream& out) {
    out << "program,cases,passed,points,max_points,first_failure\r\n";
    for (const CheckedProgram& program : report.programs) {
        const ProgramResult& result = program.result;
        out << CsvField(program.path) << ',' << result.cases.size() << ','
            << result.PassedCases() << ',' << result.Points() << ',' << result.MaxPoints() << ','
            << CsvField(FirstFailure(result)) << "\r\n";
    }
}

void PrintJunit(const CheckReport& report, std::ostream& out) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\""
        << XmlEscaped(Cp1251ToUtf8(report.title)) << "\" tests=\""
        << report.Passed() + report.Failed() << "\" failures=\"" << report.Failed() << "\">\n";
    for (const CheckedProgram& program : report.programs) {
        const ProgramResult& result = program.result;
        const auto cases = static_cast<int>(result.cases.size());
        out << "  <testsuite name=\"" << XmlEscaped(program.path) << "\" tests=\"" << cases
            << "\" failures=\"" << cases - result.PassedCases()
            << "\" errors=\"0\" skipped=\"0\">\n"
            << "    <properties>\n      <property name=\"points\" value=\"" << result.Points()
            << "\"/>\n      <property name=\"max_points\" value=\"" << result.MaxPoints()
            << "\"/>\n    </properties>\n";
        for (const CaseResult& c : result.cases)
            PrintTestcase(program.path, c, out);
        if (!result.warnings.empty()) {
            out << "    <system-err>";
            for (const std::string& warning : result.warnings)
                out << XmlEscaped(warning + "\n");
            out << "</system-err>\n";
        }
        out << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
}

}  // namespace q42::cli
