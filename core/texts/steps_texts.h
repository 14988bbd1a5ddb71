#pragma once

// The texts of worked steps. Each is a whole line or sentence; every "{}"
// takes the next number, name or formula in turn, so that a translation may
// reorder its words around them.

#include <string_view>

namespace quorvex::texts::steps {

/// The steps section's heading, after the echoed input.
inline constexpr std::string_view kHeading = "详细步骤：";
/// Above the order limit, the one line instead of the steps: the limit.
inline constexpr std::string_view kTooLarge = "详细步骤：阶数大于 {}，不列出步骤。";

/// Operators between the numbers of a formula.
inline constexpr std::string_view kMinus = " − ";
inline constexpr std::string_view kPlus = " + ";
inline constexpr std::string_view kTimes = " × ";
inline constexpr std::string_view kDivide = " ÷ ";
inline constexpr std::string_view kEquals = " = ";
/// A negative number, or a fraction as a divisor, in a formula.
inline constexpr std::string_view kBracketed = "({})";
/// A named entry: its letter, row and column, as in a(2,3).
inline constexpr std::string_view kEntry = "{}({},{})";
/// A named element of a vector: its letter and index, as in y(2).
inline constexpr std::string_view kElement = "{}({})";
/// An unknown by its number.
inline constexpr std::string_view kUnknown = "x({})";

/// 第 k 步, 第 i 行, 第 j 列.
inline constexpr std::string_view kStage = "第 {} 步";
inline constexpr std::string_view kRow = "第 {} 行";
inline constexpr std::string_view kColumn = "第 {} 列";

/// Elimination. A stage's pivot search: the stage, the column and its
/// candidates (each after two blanks), and the row the pivot was taken from.
inline constexpr std::string_view kColumnCandidates =
    "第 {} 步：第 {} 列主元的候选为{}，取第 {} 行的元素为主元";
/// Complete pivoting: the stage, the rows k to n, the columns k to n, where
/// the pivot stands and its value.
inline constexpr std::string_view kBlockSearch =
    "第 {} 步：在第 {} 至 {} 行、第 {} 至 {} 列中，绝对值最大的元素是 a({},{}) = {}";
/// No pivoting: the stage, the pivot's row and column, and its value.
inline constexpr std::string_view kPivotAt = "第 {} 步：主元为 a({},{}) = {}";
inline constexpr std::string_view kExchangeRows = "交换第 {} 行与第 {} 行";
/// Then the unknowns in their new order, each after two blanks.
inline constexpr std::string_view kExchangeColumns =
    "交换第 {} 列与第 {} 列，未知数的次序随之对调：{}";
/// A row operation: the row changed, the multiplier and the pivot row.
inline constexpr std::string_view kRowLosesMultiple = "第 {} 行 − {} × 第 {} 行";
/// The same with a negative multiplier, by its magnitude.
inline constexpr std::string_view kRowGainsMultiple = "第 {} 行 + {} × 第 {} 行";
/// Gauss-Jordan: the pivot row and its pivot.
inline constexpr std::string_view kDividedRow = "第 {} 行除以主元 {}";
inline constexpr std::string_view kAfterStage = "第 {} 步后的矩阵：";
inline constexpr std::string_view kBackSubstitution = "回代求解：";
/// One unknown of the back substitution: its number, the dividend, the
/// divisor and the value.
inline constexpr std::string_view kBackSubstitutionLine = "x({}) = {} ÷ {} = {}";
/// The product of the sign and the pivots, and its value.
inline constexpr std::string_view kDeterminantProduct = "行列式 = {} = {}";
inline constexpr std::string_view kSignEven = "1";
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
/// The head of a step: its number.
inline constexpr std::string_view kStageHeading = "第 {} 步：";
/// The pivot taken from s(p): p, and, exchanging, the rows k and p.
inline constexpr std::string_view kPivotKept = "主元取 s({})，不交换";
inline constexpr std::string_view kPivotExchanged = "主元取 s({})，交换第 {} 行与第 {} 行";
/// A square root of what is inside.
inline constexpr std::string_view kRoot = "√({})";
inline constexpr std::string_view kNotPositive =
    "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义";
inline constexpr std::string_view kZeroDivisor = "除数为 0，计算到此停止，以下结果无意义";
/// Column pivoting finding every candidate 0.
inline constexpr std::string_view kCandidatesAllZero = "候选 s(i) 全为 0，矩阵奇异，分解到此停止。";
/// A decomposition without row exchanges meeting a zero pivot, named as
/// in u(2,2).
inline constexpr std::string_view kZeroPivotNoExchangeLU =
    "主元 {} 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。";

/// Iterations. Above the order limit the table keeps the first and the last
/// component: the limit.
inline constexpr std::string_view kFewComponents = "阶数大于 {}，表中只列出第一个和最后一个分量";
/// The initial iterate's components, each after two blanks.
inline constexpr std::string_view kInitialIterate = "初始值：{}";
/// The table's heading, with a kSweepsColumn for each column shown.
inline constexpr std::string_view kSweepsHeading =
    "各次迭代（每行依次为 k{}，与上一次相比各分量变化的最大绝对值）：";
inline constexpr std::string_view kSweepsColumn = "，x({})";
/// The sweep that met the precision, its largest change, the precision.
inline constexpr std::string_view kMet = "第 {} 次迭代的最大变化 {} 不超过精度 e = {}，迭代结束";
/// The first sweep whose change is no longer a finite number; the table
/// ends there.
inline constexpr std::string_view kRunaway =
    "第 {} 次迭代的变化已不是有限数，迭代发散，以后各次从略";
/// The limit of sweeps.
inline constexpr std::string_view kLimit = "迭代 {} 次仍未达到精度要求";

/// Tests and norms.
inline constexpr std::string_view kMinorHeading = "第 {} 阶顺序主子式：";
/// A row's test: the row, a(i,i)'s row and column, |a(i,i)|, the sum of the
/// other magnitudes, then the comparison of the two.
inline constexpr std::string_view kDominantRow =
    "第 {} 行：|a({},{})| = {}，其余元素的绝对值之和 = {}，{} > {}";
inline constexpr std::string_view kNotDominantRow =
    "第 {} 行：|a({},{})| = {}，其余元素的绝对值之和 = {}，{} 不大于 {}";
inline constexpr std::string_view kVectorOneNorm = "1范数：各元素的绝对值之和 = {}";
/// The sum of squares, then its root: the sum again and the 2-norm.
inline constexpr std::string_view kVectorTwoNorm = "2范数：各元素的平方和 = {}，2范数 = √{} = {}";
inline constexpr std::string_view kVectorInfinityNorm = "无穷范数：各元素绝对值中的最大者 = {}";
inline constexpr std::string_view kColumnSums = "1范数：各列元素的绝对值之和";
inline constexpr std::string_view kColumnSum = "第 {} 列：{}";
inline constexpr std::string_view kOneNormIs = "1范数 = {}";
inline constexpr std::string_view kRowSums = "无穷范数：各行元素的绝对值之和";
inline constexpr std::string_view kRowSum = "第 {} 行：{}";
inline constexpr std::string_view kInfinityNormIs = "无穷范数 = {}";
/// The 2-norm's reference value: the sweeps, the last divisor, the divisor
/// again under the root, and the value.
inline constexpr std::string_view kPowerIteration =
    "2范数(参考值)：对 A 的转置与 A 的乘积作 {} 遍幂迭代，最后的除数为 {}，2范数 = √{} = {}";
inline constexpr std::string_view kLargestSingularValue =
    "2范数(参考值)：幂迭代没有得到可用的正除数，改取 A 的最大奇异值 = {}";
/// The sum of squares, then its root: the sum again and the F-norm.
inline constexpr std::string_view kFrobenius = "F范数：各元素的平方和 = {}，F范数 = √{} = {}";
/// max{a, b, c}: what opens, separates and closes the candidates.
inline constexpr std::string_view kMaxOpening = "max{";
inline constexpr std::string_view kMaxSeparator = ", ";
inline constexpr std::string_view kMaxClosing = "}";

} // namespace quorvex::texts::steps
