#pragma once

// The texts of worked steps, kept together. Numbers, row and column
// numbers are written between them by the steps writers.

#include "texts/fill.h"

#include <string_view>

namespace quorvex::step_texts {

/// Fills each "{}" of a whole-sentence text below in order.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    return fillText(pattern, args);
}

/// The steps section's heading, after the echoed input.
inline constexpr std::string_view kHeading = "详细步骤：";
/// Above the order limit: kTooLargeOpening, the limit, kTooLargeClosing.
inline constexpr std::string_view kTooLargeOpening = "详细步骤：阶数大于 ";
inline constexpr std::string_view kTooLargeClosing = "，不列出步骤。";

/// Operators between the numbers of a step.
inline constexpr std::string_view kMinus = " − ";
inline constexpr std::string_view kPlus = " + ";
inline constexpr std::string_view kTimes = " × ";
inline constexpr std::string_view kDivide = " ÷ ";
inline constexpr std::string_view kEquals = " = ";

/// 第 k 步, 第 i 行, 第 j 列.
inline constexpr std::string_view kOrdinal = "第 ";
inline constexpr std::string_view kStage = " 步";
inline constexpr std::string_view kRow = " 行";
inline constexpr std::string_view kColumn = " 列";

/// Elimination.
inline constexpr std::string_view kCandidatesOpening = "：第 ";
inline constexpr std::string_view kCandidatesColumn = " 列主元的候选为";
inline constexpr std::string_view kPivotChosen = "，取第 ";
inline constexpr std::string_view kPivotChosenClosing = " 行的元素为主元";
inline constexpr std::string_view kBlockSearchOpening = "：在第 ";
inline constexpr std::string_view kBlockSearchRows = " 至 ";
inline constexpr std::string_view kBlockSearchColumns = " 行、第 ";
inline constexpr std::string_view kBlockSearchClosing = " 列中，绝对值最大的元素是 a(";
inline constexpr std::string_view kPivotAt = "：主元为 a(";
inline constexpr std::string_view kExchangeRows = "交换第 ";
inline constexpr std::string_view kExchangeColumns = "交换第 ";
inline constexpr std::string_view kAnd = " 行与第 ";
inline constexpr std::string_view kAndColumn = " 列与第 ";
inline constexpr std::string_view kRenumbered = "，未知数的次序随之对调：";
inline constexpr std::string_view kNoExchange = "，不交换";
inline constexpr std::string_view kDividedRow = " 行除以主元 ";
inline constexpr std::string_view kAfterStage = " 步后的矩阵：";
inline constexpr std::string_view kBackSubstitution = "回代求解：";
inline constexpr std::string_view kDeterminantProduct = "行列式 = ";
inline constexpr std::string_view kSignOdd = "-1";
/// After the steps, where the report's results show fewer decimals than
/// the steps held: the decimals held, then the decimals shown.
inline constexpr std::string_view kHeldDecimalsDeterminant =
    "以上各步写出计算时保留的 {} 位小数；下面的矩阵按设定保留 {} 位小数，行列式的值保留 {} "
    "位小数，末位可能与步骤中的不同。";
inline constexpr std::string_view kHeldDecimals =
    "以上各步写出计算时保留的 {} 位小数；下面的结果按设定保留 {} 位小数，末位可能与步骤中的不同。";
/// Where an elimination met a zero pivot: the stage, then the pivot's row
/// and column.
inline constexpr std::string_view kZeroPivotNoExchange =
    "第 {} 步的主元 a({},{}) 为 0；本方法不交换行，请改用列主元或全主元消去法。";
inline constexpr std::string_view kZeroPivotSingular =
    "第 {} 步的主元 a({},{}) 为 0：可选作主元的元素全为 0，矩阵奇异。";
inline constexpr std::string_view kDividedByZeroOnward =
    "以后各步都要除以这个 0，其中的 Infinity 和 NaN 没有意义。";
/// A back substitution dividing by a zero diagonal entry: its row and
/// column, then the unknown.
inline constexpr std::string_view kZeroInBackSubstitution =
    "a({},{}) 为 0，x({}) 是除以 0 的结果，没有意义。";

/// The check closing a solving command's steps: its heading, then for each
/// equation its number, the left side with the solution put in, its value,
/// and the residual as right side − left side = value.
inline constexpr std::string_view kCheckHeading =
    "代入检验：把解代入原方程组，残差 = 右端 − 左边：";
inline constexpr std::string_view kCheckEquation = "第 {} 个方程：{} = {}，残差 {} − {} = {}";
/// The same with the solution as the report shows it, rounded.
inline constexpr std::string_view kCheckRoundedHeading =
    "代入检验：把按设定位数写出的解代入原方程组，残差 = 右端 − 左边：";

/// Decompositions.
inline constexpr std::string_view kFactorLU = "分解 A = LU：";
inline constexpr std::string_view kFactorPivotLU = "列主元分解 PA = LU：";
inline constexpr std::string_view kFactorCholesky = "分解 A = L*L'：";
inline constexpr std::string_view kFactorLdlt = "分解 A = L*D*L'：";
inline constexpr std::string_view kFactorChase = "追赶法分解 A = LU：";
inline constexpr std::string_view kForwardLb = "解 LY = b：";
inline constexpr std::string_view kForwardLD = "解 LY = D：";
inline constexpr std::string_view kBackUX = "解 UX = Y：";
inline constexpr std::string_view kBackCholesky = "解 L'X = Y：";
inline constexpr std::string_view kBackLdlt = "解 D*L'X = Y：";
/// After 第 k 步 at the head of a step.
inline constexpr std::string_view kStageOpening = "：";
/// 主元取 s(p), then the exchange (or none).
inline constexpr std::string_view kPivotIs = "主元取 ";
inline constexpr std::string_view kPivotExchange = "，交换第 ";
inline constexpr std::string_view kRoot = "√";
inline constexpr std::string_view kNotPositive =
    "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义";
inline constexpr std::string_view kZeroDivisor = "除数为 0，计算到此停止，以下结果无意义";
/// Column pivoting finding every candidate 0.
inline constexpr std::string_view kCandidatesAllZero = "候选 s(i) 全为 0，矩阵奇异，分解到此停止。";
/// A decomposition without row exchanges meeting a zero pivot, named as
/// in u(2,2).
inline constexpr std::string_view kZeroPivotNoExchangeLU =
    "主元 {} 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。";

/// Iterations.
/// Above the order limit the table keeps the first and the last component:
/// kFewComponentsOpening, the limit, kFewComponentsClosing.
inline constexpr std::string_view kFewComponentsOpening = "阶数大于 ";
inline constexpr std::string_view kFewComponentsClosing = "，表中只列出第一个和最后一个分量";
inline constexpr std::string_view kInitialIterate = "初始值：";
/// The table's heading: kSweepsOpening, "x(i)" for each column, each after
/// kSweepsSeparator, kSweepsClosing.
inline constexpr std::string_view kSweepsOpening = "各次迭代（每行依次为 k";
inline constexpr std::string_view kSweepsSeparator = "，";
inline constexpr std::string_view kSweepsClosing = "，与上一次相比各分量变化的最大绝对值）：";
/// The sweep that met the precision: kMetOpening, k, kMetChange, its largest
/// change, kMetPrecision, e, kMetClosing.
inline constexpr std::string_view kMetOpening = "第 ";
inline constexpr std::string_view kMetChange = " 次迭代的最大变化 ";
inline constexpr std::string_view kMetPrecision = " 不超过精度 e = ";
inline constexpr std::string_view kMetClosing = "，迭代结束";
/// A change that is no longer a finite number: kRunawayOpening, k,
/// kRunawayClosing; the table ends there.
inline constexpr std::string_view kRunawayOpening = "第 ";
inline constexpr std::string_view kRunawayClosing =
    " 次迭代的变化已不是有限数，迭代发散，以后各次从略";
/// kLimitOpening, the limit of sweeps, kLimitClosing.
inline constexpr std::string_view kLimitOpening = "迭代 ";
inline constexpr std::string_view kLimitClosing = " 次仍未达到精度要求";

/// Tests and norms.
inline constexpr std::string_view kMinorHeading = " 阶顺序主子式：";
inline constexpr std::string_view kMagnitudeOpening = "：|";
inline constexpr std::string_view kMagnitudeClosing = "|";
inline constexpr std::string_view kOthersSum = "，其余元素的绝对值之和";
inline constexpr std::string_view kComparison = "，";
inline constexpr std::string_view kGreater = " > ";
inline constexpr std::string_view kNotGreater = " 不大于 ";
inline constexpr std::string_view kVectorOneNorm = "1范数：各元素的绝对值之和";
inline constexpr std::string_view kVectorTwoNorm = "2范数：各元素的平方和";
inline constexpr std::string_view kVectorInfinityNorm = "无穷范数：各元素绝对值中的最大者";
inline constexpr std::string_view kTwoNormRoot = "，2范数 = √";
inline constexpr std::string_view kColumnSums = "1范数：各列元素的绝对值之和";
inline constexpr std::string_view kOneNormIs = "1范数";
inline constexpr std::string_view kRowSums = "无穷范数：各行元素的绝对值之和";
inline constexpr std::string_view kInfinityNormIs = "无穷范数";
inline constexpr std::string_view kSumOf = "：";
/// The 2-norm's reference value: kPowerOpening, the sweeps, kPowerDivisor,
/// the divisor, kTwoNormRoot, the divisor, kEquals, the value; or
/// kLargestSingularValue and the value.
inline constexpr std::string_view kPowerOpening = "2范数(参考值)：对 A 的转置与 A 的乘积作 ";
inline constexpr std::string_view kPowerDivisor = " 遍幂迭代，最后的除数为 ";
inline constexpr std::string_view kLargestSingularValue =
    "2范数(参考值)：幂迭代没有得到可用的正除数，改取 A 的最大奇异值 = ";
inline constexpr std::string_view kFrobeniusSquares = "F范数：各元素的平方和";
inline constexpr std::string_view kFrobeniusRoot = "，F范数 = √";
/// max{a, b, c}.
inline constexpr std::string_view kMaxOpening = "max{";
inline constexpr std::string_view kMaxSeparator = ", ";
inline constexpr std::string_view kMaxClosing = "}";

} // namespace quorvex::step_texts
