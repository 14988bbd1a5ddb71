// Runs any command on fuzzed input. Layout of the input: one byte picks the
// command, one the decimals, then answers separated by newlines up to a NUL
// byte, then the edit area's text. Answers are cut to two characters so an
// order stays below 100 and a run stays quick.
#include "host.h"
#include "registry.h"
#include "settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

class FuzzHost : public quorvex::Host {
public:
    FuzzHost(std::string edit, std::vector<std::string> answers)
        : m_edit(std::move(edit)), m_answers(std::move(answers)) {}
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return next();
    }
    void messageBox(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return next() == "y"; }
    std::string editText() override { return m_edit; }
    std::string resultText() override { return m_result; }
    void setResultText(std::string text) override { m_result = std::move(text); }
    void appendResult(std::string piece, std::shared_ptr<const Document>) override { m_result.append(piece); }

private:
    std::string next() {
        // A script that keeps answering "no" would ask forever.
        if (++m_asked > 400 || m_next >= m_answers.size()) return {};
        return m_answers[m_next++];
    }
    std::string m_edit;
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
    int m_asked = 0;
    std::string m_result;
};

std::vector<const quorvex::Command*> commands() {
    std::vector<const quorvex::Command*> list;
    for (const auto& e : quorvex::methodMenu())
        if (e.command) list.push_back(e.command);
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto all = commands();
    if (size < 2 || all.empty()) return 0;
    const auto* command = all[data[0] % all.size()];
    quorvex::ReportSettings settings;
    settings.decimalDigits = 1 + data[1] % 16;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t nul = rest.find('\0');
    std::string_view script = rest.substr(0, nul);
    std::string_view edit = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    std::vector<std::string> answers;
    while (!script.empty()) {
        const std::size_t nl = script.find('\n');
        answers.emplace_back(script.substr(0, std::min<std::size_t>(2, nl)));
        if (nl == std::string_view::npos) break;
        script.remove_prefix(nl + 1);
    }
    FuzzHost host(std::string(edit), std::move(answers));
    quorvex::runCommand(*command, host, settings);
    return 0;
}
