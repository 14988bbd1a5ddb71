#pragma once

#include "dialog_provider.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace quorvex::ui::testing {

/// One dialog the script expects, with the answer to give.
struct Expected {
    enum Kind { Input, Message, Question, Open, Save, Font, Color };
    Kind kind = Input;
    QString answer{}; ///< input text, or a file name
    bool yes = false; ///< the answer to a question
    bool cancel = false;
    std::optional<FontChoice> font{};
    QColor color{};
    std::function<void()> whileShown{}; ///< runs while the dialog is up
};

/// A dialog as it was shown.
struct Shown {
    Expected::Kind kind;
    QString text; ///< prompt, message or file filter
    QString caption;
    QString defaultAnswer; ///< default answer, or the initial file name
};

/// Answers the window's dialogs from a script and records each one. A
/// dialog the script did not expect, or of another kind, is a test failure;
/// it is answered as if cancelled so that nothing ever waits for a person.
class ScriptedDialogs final : public DialogProvider {
public:
    void expect(Expected e) { m_script.push_back(std::move(e)); }
    void answerInput(const QString& text) { expect({.kind = Expected::Input, .answer = text}); }
    void acceptMessage() { expect({.kind = Expected::Message}); }
    void answerQuestion(bool yes) { expect({.kind = Expected::Question, .yes = yes}); }
    void chooseFile(Expected::Kind dialog, const QString& name) {
        expect({.kind = dialog, .answer = name});
    }
    void cancelFile(Expected::Kind dialog) { expect({.kind = dialog, .cancel = true}); }

    std::vector<Shown> shown;
    QStringList unexpected;

    bool scriptUsedUp() const { return m_script.empty(); }
    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == Expected::Message) texts << s.text;
        return texts;
    }

    QString inputBox(QWidget*, const QString& prompt, const QString& caption,
                     const QString& defaultAnswer) override {
        const Expected e = take(Expected::Input, prompt, caption, defaultAnswer);
        return e.cancel ? QString() : e.answer;
    }
    void messageBox(QWidget*, const QString& text, const QString& caption) override {
        take(Expected::Message, text, caption, {});
    }
    bool askYesNo(QWidget*, const QString& text, const QString& caption) override {
        return take(Expected::Question, text, caption, {}).yes;
    }
    std::optional<QString> openFileName(QWidget*, const QString& filter,
                                        const QString& initial) override {
        return fileAnswer(take(Expected::Open, filter, {}, initial));
    }
    std::optional<QString> saveFileName(QWidget*, const QString& filter,
                                        const QString& initial) override {
        return fileAnswer(take(Expected::Save, filter, {}, initial));
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override {
        const Expected e = take(Expected::Font, {}, {}, {});
        return e.cancel ? std::nullopt : e.font;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        const Expected e = take(Expected::Color, {}, {}, {});
        return e.cancel ? std::nullopt : std::optional(e.color);
    }

private:
    static std::optional<QString> fileAnswer(const Expected& e) {
        return e.cancel ? std::nullopt : std::optional(e.answer);
    }

    Expected take(Expected::Kind kind, const QString& text, const QString& caption,
                  const QString& defaultAnswer) {
        shown.push_back({kind, text, caption, defaultAnswer});
        if (m_script.empty() || m_script.front().kind != kind) {
            unexpected << QStringLiteral("unexpected dialog: ") + text;
            return {.kind = kind, .cancel = true};
        }
        Expected e = m_script.front();
        m_script.pop_front();
        if (e.whileShown) e.whileShown();
        return e;
    }

    std::deque<Expected> m_script;
};

/// Fails the test instead of hanging when a real modal dialog opens: it is
/// closed at once and its title recorded.
class ModalWatchdog {
public:
    ModalWatchdog() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen << modal->windowTitle();
                modal->close();
            }
        });
        m_timer.start(50);
    }

    QStringList seen; ///< titles of the dialogs closed

private:
    QTimer m_timer;
};

} // namespace quorvex::ui::testing
