#pragma once

#include "common_module.h"

#include <QStringList>
#include <QUrl>

#include <string>
#include <vector>

namespace quorvex::testing {

/// Stands in for the platform under a CommonModule: records every multimedia
/// command and every address the browser would have been given. Open
/// commands answer openResult; every other command succeeds.
struct Recording {
    std::vector<std::string> commands;
    std::vector<QUrl> opened;
    int openResult = 0;
    int ended = 0;

    ui::CommonModule module() {
        return ui::CommonModule(
            [this](std::string_view c) {
                commands.emplace_back(c);
                return c.substr(0, 5) == "open " ? openResult : 0;
            },
            [this](const QUrl& url) { opened.push_back(url); });
    }
};

} // namespace quorvex::testing
