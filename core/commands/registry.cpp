#include "commands/registry.h"

#include "analysis/analysis.h"
#include "check/check_work.h"
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/iteration.h"
#include "methods/tests_and_norms.h"

namespace quorvex {

namespace {

using K = MenuEntryKind;

constexpr MenuEntry item(const Command& c) { return {K::Command, &c, {}, {}}; }
constexpr MenuEntry other(K kind, std::string_view name,
                          Text text = texts::dialog::kSeparatorCaption) {
    return {kind, nullptr, name, text};
}

constexpr MenuEntry kLayout[] = {
    item(commands::Gauss_1),
    item(commands::GaussTier),
    item(commands::GaussFull),
    other(K::Separator, "Gauss__"),
    other(K::Disabled, "GaussApply", texts::dialog::kPivotApplicationsItem),
    item(commands::A_matrix),
    item(commands::A_range),
    item(commands::MatrixBreak),
    other(K::Separator, "ctx__"),
    item(commands::LU_break),
    item(commands::SqrtRoot),
    item(commands::MendSqrt),
    item(commands::Purase),
    item(commands::TierLU),
    other(K::Separator, "ctx___"),
    item(commands::JacobiDie),
    item(commands::Gauss_SeidelDie),
    item(commands::SorDie),
    other(K::SubmenuBegin, "IterativeAstringency", texts::dialog::kConvergenceSubmenu),
    item(commands::CMatrixJudge),
    item(commands::VectorModel),
    item(commands::MatrixModel),
    item(commands::StrictMatrixJudge),
    other(K::SubmenuEnd, "IterativeAstringency", ""),
};

constexpr MenuEntry kAnalysisLayout[] = {
    item(commands::ErrorAnalysis),
    item(commands::ConvergenceAnalysis),
    item(commands::PivotComparison),
    item(commands::CheckWork),
};

} // namespace

std::span<const MenuEntry> methodMenu() { return kLayout; }

std::span<const MenuEntry> analysisMenu() { return kAnalysisLayout; }

std::vector<const Command*> allCommands() {
    std::vector<const Command*> all;
    for (auto menu : {methodMenu(), analysisMenu()})
        for (const MenuEntry& e : menu)
            if (e.command) all.push_back(e.command);
    return all;
}

const Command* findCommand(std::string_view id) {
    for (const Command* c : allCommands())
        if (c->id == id) return c;
    return nullptr;
}

} // namespace quorvex
