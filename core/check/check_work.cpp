#include "check/check_work.h"

#include "check/check_input.h"
#include "check/check_report.h"
#include "check/check_texts.h"
#include "check/step_check.h"
#include "report.h"

namespace quorvex {

namespace {

using check::texts::fill;

Outcome checkWork(CommandInput& in) {
    // The frame read the whole text as one matrix; the blocks are read here.
    auto read = check::readCheckInput(in.host.editText(), in.n);
    if (const auto* message = std::get_if<std::string>(&read)) return fail(in.host, *message);
    const check::CheckInput& input = std::get<check::CheckInput>(read);
    const int decimals = in.settings.decimalDigits;

    Report r;
    r.matrixBlock(input.echo, in.n, in.n + 1, kTwoBlanks, NumberStyle::plain());
    int firstWrong = 0;
    const check::EntryMatrix* before = &input.system;
    int k = 0;
    for (const check::EntryMatrix& after : input.steps) {
        in.stop.check();
        ++k;
        const bool right =
            check::writeStep(r, k, check::checkStep(*before, after), after, decimals);
        if (!right && firstWrong == 0) firstWrong = k;
        before = &after; // later steps are checked against what was written
    }
    if (input.solution) {
        ++k;
        const bool right = check::writeSolution(r, k, input.system, *input.solution, decimals);
        if (!right && firstWrong == 0) firstWrong = k;
    }
    r.title(firstWrong == 0 ? std::string(check::texts::kAllRight)
                            : fill(check::texts::kStepWrongVerdict, {std::to_string(firstWrong)}));
    return publish(in.host, std::move(r));
}

} // namespace

namespace commands {

const Command CheckWork{"CheckWork",
                        check::texts::kCaption,
                        CommandGroup::Analysis,
                        {kOrderPrompt, kInputDataCaption},
                        &checkWork};

} // namespace commands

} // namespace quorvex
