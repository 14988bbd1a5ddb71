#include "multimedia_commands.h"

#include <vector>

namespace quorvex::ui {

namespace {

std::vector<std::string> splitAtBlanks(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

} // namespace

MultimediaCommands::MultimediaCommands(TuneOpener opener) : m_opener(std::move(opener)) {}

MultimediaCommands::~MultimediaCommands() = default;

Tune* MultimediaCommands::find(const std::string& alias) {
    const auto it = m_tunes.find(alias);
    return it == m_tunes.end() ? nullptr : it->second.get();
}

int MultimediaCommands::open(const std::string& file, const std::string& alias) {
    if (m_tunes.count(alias)) return kMmAliasInUse;
    int error = kMmOk;
    std::unique_ptr<Tune> tune = m_opener(file, error);
    if (!tune) return error == kMmOk ? kMmNoDevice : error;
    m_tunes.emplace(alias, std::move(tune));
    return kMmOk;
}

int MultimediaCommands::send(std::string_view command) {
    const std::vector<std::string> w = splitAtBlanks(command);
    if (w.empty()) return kMmUnknownCommand;
    const std::string& verb = w[0];
    if (verb == "open") {
        if (w.size() != 4 || w[2] != "alias") return kMmBadSyntax;
        return open(w[1], w[3]);
    }
    if (verb != "play" && verb != "stop" && verb != "close") return kMmUnknownCommand;
    const bool fromStart = verb == "play" && w.size() == 4 && w[2] == "from" && w[3] == "0";
    if (w.size() != 2 && !fromStart) return kMmBadSyntax;
    Tune* tune = find(w[1]);
    if (!tune) return kMmUnknownAlias;
    if (verb == "close") {
        m_tunes.erase(w[1]);
        return kMmOk;
    }
    const bool ok = verb == "play" ? tune->playFromStart() : tune->stop();
    return ok ? kMmOk : kMmPlayFailed;
}

int sendMultimediaCommand(std::string_view command) {
    static MultimediaCommands layer;
    return layer.send(command);
}

} // namespace quorvex::ui
