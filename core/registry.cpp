#include "registry.h"

#include "methods/elimination.h"

namespace quorvex {

namespace {

using K = MenuEntryKind;

constexpr MenuEntry kMenu[] = {
    {K::Command, "Gauss_1", "Gauss消去法", &Gauss_1_Click},
    {K::Command, "GaussTier", "Gauss列主元消去法", &GaussTier_Click},
    {K::Command, "GaussFull", "Gauss全主元消去法", nullptr},
    {K::Separator, "Gauss__", "-"},
    {K::Disabled, "GaussApply", "列主元消去法应用"},
    {K::Command, "A_matrix", "列主元求逆矩阵", nullptr},
    {K::Command, "A_range", "列主元求行列式", nullptr},
    {K::Command, "MatrixBreak", "矩阵的三角分解", nullptr},
    {K::Separator, "ctx__", "-"},
    {K::Command, "LU_break", "LU分解法", nullptr},
    {K::Command, "SqrtRoot", "平方根法", nullptr},
    {K::Command, "MendSqrt", "改进的平方根法", nullptr},
    {K::Command, "Purase", "追赶法(解三对角)", nullptr},
    {K::Command, "TierLU", "列主元三角分解法", nullptr},
    {K::Separator, "ctx___", "-"},
    {K::Command, "JacobiDie", "雅可比迭代法", nullptr},
    {K::Command, "Gauss_SeidelDie", "高斯-塞德尔迭代法", nullptr},
    {K::Command, "SorDie", "逐次超松驰迭代法", nullptr},
    {K::SubmenuBegin, "IterativeAstringency", "迭代法的收敛性"},
    {K::Command, "CMatrixJudge", "正定矩阵判断", nullptr},
    {K::Command, "VectorModel", "向量范数", nullptr},
    {K::Command, "MatrixModel", "矩阵范数", nullptr},
    {K::Command, "StrictMatrixJudge", "严格对角占优矩阵判断", nullptr},
    {K::SubmenuEnd, "IterativeAstringency", ""},
};

} // namespace

std::span<const MenuEntry> methodMenu() { return kMenu; }

const MenuEntry* findCommand(std::string_view id) {
    for (const MenuEntry& e : kMenu)
        if (e.kind == K::Command && e.id == id && e.handler) return &e;
    return nullptr;
}

} // namespace quorvex
