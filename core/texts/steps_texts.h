#pragma once

// The texts of worked steps. Each is a whole line or sentence; every "{}"
// takes the next number, name or formula in turn, so that a translation may
// reorder its words around them.

#include "texts/text.h"

#include <string_view>

namespace quorvex::texts::steps {

/// The steps section's heading, after the echoed input.
inline constexpr Text kHeading{"详细步骤：", "Worked steps:"};
/// Above the order limit, the one line instead of the steps: the limit.
inline constexpr Text kTooLarge{
    "详细步骤：阶数大于 {}，不列出步骤。",
    "Worked steps: the order is greater than {}, so the steps are not listed."};

/// Operators between the numbers of a formula.
inline constexpr Text kMinus = " − ";
inline constexpr Text kPlus = " + ";
inline constexpr Text kTimes = " × ";
inline constexpr Text kDivide = " ÷ ";
inline constexpr Text kEquals = " = ";
/// A negative number, or a fraction as a divisor, in a formula.
inline constexpr Text kBracketed = "({})";
/// A named entry: its letter, row and column, as in a(2,3).
inline constexpr Text kEntry = "{}({},{})";
/// A named element of a vector: its letter and index, as in y(2).
inline constexpr Text kElement = "{}({})";
/// An unknown by its number.
inline constexpr Text kUnknown = "x({})";

/// 第 k 步, 第 i 行, 第 j 列.
inline constexpr Text kStage{"第 {} 步", "Step {}"};
inline constexpr Text kRow{"第 {} 行", "Row {}"};
inline constexpr Text kColumn{"第 {} 列", "Column {}"};

/// Elimination. A stage's pivot search: the stage, the column and its
/// candidates (each after two blanks), and the row the pivot was taken from.
inline constexpr Text kColumnCandidates{
    "第 {} 步：第 {} 列主元的候选为{}，取第 {} 行的元素为主元",
    "Step {}: pivot candidates in column {}:{}; the pivot is taken from row {}"};
/// Complete pivoting: the stage, the rows k to n, the columns k to n, where
/// the pivot stands and its value.
inline constexpr Text kBlockSearch{
    "第 {} 步：在第 {} 至 {} 行、第 {} 至 {} 列中，绝对值最大的元素是 a({},{}) = {}",
    "Step {}: in rows {} to {} and columns {} to {}, the entry of largest absolute value is "
    "a({},{}) = {}"};
/// No pivoting: the stage, the pivot's row and column, and its value.
inline constexpr Text kPivotAt{"第 {} 步：主元为 a({},{}) = {}",
                               "Step {}: the pivot is a({},{}) = {}"};
inline constexpr Text kExchangeRows{"交换第 {} 行与第 {} 行", "Exchange row {} and row {}"};
/// Then the unknowns in their new order, each after two blanks.
inline constexpr Text kExchangeColumns{
    "交换第 {} 列与第 {} 列，未知数的次序随之对调：{}",
    "Exchange columns {} and {}; the unknowns are reordered accordingly:{}"};
/// A row operation: the row changed, the multiplier and the pivot row.
inline constexpr Text kRowLosesMultiple{"第 {} 行 − {} × 第 {} 行", "Row {} − {} × Row {}"};
/// Once in an elimination's steps where a multiplier is written with more
/// decimals than the matrices: the matrices' decimals.
inline constexpr Text kMultipliersAsUsed{
    "乘数由未经舍入的元素算出，写出的位数要使按它算出的新行与下面的矩阵相符，所以多于矩阵中的 {} "
    "位小数。",
    "Each multiplier is computed from the unrounded entries and written with the decimals that "
    "make the new rows come out as the matrices below show them; this is why multipliers carry "
    "more than the matrices' {} decimals."};
/// The same with a negative multiplier, by its magnitude.
inline constexpr Text kRowGainsMultiple{"第 {} 行 + {} × 第 {} 行", "Row {} + {} × Row {}"};
/// Gauss-Jordan: the pivot row and its pivot.
inline constexpr Text kDividedRow{"第 {} 行除以主元 {}", "Divide row {} by the pivot {}"};
inline constexpr Text kAfterStage{"第 {} 步后的矩阵：", "The matrix after step {}:"};
inline constexpr Text kBackSubstitution{"回代求解：", "Back substitution:"};
/// One unknown of the back substitution: its number, the dividend, the
/// divisor and the value.
inline constexpr Text kBackSubstitutionLine = "x({}) = {} ÷ {} = {}";
/// The product of the sign and the pivots, and its value.
inline constexpr Text kDeterminantProduct{"行列式 = {} = {}", "Determinant = {} = {}"};
inline constexpr Text kSignEven = "1";
inline constexpr Text kSignOdd = "-1";
/// After the steps, where the report's results show fewer decimals than
/// the steps held: the decimals held, then the decimals shown.
inline constexpr Text kHeldDecimalsDeterminant{
    "以上各步写出计算时保留的 {} 位小数；下面的矩阵按设定保留 {} 位小数，行列式的值保留 {} "
    "位小数，末位可能与步骤中的不同。",
    "The steps above show the {} decimals held in the computation; the matrix below keeps {} "
    "decimals as set and the determinant {} decimals, so the last digit may differ from the "
    "steps."};
inline constexpr Text kHeldDecimals{
    "以上各步写出计算时保留的 {} 位小数；下面的结果按设定保留 {} 位小数，末位可能与步骤中的不同。",
    "The steps above show the {} decimals held in the computation; the results below keep {} "
    "decimals as set, so the last digit may differ from the steps."};
/// Where an elimination met a zero pivot: the stage, then the pivot's row
/// and column.
inline constexpr Text kZeroPivotNoExchange{
    "第 {} 步的主元 a({},{}) 为 0；本方法不交换行，请改用列主元或全主元消去法。",
    "Step {}: the pivot a({},{}) is 0 and this method does not exchange rows; use partial or "
    "complete pivoting instead."};
inline constexpr Text kZeroPivotSingular{
    "第 {} 步的主元 a({},{}) 为 0：可选作主元的元素全为 0，矩阵奇异。",
    "Step {}: the pivot a({},{}) is 0: every entry that could serve as the pivot is 0, so the "
    "matrix is singular."};
/// Follows the zero pivot's sentence on its line: English sentences need
/// the space that Chinese ones do without.
inline constexpr Text kDividedByZeroOnward{
    "以后各步都要除以这个 0，其中的 Infinity 和 NaN 没有意义。",
    " Every later step divides by this 0, so the Infinity and NaN values that follow are "
    "meaningless."};
/// A back substitution dividing by a zero diagonal entry: its row and
/// column, then the unknown.
inline constexpr Text kZeroInBackSubstitution{
    "a({},{}) 为 0，x({}) 是除以 0 的结果，没有意义。",
    "a({},{}) is 0, so x({}) is the result of a division by 0 and has no meaning."};

/// The check closing a solving command's steps: its heading, then for each
/// equation its number, the left side with the solution put in, its value,
/// and the residual as right side − left side = value.
inline constexpr Text kCheckHeading{"代入检验：把解代入原方程组，残差 = 右端 − 左边：",
                                    "Check by substitution into the original system (residual = "
                                    "right-hand side − left-hand side):"};
inline constexpr Text kCheckEquation{"第 {} 个方程：{} = {}，残差 {} − {} = {}",
                                     "Equation {}: {} = {}, residual {} − {} = {}"};
/// The same with the solution as the report shows it, rounded.
inline constexpr Text kCheckRoundedHeading{
    "代入检验：把按设定位数写出的解代入原方程组，残差 = 右端 − 左边：",
    "Check by substituting the solution, rounded to the set decimals, into the original system "
    "(residual = right-hand side − left-hand side):"};

/// Decompositions.
/// Once in a decomposition's steps where a value is written with more
/// decimals than the steps hold: those decimals.
inline constexpr Text kValuesAsUsed{
    "每个值在它自己的一行末尾和以后用到它的各行中写法相同，都写出计算时用到的位数，所以有的值多于 "
    "{} "
    "位小数。",
    "Each value is written alike at the end of its own line and wherever a later line uses it, "
    "with the decimals the computation needs; this is why some values carry more than {} "
    "decimals."};
/// After an entry whose own numbers fix fewer decimals than the steps
/// hold: the entry's name and the decimals written.
inline constexpr Text kFewerDecimals{
    "这一行的数只能确定 {} 的前 {} 位小数，再往后的各位由舍入决定，所以只写出这几位。",
    "The numbers of this line fix {} to {} decimals only; the digits after them are rounding, "
    "so only these are written."};
inline constexpr Text kFactorLU{"分解 A = LU：", "Factorization A = LU:"};
inline constexpr Text kFactorPivotLU{"列主元分解 PA = LU：",
                                     "Factorization with partial pivoting, PA = LU:"};
inline constexpr Text kFactorCholesky{"分解 A = L*L'：", "Cholesky factorization A = LLᵀ:"};
inline constexpr Text kFactorLdlt{"分解 A = L*D*L'：", "Factorization A = LDLᵀ:"};
inline constexpr Text kFactorChase{"追赶法分解 A = LU：", "Thomas algorithm, A = LU:"};
inline constexpr Text kForwardLb{"解 LY = b：", "Forward substitution, LY = b:"};
/// Column pivoting solves with b put in the order of the exchanged rows.
inline constexpr Text kForwardPb{
    "解 LY = Pb（Pb 是 b 经过同样的行交换得到的）：",
    "Forward substitution, LY = Pb (Pb is b with the same row exchanges):"};
/// What s(i) is, said once under the heading of the column-pivot
/// decomposition.
inline constexpr Text kPivotCandidates{
    "s(i) 是第 k 步第 i 行的候选主元：a(i,k) 减去 l(i,j) × u(j,k)（j < "
    "k）之和，绝对值最大的一个作主元。",
    "s(i) is the candidate pivot of row i at step k: a(i,k) minus the sum of l(i,j) × u(j,k) over "
    "j < k; the one of largest magnitude becomes the pivot."};
/// What the chasing method's letters are, said once under its heading.
inline constexpr Text kChaseLetters{
    "a(i)、b(i)、c(i) 依次是 A 的下对角线、对角线、上对角线元素 a(i,i−1)、a(i,i)、a(i,i+1)，d(i) "
    "是常数项。",
    "a(i), b(i) and c(i) are the subdiagonal, diagonal and superdiagonal entries a(i,i−1), a(i,i) "
    "and a(i,i+1) of A, and d(i) is the right-hand side."};
inline constexpr Text kForwardLD{"解 LY = D：", "Solve LY = D:"};
inline constexpr Text kBackUX{"解 UX = Y：", "Back substitution, UX = Y:"};
inline constexpr Text kBackCholesky{"解 L'X = Y：", "Back substitution, LᵀX = Y:"};
inline constexpr Text kBackLdlt{"解 D*L'X = Y：", "Back substitution, DLᵀX = Y:"};
/// The head of a step: its number.
inline constexpr Text kStageHeading{"第 {} 步：", "Step {}:"};
/// The pivot taken from s(p): p, and, exchanging, the rows k and p.
inline constexpr Text kPivotKept{"主元取 s({})，不交换", "The pivot is s({}); no exchange"};
inline constexpr Text kPivotExchanged{"主元取 s({})，交换第 {} 行与第 {} 行",
                                      "The pivot is s({}); exchange row {} and row {}"};
/// A square root of what is inside.
inline constexpr Text kRoot = "√({})";
inline constexpr Text kNotPositive{
    "被开方数不是正数，不能开平方，分解到此停止，以下结果无意义",
    "The number under the square root is not positive, so A is not positive definite and the "
    "Cholesky factorization does not exist: the decomposition stops here, and the results below "
    "are meaningless."};
inline constexpr Text kZeroDivisor{
    "除数为 0，计算到此停止，以下结果无意义",
    "The divisor is 0: the computation stops here, and the results below are meaningless."};
/// Column pivoting finding every candidate 0.
inline constexpr Text kCandidatesAllZero{
    "候选 s(i) 全为 0，矩阵奇异，分解到此停止。",
    "The candidates s(i) are all 0, so the matrix is singular: the decomposition stops here."};
/// A decomposition without row exchanges meeting a zero pivot, named as
/// in u(2,2).
inline constexpr Text kZeroPivotNoExchangeLU{
    "主元 {} 为 0；本方法不交换行，分解到此停止，请改用列主元三角分解法。",
    "The pivot {} is 0 and this method does not exchange rows, so the decomposition stops here; "
    "use LU decomposition with partial pivoting instead."};

/// Iterations. Above the order limit the table keeps the first and the last
/// component: the limit.
inline constexpr Text kFewComponents{
    "阶数大于 {}，表中只列出第一个和最后一个分量",
    "The order is greater than {}, so the table lists only the first and the last component"};
/// The initial iterate's components, each after two blanks.
inline constexpr Text kInitialIterate{"初始值：{}", "Initial vector x0:{}"};
/// The table's heading, with a kSweepsColumn for each column shown.
inline constexpr Text kSweepsHeading{
    "各次迭代（每行依次为 k{}，与上一次相比各分量变化的最大绝对值）：",
    "Iterations (each row: k{}, and the largest change of a component from the previous "
    "iteration):"};
inline constexpr Text kSweepsColumn{"，x({})", ", x({})"};
/// The sweep that met the precision, its largest change, the precision.
inline constexpr Text kMet{"第 {} 次迭代的最大变化 {} 不超过精度 e = {}，迭代结束",
                           "Iteration {}: the largest change {} does not exceed the tolerance e = "
                           "{}, so the iteration ends"};
/// The first sweep whose change is no longer a finite number; the table
/// ends there.
inline constexpr Text kRunaway{"第 {} 次迭代的变化已不是有限数，迭代发散，以后各次从略",
                               "The change in iteration {} is no longer finite: the iteration "
                               "diverges (later iterations not shown)"};
/// The limit of sweeps.
inline constexpr Text kLimit{"迭代 {} 次仍未达到精度要求",
                             "After {} iterations the tolerance is still not met"};

/// Tests and norms.
inline constexpr Text kMinorHeading{"第 {} 阶顺序主子式：", "Leading principal minor of order {}:"};
/// A row's test: the row, a(i,i)'s row and column, |a(i,i)|, the sum of the
/// other magnitudes, then the comparison of the two.
inline constexpr Text kDominantRow{
    "第 {} 行：|a({},{})| = {}，其余元素的绝对值之和 = {}，{} > {}",
    "Row {}: |a({},{})| = {}, sum of the absolute values of the other entries = {}, {} > {}"};
inline constexpr Text kNotDominantRow{
    "第 {} 行：|a({},{})| = {}，其余元素的绝对值之和 = {}，{} 不大于 {}",
    "Row {}: |a({},{})| = {}, sum of the absolute values of the other entries = {}, {} is not "
    "greater than {}"};
inline constexpr Text kVectorOneNorm{
    "1范数：各元素的绝对值之和 = {}",
    "1-norm: the sum of the absolute values of the components = {}"};
/// The sum of squares, then its root: the sum again and the 2-norm.
inline constexpr Text kVectorTwoNorm{
    "2范数：各元素的平方和 = {}，2范数 = √{} = {}",
    "2-norm: the sum of the squares of the components = {}, 2-norm = √{} = {}"};
inline constexpr Text kVectorInfinityNorm{
    "无穷范数：各元素绝对值中的最大者 = {}",
    "∞-norm: the largest absolute value of the components = {}"};
inline constexpr Text kColumnSums{
    "1范数：各列元素的绝对值之和",
    "1-norm: the sums of the absolute values of the entries of each column"};
inline constexpr Text kColumnSum{"第 {} 列：{}", "Column {}: {}"};
inline constexpr Text kOneNormIs{"1范数 = {}", "1-norm = {}"};
inline constexpr Text kRowSums{
    "无穷范数：各行元素的绝对值之和",
    "∞-norm: the sums of the absolute values of the entries of each row"};
inline constexpr Text kRowSum{"第 {} 行：{}", "Row {}: {}"};
inline constexpr Text kInfinityNormIs{"无穷范数 = {}", "∞-norm = {}"};
/// The 2-norm's reference value: the sweeps, the last divisor, the divisor
/// again under the root, and the value.
inline constexpr Text kPowerIteration{
    "2范数(参考值)：对 A 的转置与 A 的乘积作 {} 遍幂迭代，最后的除数为 {}，2范数 = √{} = {}",
    "2-norm (estimate): {} power-method iterations on AᵀA give its largest eigenvalue λmax ≈ {}, "
    "so the 2-norm = √λmax = √{} = {}"};
inline constexpr Text kLargestSingularValue{
    "2范数(参考值)：幂迭代没有得到可用的正除数，改取 A 的最大奇异值 = {}",
    "2-norm (estimate): the power method gave no usable value; the largest singular value of A is "
    "taken instead = {}"};
/// The sum of squares, then its root: the sum again and the F-norm.
inline constexpr Text kFrobenius{
    "F范数：各元素的平方和 = {}，F范数 = √{} = {}",
    "Frobenius norm: the sum of the squares of the entries = {}, Frobenius norm = √{} = {}"};
/// max{a, b, c}: what opens, separates and closes the candidates.
inline constexpr Text kMaxOpening = "max{";
inline constexpr Text kMaxSeparator = ", ";
inline constexpr Text kMaxClosing = "}";

} // namespace quorvex::texts::steps
