// quorvex-cli as a script sees it: encodings of its files, hostile bytes,
// usage errors, options, exit statuses and interruptions (the decimals'
// limits, the answers to questions and the trace of dialogs are case files).
#include "commands/registry.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

using quorvex::testing::readFile;

// AddressSanitizer reserves its shadow memory up front: a program built with
// it cannot start under an address-space limit (ulimit -v).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
constexpr const char* kNoAddressLimit = "AddressSanitizer does not run under ulimit -v";

class Cli : public ::testing::Test {
protected:
    /// Writes the file and gives its quoted path.
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return std::string("'").append((m_dir / name).string()).append("'");
    }

    /// Runs quorvex-cli with args; `before` is shell text run first (a
    /// ulimit, say), `stdoutTo` a redirection replacing the captured output.
    CliRun run(const std::string& args, const std::string& before = "",
               const std::string& stdoutTo = "") {
        const std::string out = stdoutTo.empty() ? ">'" + (m_dir / "out").string() + "'" : stdoutTo;
        const std::string cmd = before + "'" + QUORVEX_CLI + "' " + args + " " + out + " 2>'" +
                                (m_dir / "err").string() + "'";
        const int status = std::system(cmd.c_str());
        return {WEXITSTATUS(status), readFile(m_dir / "out"), readFile(m_dir / "err")};
    }

    const quorvex::testing::TempDir m_dir{
        std::string("cli-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(Cli, Gb18030FilesAreReadAsChinese) {
    // "上次的报告" in GB18030, as a Chinese Windows machine saves it.
    const auto previous = file("previous.txt", "\xc9\xcf\xb4\xce\xb5\xc4\xb1\xa8\xb8\xe6");
    const CliRun r =
        run("Gauss_1 -i " + file("input.txt", "2 1 3\r\n1 3 5\r\n") + " -p " + previous);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "上次的报告");
}

TEST_F(Cli, MarkedFilesReadAsTheWindowReadsThem) {
    const std::string plain = "2 1 3\r\n1 3 5\r\n";
    std::string le = "\xff\xfe", be = "\xfe\xff";
    for (char c : plain) {
        le += {c, '\0'};
        be += {'\0', c};
    }
    const CliRun expected = run("Gauss_1 -a 2 -i " + file("plain.txt", plain));
    ASSERT_NE(expected.out.find("x(1)=0.8"), std::string::npos);
    for (const auto& [name, bytes] :
         {std::pair<std::string, std::string>{"utf8-mark", "\xef\xbb\xbf" + plain},
          {"utf16le-mark", le},
          {"utf16be-mark", be}}) {
        const CliRun r = run("Gauss_1 -a 2 -i " + file(name, bytes));
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.out, expected.out) << name;
    }
}

TEST_F(Cli, InputBeyondTheMemoryIsRefusedWithAMessage) {
    if (kAddressSanitizer) GTEST_SKIP() << kNoAddressLimit;
    // The address-space limit stands for a machine whose memory runs out
    // long before the input does: endless input, or 60 MB of it under 100 MB.
    const std::pair<std::string, std::string> runs[] = {
        {"ulimit -v 400000; ", "-a 3 -i /dev/zero"},
        {"ulimit -v 400000; ", "-a 3 < /dev/zero"},
        {"ulimit -v 400000; ", "-a 3 -i - < /dev/urandom"},
        {"ulimit -v 100000; head -c 60000000 /dev/zero | tr '\\0' 1 | ", "-a 2"}};
    for (const auto& [before, args] : runs) {
        const CliRun r = run("GaussTier " + args, before);
        EXPECT_EQ(r.status, 1) << before << args;
        EXPECT_EQ(r.err, "message: 内存不足，计算没有完成#\n") << before << args;
        EXPECT_TRUE(r.out.empty()) << before << args;
    }
}

TEST_F(Cli, BinaryInputIsReadWithoutHarm) {
    std::string bytes("1 \0 2 3\xff\xfe\r\n\x80\x81 4 5 6\r\n", 22);
    bytes += std::string(1000, '\0');
    const CliRun r = run("GaussTier -a 2 -i " + file("input.txt", bytes));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Gauss列主元消去法解线性方程组"), std::string::npos);
}

TEST_F(Cli, UsageErrorsExitWithTwoAndSayWhy) {
    const std::pair<std::string, std::string> cases[] = {
        {"NoSuchCommand -i /dev/null", "unknown command 'NoSuchCommand'"},
        {"Gauss_1 -i '" + (m_dir / "missing.txt").string() + "'", "cannot read input file"},
        {"--bogus Gauss_1", "unknown option --bogus"},
        {"--lang fr Gauss_1", "unknown language fr (zh or en)"},
        {"Gauss_1 --lang", "option --lang needs a language"},
        // A decimals value that is no number names itself and the range; a
        // number out of the range is clamped instead (case files).
        {"-d abc Gauss_1", "option -d needs a number of decimals from 1 to 16, not 'abc'"},
        {"-d inf Gauss_1", "option -d needs a number of decimals from 1 to 16, not 'inf'"},
        {"-d '' Gauss_1", "option -d needs a number of decimals from 1 to 16, not ''"},
        {"--digits=5x Gauss_1",
         "option --digits needs a number of decimals from 1 to 16, not '5x'"},
        // A value after "=" is named for what it is, not passed off as an
        // unknown option.
        {"--steps=cols Gauss_1", "unknown value 'cols' of --steps (rows is the only value)"},
        {"--steps= Gauss_1", "unknown value '' of --steps (rows is the only value)"},
        {"--exact=yes Gauss_1", "option --exact takes no value, not 'yes'"},
        {"--trace=1 Gauss_1", "option --trace takes no value, not '1'"},
        {"--list=all", "option --list takes no value, not 'all'"},
        {"--help=me", "option --help takes no value, not 'me'"},
        {"--lang=fr Gauss_1", "unknown language fr (zh or en)"},
        {"--format=pdf Gauss_1", "unknown format pdf (text, latex, html or markdown)"},
        {"--bogus=1 Gauss_1", "unknown option --bogus"},
        {"", ""}};
    for (const auto& [args, why] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find(why), std::string::npos) << args << ": " << r.err;
    }
}

TEST_F(Cli, LongOptionsTakeTheirValueAfterAnEqualsSign) {
    const std::string input = file("input.txt", "3 1\r\n");
    const CliRun spaced = run("Gauss_1 --answer 1 --digits 3 --input " + input);
    const CliRun joined = run("Gauss_1 --answer=1 --digits=3 --input=" + input);
    EXPECT_EQ(spaced.status, 0);
    EXPECT_EQ(joined.status, 0);
    EXPECT_NE(joined.out.find("x(1)=0.333\r\n"), std::string::npos) << joined.out;
    EXPECT_EQ(joined.out, spaced.out);
}

TEST_F(Cli, ListAndHelpNeedNoCommand) {
    const CliRun list = run("--list");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.rfind("Gauss_1\tGauss消去法\n", 0), 0u) << list.out;
    // Every method and analysis, one line each.
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'),
              static_cast<long>(quorvex::allCommands().size()));
    EXPECT_NE(list.out.find("\nCheckWork\t核对解题步骤\n"), std::string::npos) << list.out;
    const CliRun english = run("--list --lang en");
    EXPECT_EQ(english.out.rfind("Gauss_1\tGaussian Elimination\n", 0), 0u) << english.out;
    EXPECT_NE(english.out.find("\nCheckWork\tCheck My Work\n"), std::string::npos) << english.out;
    EXPECT_EQ(run("--list --lang zh").out, list.out);
    const CliRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quorvex-cli", 0), 0u);
    EXPECT_EQ(run("-h").out, help.out);
}

TEST_F(Cli, AnOrderBeyondTheAddressSpaceLimitIsRefusedUpFront) {
    if (kAddressSanitizer) GTEST_SKIP() << kNoAddressLimit;
    // 200 MB of address space hold far less than the some 12.8 GB an order
    // of 10000 takes: refused before anything is allocated.
    const CliRun r = run("GaussTier -a 10000 -i " + file("input.txt", "2 1 3\r\n") + " -p " +
                             file("previous.txt", "earlier report"),
                         "ulimit -v 200000; ");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "message: 内存不足，不能处理 10000 阶的矩阵，请减小阶数#\n");
    EXPECT_EQ(r.out, "earlier report");
}

TEST_F(Cli, OutputThatCannotBeWrittenIsAnError) {
    const std::string input = file("input.txt", "2 1 3\r\n1 3 5\r\n");
    for (const std::string& args :
         {"Gauss_1 -a 2 -i " + input, std::string("--list"), std::string("--help")})
        for (const char* where : {">/dev/full", ">&-"}) {
            const CliRun r = run(args, "", where);
            EXPECT_EQ(r.status, 4) << args << " " << where;
            EXPECT_NE(r.err.find("quorvex-cli: cannot write to standard output"), std::string::npos)
                << args << " " << where << ": " << r.err;
        }
}

TEST_F(Cli, AnOutputFileIsReplacedOnlyByAReport) {
    const std::string input = file("input.txt", "0 1 1\r\n1 0 1\r\n");
    const struct {
        const char* args;
        int status;
    } cases[] = {{"LU_break -a 2", 1}, {"LU_break", 3}, {"GaussTier -a 2", 0}};
    for (const char* format : {"text", "latex", "html", "markdown"}) {
        for (const auto& c : cases) {
            const std::string what = std::string(c.args) + " " + format;
            const fs::path report = m_dir / "report.txt";
            std::ofstream(report, std::ios::binary) << "OLD\n";
            const std::string args = std::string(c.args) + " --format " + format + " -i " + input;
            const CliRun r = run(args + " -o '" + report.string() + "'");
            EXPECT_EQ(r.status, c.status) << what << ": " << r.err;
            EXPECT_EQ(r.out, "") << what;
            EXPECT_EQ(readFile(report), c.status == 0 ? run(args).out : "OLD\n") << what;
            // Nothing is left beside it, and nothing is made where no file was.
            fs::remove(report);
            EXPECT_EQ(run(args + " -o '" + report.string() + "'").status, c.status);
            EXPECT_EQ(fs::exists(report), c.status == 0) << what;
            std::size_t files = 0;
            for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir.path())) ++files;
            EXPECT_EQ(files, c.status == 0 ? 4u : 3u) << what; // input, out, err (, report)
        }
    }
}

TEST_F(Cli, AnOutputThatIsAPipeIsWrittenNotReplaced) {
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string input = file("input.txt", "2 1 3\r\n1 3 5\r\n");
    const std::string got = (m_dir / "got").string();
    const std::string cmd = "timeout 20 cat '" + fifo.string() + "' >'" + got + "' & '" +
                            QUORVEX_CLI + "' Gauss_1 -a 2 -i " + input + " -o '" + fifo.string() +
                            "'; wait";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 0);
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    EXPECT_EQ(readFile(got), run("Gauss_1 -a 2 -i " + input).out);
}

TEST_F(Cli, CtrlCStopsACommandCleanly) {
    // A positive definite matrix of order 1500: its leading minors take far
    // longer than it takes to interrupt them. So does the exact determinant
    // of a matrix of order 200 of 20-digit fractions (one of small integers
    // takes FLINT a fraction of a second, less than the interrupt), and the check of a step of
    // order 12 that no operation explains, on a system of 200-digit fractions.
    unsigned seed = 1;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    const auto digits = [&next](int count) {
        std::string d;
        while (count-- > 0) d += static_cast<char>('1' + next() % 9);
        return d;
    };
    std::string definite, random, check;
    for (int i = 0; i < 1500; ++i) {
        for (int j = 0; j < 1500; ++j) definite += i == j ? "1501 " : "1 ";
        definite += "\r\n";
    }
    for (int i = 0; i < 200; ++i) {
        for (int j = 0; j < 200; ++j) random += digits(20) + "/" + digits(20) + " ";
        random += "\r\n";
    }
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 13; ++j) check += digits(200) + "/" + digits(200) + " ";
        check += "\r\n";
    }
    check += "\r\n";
    for (int i = 0; i < 12; ++i) check += "1 2 3 4 5 6 7 8 9 1 2 3 " + std::to_string(i) + "\r\n";
    const struct {
        const char* command;
        const char* order;
        const std::string& text;
    } cases[] = {{"CMatrixJudge", "1500", definite},
                 {"--exact A_range", "200", random},
                 {"CheckWork", "12", check}};
    for (const auto& c : cases) {
        const std::string input = file("input.txt", c.text);
        const std::string out = (m_dir / "out").string();
        const std::string err = (m_dir / "err").string();
        const std::string report = (m_dir / "report.txt").string();
        std::ofstream(report, std::ios::binary) << "OLD\n";
        const std::string cli = std::string("'") + QUORVEX_CLI + "' " + c.command + " --trace -a " +
                                c.order + " -i " + input + " -p " +
                                file("previous.txt", "earlier report");
        // Once on standard output, once over an earlier file.
        for (const std::string& to : {">'" + out + "'", "-o '" + report + "' >'" + out + "'"}) {
            // The wait below reads the trace of this run, not of the last.
            fs::remove(err);
            const std::string cmd =
                cli + " " + to + " 2>'" + err +
                "' & pid=$!; for i in $(seq 600); do grep -q answer=" + c.order + " '" + err +
                "' && break; sleep 0.1; done; " + "kill -INT $pid; wait $pid";
            const int status = std::system(cmd.c_str());
            const CliRun r{WEXITSTATUS(status), readFile(out), readFile(err)};
            EXPECT_EQ(r.status, 130) << c.command << ": " << r.err;
            EXPECT_EQ(r.out, to[0] == '>' ? "earlier report" : "") << c.command;
            EXPECT_EQ(readFile(report), "OLD\n") << c.command;
            EXPECT_NE(r.err.find("quorvex-cli: interrupted"), std::string::npos) << r.err;
        }
    }
}

} // namespace
