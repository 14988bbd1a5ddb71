// quorvex-cli: runs one method command headless and prints the result area.
#include "commands/registry.h"
#include "console_host.h"
#include "frame/settings.h"
#include "input_file.h"
#include "reading/number_text.h"
#include "report/document.h"
#include "report/render.h"
#include "standard_streams.h"
#include "text_codec.h"
#include "whole_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace quorvex;

constexpr int kExitReported = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 3;
constexpr int kExitInterrupted = 130; // 128 + SIGINT, as shells report it

// Ctrl+C asks the running command to stop; a signal handler can reach it
// only through a variable of its own.
StopRequest gInterrupt;

extern "C" void onInterrupt(int) { gInterrupt.request(); }

// The chosen language, for the one message written outside a command.
Language gLanguage = Language::Chinese;

const char* const kUsage =
    "usage: quorvex-cli [options] COMMAND\n"
    "       quorvex-cli --list\n"
    "\n"
    "Runs the method COMMAND (a menu item name such as Gauss_1 or GaussTier) on the\n"
    "input text and prints the result area's text afterwards, byte for byte.\n"
    "\n"
    "  -i, --input FILE     the edit area's text (default: standard input; - also\n"
    "                       means standard input); UTF-8, or GB18030 when not UTF-8\n"
    "  -a, --answer TEXT    answer to the next dialog (repeatable, in order); input\n"
    "                       boxes take the text, questions take yes/no (y/n, 是/否);\n"
    "                       with no answer left an input box is cancelled and a\n"
    "                       question is answered No\n"
    "  -d, --digits N       decimals of printed numbers (default 6, clamped to 1..16;\n"
    "                       a value that is no number is an error)\n"
    "  -p, --previous FILE  the result area's text before the command\n"
    "      --exact          exact fractions: the direct methods compute in rational\n"
    "                       arithmetic and write integers and reduced fractions\n"
    "      --steps          worked steps after the echoed input: every pivot, row\n"
    "                       operation, entry and sweep (orders up to 12)\n"
    "      --steps=rows     the worked steps, and the eliminations' matrix after\n"
    "                       every single row operation (orders up to 6)\n"
    "      --lang LANG      the language of the report, the dialogs, the messages\n"
    "                       and the --list captions: zh (Chinese, the default) or\n"
    "                       en (English)\n"
    "      --trace          write each dialog to standard error as it is shown\n"
    "      --format FORMAT  write the report as text (the default, byte for byte),\n"
    "                       latex (for XeLaTeX: a Chinese report uses ctex and its\n"
    "                       fonts, an English one fontspec with DejaVu Serif),\n"
    "                       html (one self-contained page) or markdown (matrices\n"
    "                       as $$ math)\n"
    "  -o, --output FILE    write the report to FILE instead of standard output,\n"
    "                       whole or not at all; when the command reports nothing\n"
    "                       (exit 1, 3 or 130) FILE is left as it was\n"
    "      --list           list the commands: id, a tab, the caption\n"
    "  -h, --help           show this help\n"
    "\n"
    "Exit status: 0 report written, 1 the command ended with a failure message\n"
    "(out of memory too), 3 the command stopped without a report (cancel, an order\n"
    "below 1, or one that is no number or too large, which a notice names),\n"
    "2 usage or input error, 4 standard output or the -o file could not be written\n"
    "(this help and --list too), 130 interrupted (Ctrl+C): the command stopped\n"
    "cleanly and the result area is written as it was before it.\n";

struct Options {
    std::string command;
    std::string input = "-";
    std::optional<std::string> previous;
    std::deque<std::string> answers;
    ReportSettings settings;
    Format format = Format::Text;
    std::optional<std::string> output;
    bool trace = false;
    bool list = false;
    bool help = false;
};

/// Reads a whole input (a file, a pipe, "-" for standard input). An input
/// larger than the memory allows ends as every allocation failure does;
/// beyond the fixed input limit errno is EFBIG.
bool readAll(const std::string& path, std::string& out) {
    platform::InputFile file;
    platform::ReadStatus status = platform::ReadStatus::Done;
    if (path == "-") file.openStandardInput();
    else status = file.open(path, platform::InputFile::Accept::Anything);
    const std::uint64_t limit = platform::inputByteLimit();
    if (status == platform::ReadStatus::Done) status = file.readAll(out, limit);
    if (status == platform::ReadStatus::NoMemory ||
        (status == platform::ReadStatus::TooLarge && limit < platform::kMaxInputBytes))
        throw std::bad_alloc();
    if (status == platform::ReadStatus::TooLarge) errno = EFBIG;
    return status == platform::ReadStatus::Done;
}

/// The long options that take no value: given one (--exact=yes), they say
/// so rather than pass for unknown.
bool isSwitch(const std::string& option) {
    return option == "--exact" || option == "--trace" || option == "--list" || option == "--help";
}

/// Parses the arguments; returns an error text on a usage error.
std::optional<std::string> parseArguments(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            if (auto eq = arg.find('='); eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        auto value = [&](std::string& into) -> bool {
            if (inlineValue) {
                into = *inlineValue;
                return true;
            }
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "-i" || arg == "--input") {
            if (!value(o.input)) return "option " + arg + " needs a file name";
        } else if (arg == "-a" || arg == "--answer") {
            if (!value(v)) return "option " + arg + " needs a text";
            o.answers.push_back(v);
        } else if (arg == "-d" || arg == "--digits") {
            if (!value(v)) return "option " + arg + " needs a number";
            // A number out of range is clamped, as the window's setting is;
            // a text that is no number is a mistake, not a request for 1.
            if (!isWholeNumber(v))
                return "option " + arg + " needs a number of decimals from 1 to 16, not '" + v +
                       "'";
            o.settings.decimalDigits = decimalDigitsFromAnswer(v);
        } else if (arg == "-p" || arg == "--previous") {
            if (!value(v)) return "option " + arg + " needs a file name";
            o.previous = v;
        } else if (inlineValue && isSwitch(arg)) {
            return "option " + arg + " takes no value, not '" + *inlineValue + "'";
        } else if (arg == "--exact") {
            o.settings.exact = true;
        } else if (arg == "--steps" && !inlineValue) {
            o.settings.steps = true;
        } else if (arg == "--steps") {
            if (*inlineValue != "rows")
                return "unknown value '" + *inlineValue + "' of --steps (rows is the only value)";
            o.settings.rowSteps = true;
        } else if (arg == "--lang") {
            if (!value(v)) return "option " + arg + " needs a language";
            if (v == "zh") o.settings.language = Language::Chinese;
            else if (v == "en") o.settings.language = Language::English;
            else return "unknown language " + v + " (zh or en)";
        } else if (arg == "--format") {
            if (!value(v)) return "option " + arg + " needs a format";
            const auto format = formatFromName(v);
            if (!format) return "unknown format " + v + " (text, latex, html or markdown)";
            o.format = *format;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(v)) return "option " + arg + " needs a file name";
            o.output = v;
        } else if (arg == "--trace") {
            o.trace = true;
        } else if (arg == "--list") {
            o.list = true;
        } else if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return "unknown option " + arg;
        } else if (o.command.empty()) {
            o.command = arg;
        } else {
            return "more than one command given: " + o.command + " and " + arg;
        }
    }
    if (!o.list && !o.help && o.command.empty()) return "no command given";
    return std::nullopt;
}

/// Hands the result area in the chosen format to sink: the text itself, a
/// piece at a time, or its report rendered; an empty result area gives
/// nothing in any format.
bool writeResult(const cli::ConsoleHost& host, Format format, const TextSink& sink) {
    const ResultArea& result = host.result();
    if (format == Format::Text) return result.write(sink);
    if (result.empty()) return true;
    return sink(render(result.document(), format));
}

void listCommands(Language language) {
    const LanguageScope captions(language);
    for (const Command* command : allCommands()) {
        const Command& c = *command;
        const std::string_view caption = c.caption;
        std::printf("%.*s\t%.*s\n", static_cast<int>(c.id.size()), c.id.data(),
                    static_cast<int>(caption.size()), caption.data());
    }
}

} // namespace

#ifdef __GLIBC__
/// Buffers up to this size come from the heap (glibc's largest setting).
constexpr int kHeapBufferLimit = 32 * 1024 * 1024;
#endif

static int runCli(int argc, char** argv) {
    Options o;
    if (auto error = parseArguments(argc, argv, o)) {
        std::fprintf(stderr, "quorvex-cli: %s\n%s", error->c_str(), kUsage);
        return kExitUsage;
    }
    gLanguage = o.settings.language;
    if (o.help) {
        std::fputs(kUsage, stdout);
        return cli::finishStandardOutput() ? 0 : cli::outputLost();
    }
    if (o.list) {
        listCommands(o.settings.language);
        return cli::finishStandardOutput() ? 0 : cli::outputLost();
    }
    const Command* command = findCommand(o.command);
    if (!command) {
        std::fprintf(stderr, "quorvex-cli: unknown command '%s' (see quorvex-cli --list)\n",
                     o.command.c_str());
        return kExitUsage;
    }
    std::string input, previous;
    if (!readAll(o.input, input)) {
        std::fprintf(stderr, "quorvex-cli: cannot read input file '%s': %s\n", o.input.c_str(),
                     std::strerror(errno));
        return kExitUsage;
    }
    if (o.previous && !readAll(*o.previous, previous)) {
        std::fprintf(stderr, "quorvex-cli: cannot read previous result file '%s': %s\n",
                     o.previous->c_str(), std::strerror(errno));
        return kExitUsage;
    }
    cli::ConsoleHost host(platform::decodeTextFile(std::move(input)),
                          platform::decodeTextFile(std::move(previous)), std::move(o.answers),
                          o.trace, stderr);
    std::signal(SIGINT, onInterrupt);
    const Outcome outcome = runCommand(*command, host, o.settings, &gInterrupt);
    std::signal(SIGINT, SIG_DFL);
    if (gInterrupt.requested()) std::fputs("quorvex-cli: interrupted\n", stderr);

    const auto write = [&](const TextSink& sink) { return writeResult(host, o.format, sink); };
    if (o.output) {
        // Only a report is written to a file: after a failure, a cancel or
        // Ctrl+C the file (an earlier report, say) stays as it was.
        const std::string why = outcome == Outcome::Reported
                                    ? platform::writeWholeFile(*o.output, write)
                                    : std::string();
        if (!why.empty()) {
            std::fprintf(stderr, "quorvex-cli: cannot write output file '%s': %s\n",
                         o.output->c_str(), why.c_str());
            return cli::kExitUnwritten;
        }
    } else if (!write(cli::writeStandardOutput) || !cli::finishStandardOutput()) {
        return cli::outputLost();
    }
    switch (outcome) {
    case Outcome::Reported: return kExitReported;
    case Outcome::Failed: return kExitFailed;
    case Outcome::Stopped: return gInterrupt.requested() ? kExitInterrupted : kExitStopped;
    }
    return kExitReported;
}

int main(int argc, char** argv) {
    cli::occupyClosedStandardStreams();
    // One run makes a few large buffers in turn (the text, its cleaned copy,
    // the matrices, the report): kept on the heap, a freed one is reused by
    // the next instead of fresh pages the system must clear first.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kHeapBufferLimit);
    mallopt(M_TRIM_THRESHOLD, 2 * kHeapBufferLimit);
#endif
    try {
        return runCli(argc, argv);
    } catch (const std::bad_alloc&) {
        // Out of memory outside a command (reading or decoding a huge input,
        // say) ends as it does inside one: one message, no report.
        const std::string_view message = kOutOfMemoryMessage.in(gLanguage);
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(message.size()), message.data());
        return kExitFailed;
    }
}
