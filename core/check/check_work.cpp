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

    // A number no double and no exact value within the limit holds is
    // named; every step that uses it is left unchecked, since judged by its
    // misreading a right entry would be asked to be 0.
    for (const check::UnheldEntry& u : input.unheld()) in.host.notice(check::unheldNotice(u));
    const std::size_t solutionBlock = input.steps.size() + 1;

    Report r;
    echoSystem(r, input);
    int firstWrong = 0;
    std::vector<int> unchecked;
    const check::EntryMatrix* before = &input.system;
    int k = 0;
    for (const check::EntryMatrix& after : input.steps) {
        in.stop.check();
        ++k;
        const auto block = static_cast<std::size_t>(k);
        if (input.holdsUnheld(block - 1) || input.holdsUnheld(block)) {
            check::writeUnchecked(r, k, false);
            unchecked.push_back(k);
        } else {
            const bool right =
                check::writeStep(r, k, check::checkStep(*before, after, in.stop), after, decimals);
            if (!right && firstWrong == 0) firstWrong = k;
        }
        before = &after; // later steps are checked against what was written
    }
    if (input.solution) {
        ++k;
        if (input.holdsUnheld(0) || input.holdsUnheld(solutionBlock)) {
            check::writeUnchecked(r, k, true);
            unchecked.push_back(k);
        } else {
            // Where a step was not checked, what it was worked from cannot
            // tell where the solution went wrong.
            const bool allChecked = firstWrong == 0 && unchecked.empty();
            const bool right =
                check::writeSolution(r, k, input.system, *input.solution, decimals,
                                     allChecked ? input.steps : std::vector<check::EntryMatrix>{});
            if (!right && firstWrong == 0) firstWrong = k;
        }
    }
    r.title(check::verdict(firstWrong, unchecked, k));
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
