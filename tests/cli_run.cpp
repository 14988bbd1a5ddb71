// quorvex-cli as a script sees it: encodings of its files, hostile bytes,
// usage errors and the trace of dialogs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }

    /// Writes the file and gives its quoted path.
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return std::string("'").append((m_dir / name).string()).append("'");
    }

    CliRun run(const std::string& args, const std::string& before = {}) {
        const std::string cmd = before + "'" + QUORVEX_CLI + "' " + args + " >'" +
                                (m_dir / "out").string() + "' 2>'" + (m_dir / "err").string() + "'";
        const int status = std::system(cmd.c_str());
        return {WEXITSTATUS(status), slurp(m_dir / "out"), slurp(m_dir / "err")};
    }

    const fs::path m_dir = fs::temp_directory_path() /
        ("quorvex-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(Cli, Gb18030FilesAreReadAsChinese) {
    // "上次的报告" in GB18030, as a Chinese Windows machine saves it.
    const auto previous = file("previous.txt", "\xc9\xcf\xb4\xce\xb5\xc4\xb1\xa8\xb8\xe6");
    const CliRun r = run("Gauss_1 -i " + file("input.txt", "2 1 3\r\n1 3 5\r\n") + " -p " + previous);
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
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"utf8-mark", "\xef\xbb\xbf" + plain},
                                      {"utf16le-mark", le},
                                      {"utf16be-mark", be}}) {
        const CliRun r = run("Gauss_1 -a 2 -i " + file(name, bytes));
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.out, expected.out) << name;
    }
}

TEST_F(Cli, EndlessInputIsRefusedWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer does not run under an address-space limit";
#else
    // The address-space limit stands for a machine whose memory runs out
    // long before the input does.
    for (const std::string source : {"-i /dev/zero", "< /dev/zero", "-i - < /dev/urandom"}) {
        const CliRun r = run("GaussTier -a 3 " + source, "ulimit -v 400000; ");
        EXPECT_EQ(r.status, 2) << source;
        EXPECT_NE(r.err.find("cannot read input file"), std::string::npos) << source << r.err;
        EXPECT_TRUE(r.out.empty()) << source;
    }
#endif
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
        {"", ""}};
    for (const auto& [args, why] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find(why), std::string::npos) << args << ": " << r.err;
    }
}

TEST_F(Cli, TraceShowsEachDialogAndTheAnswerTaken) {
    const CliRun r = run("Gauss_1 --trace -a 1 -d 3 -i " + file("input.txt", "4 8\r\n"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("input: caption=输入数据 prompt=输入矩阵的阶数 n： default=3 answer=1"),
              std::string::npos)
        << r.err;
}

} // namespace
