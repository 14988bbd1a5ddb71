// The page's way into the core: a Web Worker loads this module and runs a
// command with the answers its dialogs have had so far. A command that
// reaches a dialog with no answer yet stops there; the page asks the user
// and runs it again from the start with one answer more. Commands are
// deterministic, so every run retraces the same dialogs.
#include "analysis/error_chart.h"
#include "commands/registry.h"
#include "frame/frame.h"
#include "frame/settings.h"
#include "reading/number_text.h"
#include "report/render.h"
#include "report/result_area.h"
#include "system_memory.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <optional>
#include <string>

namespace quorvex::web {

namespace {

using emscripten::val;

/// Thrown out of a dialog that has no answer yet; runCommand turns it into
/// a clean stop, and the run reports the dialog instead of a result.
struct AnswerNeeded : CommandStopped {};

/// Thrown when a command reads the edit area before the page has sent its
/// text: the page holds it back until a command needs it, so that a dialog
/// asked first opens at once, and the run is made again with the text.
struct EditTextNeeded : CommandStopped {};

class PageHost : public Host {
public:
    PageHost(std::optional<std::string> edit, std::string result, val answers)
        : m_edit(std::move(edit)), m_result(std::move(result)), m_answers(std::move(answers)),
          m_dialogs(val::array()) {}

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override {
        record("input", prompt, caption, defaultAnswer);
        const val answer = nextAnswer();
        return answer.isString() ? answer.as<std::string>() : std::string();
    }

    void messageBox(const std::string& text, const std::string& caption) override {
        record("message", text, caption, {});
    }

    bool askYesNo(const std::string& text, const std::string& caption) override {
        record("yesno", text, caption, {});
        const val answer = nextAnswer();
        return answer.isTrue();
    }

    std::string editText() override {
        if (!m_edit) {
            m_needsEdit = true;
            throw EditTextNeeded();
        }
        return *m_edit;
    }
    std::string resultText() override { return m_result.text(); }
    void setResultText(std::string text) override { m_result.setText(std::move(text)); }
    void appendResult(std::shared_ptr<const Document> report) override {
        m_result.append(std::move(report));
    }

    std::uint64_t availableMemory() override { return platform::availableMemoryBytes(); }

    void showChart(const ErrorChart& chart) override {
        val c = val::object();
        c.set("title", chart.title);
        c.set("xLabel", chart.xLabel);
        c.set("yLabel", chart.yLabel);
        c.set("table", chartTable(chart));
        m_chart = c;
    }

    void notice(const std::string& text) override {
        if (!m_asking) m_notices.call<void>("push", text);
    }

    bool asking() const { return m_asking; }
    bool needsEdit() const { return m_needsEdit; }
    const ResultArea& result() const { return m_result; }
    val dialogs() const { return m_dialogs; }
    val chart() const { return m_chart; }
    val notices() const { return m_notices; }

private:
    void record(const char* kind, const std::string& prompt, const std::string& caption,
                const std::string& defaultAnswer) {
        if (m_asking) return;
        val d = val::object();
        d.set("kind", std::string(kind));
        d.set("prompt", prompt);
        d.set("caption", caption);
        d.set("default", defaultAnswer);
        m_dialogs.call<void>("push", d);
    }

    val nextAnswer() {
        if (m_next < m_answers["length"].as<unsigned>()) return m_answers[m_next++];
        m_asking = true;
        throw AnswerNeeded();
    }

    std::optional<std::string> m_edit;
    ResultArea m_result;
    val m_answers;
    unsigned m_next = 0;
    val m_dialogs;
    val m_chart = val::null();
    val m_notices = val::array();
    bool m_asking = false;
    bool m_needsEdit = false;
};

/// The document of the last run that finished, for the exports.
ResultArea& lastResult() {
    static ResultArea area;
    return area;
}

Language languageOf(const val& name) {
    return name.isString() && name.as<std::string>() == "en" ? Language::English
                                                             : Language::Chinese;
}

const char* kindName(MenuEntryKind kind) {
    switch (kind) {
    case MenuEntryKind::Command: return "command";
    case MenuEntryKind::Separator: return "separator";
    case MenuEntryKind::Disabled: return "disabled";
    case MenuEntryKind::SubmenuBegin: return "submenu-begin";
    case MenuEntryKind::SubmenuEnd: return "submenu-end";
    }
    return "separator";
}

val menuOf(std::string_view id, Text caption, std::span<const MenuEntry> entries, Language lang) {
    val items = val::array();
    for (const MenuEntry& e : entries) {
        val item = val::object();
        item.set("kind", std::string(kindName(e.kind)));
        item.set("id", std::string(e.id()));
        item.set("caption", std::string(e.caption().in(lang)));
        items.call<void>("push", item);
    }
    val menu = val::object();
    menu.set("id", std::string(id));
    menu.set("caption", std::string(caption.in(lang)));
    menu.set("items", items);
    return menu;
}

val menus(val lang) {
    const Language language = languageOf(lang);
    val m = val::object();
    m.set("methods", menuOf(kMethodsMenuId, kMethodsMenuCaption, methodMenu(), language));
    m.set("analysis", menuOf(kAnalysisMenuId, kAnalysisMenuCaption, analysisMenu(), language));
    return m;
}

/// The text as UTF-8 in a byte array of its own. The worker hands the array
/// to the page without copying it, where a string of a large report would
/// be decoded here and copied on its way.
val utf8Bytes(const std::string& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), bytes));
}

/// A text of the request, which comes as UTF-8 bytes (the edit area, which
/// the page encodes faster than the text could be converted here) or as a
/// string.
std::string textField(const val& request, const char* name) {
    const val v = request[name];
    if (v.isUndefined() || v.isNull()) return {};
    if (v.isString()) return v.as<std::string>();
    std::string text(v["length"].as<std::size_t>(), '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(text.data());
    val(emscripten::typed_memory_view(text.size(), bytes)).call<void>("set", v);
    return text;
}

template <class T> T field(const val& request, const char* name, T fallback) {
    const val v = request[name];
    return v.isUndefined() || v.isNull() ? fallback : v.as<T>();
}

val run(val request) {
    const Command* command = findCommand(request["command"].as<std::string>());
    val reply = val::object();
    if (!command) {
        reply.set("state", std::string("unknown"));
        return reply;
    }
    ReportSettings settings;
    settings.decimalDigits = field(request, "decimals", ReportSettings::kDefaultDecimalDigits);
    settings.exact = field(request, "exact", false);
    settings.steps = field(request, "steps", false);
    settings.rowSteps = field(request, "rowSteps", false);
    settings.language = languageOf(request["language"]);
    const val answers = request["answers"];
    const bool editSent = !request["edit"].isUndefined();
    PageHost host(editSent ? std::optional(textField(request, "edit")) : std::nullopt,
                  textField(request, "result"), answers.isArray() ? answers : val::array());
    runCommand(*command, host, settings);
    if (host.needsEdit()) {
        reply.set("state", std::string("edit"));
        return reply;
    }
    reply.set("state", std::string(host.asking() ? "ask" : "done"));
    reply.set("dialogs", host.dialogs());
    reply.set("chart", host.chart());
    reply.set("notices", host.notices());
    if (!host.asking()) {
        reply.set("result", utf8Bytes(host.result().text()));
        reply.set("resultIsReport", host.result().holdsReport());
        lastResult() = host.result();
    }
    return reply;
}

/// Runs a small elimination once and forgets it. The browser compiles the
/// core's functions when they are first called and for speed only once they
/// have been busy, so a large system met first would run in the plain
/// compilation; once warmed up, reading, elimination and writing are ready
/// for the user's first command. The last result stays as it was.
void warmUp() {
    // Large enough that the loops of reading and writing, not only the
    // elimination, have run long enough to be compiled for speed.
    constexpr int n = 150;
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            if (j > 0) text += ' ';
            text += std::to_string(i == j ? 10 * n : (i * 7 + j * 13) % 19 - 9);
        }
        text += "\r\n";
    }
    val answers = val::array();
    answers.call<void>("push", std::to_string(n));
    PageHost host(std::move(text), {}, answers);
    runCommand(*findCommand("GaussTier"), host, ReportSettings{});
    (void)host.result().text();
}

std::string exportReport(std::string formatName) {
    const auto format = formatFromName(formatName);
    const ResultArea& area = lastResult();
    if (!format || !area.holdsReport()) return {};
    return render(area.document(), *format);
}

} // namespace

EMSCRIPTEN_BINDINGS(quorvex) {
    emscripten::function("menus", &menus);
    emscripten::function("run", &run);
    emscripten::function("exportReport", &exportReport);
    emscripten::function("warmUp", &warmUp);
    emscripten::function(
        "decimalsFromAnswer", +[](std::string answer) { return decimalDigitsFromAnswer(answer); });
}

} // namespace quorvex::web
