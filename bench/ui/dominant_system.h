#pragma once

#include <QString>

namespace quorvex::ui {

/// A strictly diagonally dominant augmented matrix of order n, as text: the
/// large report the window programs here time.
inline QString dominantSystem(int n) {
    QString text;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            text += (i == j ? QString::number(20 * n + i + 0.37, 'f', 2)
                            : QString::number(((i * 7 + j * 13) % 19 - 9) / 7.0, 'f', 10)) +
                    u' ';
        text += QString::number(i / 3.0, 'f', 5) + u'\n';
    }
    return text;
}

} // namespace quorvex::ui
