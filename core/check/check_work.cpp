#include "check/check_work.h"

#include "check/check_input.h"
#include "check/check_report.h"
#include "check/step_check.h"
#include "report/report.h"
#include "steps/steps.h"
#include "texts/check_texts.h"

namespace quorvex {

namespace {

using texts::check::fill;

/// The system as the student typed it: as the matrix reader shows it when
/// that is the same text, else entry by entry as typed (-28/3, not
/// -9.33333333333333; 3.50, not 3.5).
void echoSystem(Report& r, const check::CheckInput& input) {
    const int rows = static_cast<int>(input.system.size());
    bool same = true;
    for (int i = 0; i < rows && same; ++i)
        for (int j = 0; j <= rows && same; ++j)
            same = styledText(input.echo(i + 1, j + 1), NumberStyle::plain()) ==
                   input.system[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)].text;
    if (same) {
        r.matrixBlock(input.echo, rows, rows + 1, kTwoBlanks, NumberStyle::plain());
        return;
    }
    for (const check::EntryRow& row : input.system) {
        for (const check::Entry& e : row) r.text(kTwoBlanks).text(e.text);
        r.newline();
    }
}

Outcome checkWork(CommandInput& in) {
    // The order worked steps are shown to: no one works larger blocks by
    // hand, and the search for a slip grows with the fifth power of it.
    if (in.n > steps::kMaxStepsOrder)
        return fail(in.host, fill(texts::check::kOrderTooLarge,
                                  {std::to_string(steps::kMaxStepsOrder), std::to_string(in.n)}));
    auto read = check::readCheckInput(in.text, in.n);
    if (const auto* message = std::get_if<std::string>(&read)) return fail(in.host, *message);
    const check::CheckInput& input = std::get<check::CheckInput>(read);
    const int decimals = in.settings.decimalDigits;

    Report r;
    echoSystem(r, input);
    int firstWrong = 0;
    const check::EntryMatrix* before = &input.system;
    int k = 0;
    for (const check::EntryMatrix& after : input.steps) {
        in.stop.check();
        ++k;
        const bool right =
            check::writeStep(r, k, check::checkStep(*before, after, in.stop), after, decimals);
        if (!right && firstWrong == 0) firstWrong = k;
        before = &after; // later steps are checked against what was written
    }
    if (input.solution) {
        ++k;
        const bool right =
            check::writeSolution(r, k, input.system, *input.solution, decimals,
                                 firstWrong == 0 ? input.steps : std::vector<check::EntryMatrix>{});
        if (!right && firstWrong == 0) firstWrong = k;
    }
    r.title(firstWrong == 0 ? std::string(texts::check::kAllRight)
                            : fill(texts::check::kStepWrongVerdict, {std::to_string(firstWrong)}));
    return publish(in.host, std::move(r));
}

} // namespace

namespace commands {

const Command CheckWork{"CheckWork",
                        texts::check::kCaption,
                        CommandGroup::Analysis,
                        {kOrderPrompt, kInputDataCaption, {}, Clear::AfterOrder, Reads::Text},
                        &checkWork};

} // namespace commands

} // namespace quorvex
