#include "registry.h"

#include "methods/method_groups.h"

#include <array>
#include <vector>

namespace quorvex {

namespace {

using K = MenuEntryKind;

constexpr MenuEntry kLayout[] = {
    {K::Command, "Gauss_1", "Gauss消去法"},
    {K::Command, "GaussTier", "Gauss列主元消去法"},
    {K::Command, "GaussFull", "Gauss全主元消去法"},
    {K::Separator, "Gauss__", "-"},
    {K::Disabled, "GaussApply", "列主元消去法应用"},
    {K::Command, "A_matrix", "列主元求逆矩阵"},
    {K::Command, "A_range", "列主元求行列式"},
    {K::Command, "MatrixBreak", "矩阵的三角分解"},
    {K::Separator, "ctx__", "-"},
    {K::Command, "LU_break", "LU分解法"},
    {K::Command, "SqrtRoot", "平方根法"},
    {K::Command, "MendSqrt", "改进的平方根法"},
    {K::Command, "Purase", "追赶法(解三对角)"},
    {K::Command, "TierLU", "列主元三角分解法"},
    {K::Separator, "ctx___", "-"},
    {K::Command, "JacobiDie", "雅可比迭代法"},
    {K::Command, "Gauss_SeidelDie", "高斯-塞德尔迭代法"},
    {K::Command, "SorDie", "逐次超松驰迭代法"},
    {K::SubmenuBegin, "IterativeAstringency", "迭代法的收敛性"},
    {K::Command, "CMatrixJudge", "正定矩阵判断"},
    {K::Command, "VectorModel", "向量范数"},
    {K::Command, "MatrixModel", "矩阵范数"},
    {K::Command, "StrictMatrixJudge", "严格对角占优矩阵判断"},
    {K::SubmenuEnd, "IterativeAstringency", ""},
};

CommandHandler handlerFor(std::string_view id) {
    for (auto group : {eliminationCommands(), decompositionCommands(), iterationCommands(),
                       testsAndNormsCommands()})
        for (const CommandDef& c : group)
            if (c.id == id) return c.handler;
    return nullptr;
}

/// The layout with each command's handler, as its method group provides it.
const std::vector<MenuEntry>& menu() {
    static const std::vector<MenuEntry> entries = [] {
        std::vector<MenuEntry> v(std::begin(kLayout), std::end(kLayout));
        for (MenuEntry& e : v)
            if (e.kind == K::Command) e.handler = handlerFor(e.id);
        return v;
    }();
    return entries;
}

} // namespace

std::span<const MenuEntry> methodMenu() { return menu(); }

const MenuEntry* findCommand(std::string_view id) {
    for (const MenuEntry& e : menu())
        if (e.kind == K::Command && e.id == id && e.handler) return &e;
    return nullptr;
}

Outcome runCommand(const MenuEntry& command, Host& host) {
    std::string before = host.resultText();
    int order = 0;
    try {
        return command.handler(host);
    } catch (const InsufficientMemory& e) {
        order = e.order();
    } catch (const std::bad_alloc&) {
        order = -1;
    }
    host.setResultText(std::move(before));
    host.messageBox(order > 0 ? insufficientMemoryMessage(order)
                              : std::string(kOutOfMemoryMessage),
                    std::string(kAppTitle));
    return Outcome::Failed;
}

} // namespace quorvex
