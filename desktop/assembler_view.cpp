#include "desktop/assembler_view.h"

namespace q42 {
namespace {

// The names into the label table's data rows from row 1 on, growing the table by a row for each
// name it has no row for.
void ShowNames(const std::vector<AsmName>& names, LabelGrid& grid) {
    if (grid.rows.size() <= names.size()) grid.rows.resize(names.size() + 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const AsmName& name = names[i];
        grid.rows[i + 1] = {name.name, std::string(1, static_cast<char>(name.kind)),
                            name.value ? WordToHex(*name.value) : ""};
    }
}

// The diagnostic in the status texts, its line selected when the assembler text has it.
void ShowDiagnostic(AssemblerView& view, const AsmDiagnostic& diagnostic) {
    view.statusText = diagnostic.where;
    view.errorText = diagnostic.text;
    view.selection = diagnostic.inSource
                         ? AsmSelection{AsmSelection::Kind::Line, diagnostic.sourceLine}
                         : AsmSelection{};
}

}  // namespace

void ClearCodeAndLabels(AssemblerView& view) {
    view.codeLines.clear();
    for (std::size_t r = 1; r < view.labelGrid.rows.size(); ++r)
        for (auto& cell : view.labelGrid.rows[r])
            cell.clear();
}

void ShowPreprocessing(AssemblerView& view, const Assembly& assembly) {
    view.intermediate = assembly.intermediate;
    ClearCodeAndLabels(view);
    if (assembly.diagnostic) return ShowDiagnostic(view, *assembly.diagnostic);
    view.statusText.clear();
    view.errorText.clear();
    view.selection = {};
}

void ShowCompilation(AssemblerView& view, const Assembly& assembly, bool english) {
    view.intermediate = assembly.intermediate;
    view.codeLines = assembly.CodeText();
    ShowNames(assembly.names, view.labelGrid);
    if (assembly.diagnostic) return ShowDiagnostic(view, *assembly.diagnostic);
    view.statusText = AsmText(AsmMessage::Success, english);
    view.errorText.clear();
    view.selection = {AsmSelection::Kind::Cleared};
}

void ShowCodeCopy(AssemblerView& view, const std::optional<CodeLineError>& badLine) {
    view.statusText = badLine ? badLine->lineLab : std::string();
    view.errorText = badLine ? badLine->errLab : std::string();
}

}  // namespace q42
