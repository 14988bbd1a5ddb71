#pragma once

#include "background_work.h"
#include "frame/host.h"
#include "qt_host.h"
#include "report/render.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <exception>
#include <type_traits>

namespace quorvex::ui {

/// The host a command sees on its worker thread: every call is carried out
/// by the window's host on the window's thread, and waits for it there, so
/// dialogs stay modal, in order, and widgets are only touched where Qt
/// allows. An exception thrown there (an allocation that fails) is thrown
/// again here, on the command's thread. Once the window has stopped
/// waiting for the command, the window's host may be gone: every call then
/// stops the command instead.
class GuiThreadHost final : public Host {
public:
    GuiThreadHost(QtHost& gui, const WorkSignals& control) : m_gui(gui), m_signals(control) {}

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override {
        return inGui([&] { return m_gui.inputBox(prompt, caption, defaultAnswer); });
    }
    void messageBox(const std::string& text, const std::string& caption) override {
        inGui([&] { m_gui.messageBox(text, caption); });
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        return inGui([&] { return m_gui.askYesNo(text, caption); });
    }
    std::string editText() override {
        return inGui([&] { return m_gui.editText(); });
    }
    std::string resultText() override {
        return inGui([&] { return m_gui.resultText(); });
    }
    void setResultText(std::string text) override {
        inGui([&] { m_gui.setResultText(std::move(text)); });
    }
    void appendResult(std::shared_ptr<const Document> report) override {
        // The text is written here, off the window's thread.
        std::string text = renderText(*report);
        inGui([&] { m_gui.appendRendered(std::move(text), std::move(report)); });
    }
    std::uint64_t availableMemory() override {
        leaveWhenAbandoned();
        return m_gui.availableMemory();
    }
    void showChart(const ErrorChart& chart) override {
        inGui([&] { m_gui.showChart(chart); });
    }
    void notice(const std::string& text) override {
        inGui([&] { m_gui.notice(text); });
    }

private:
    template <typename F> std::invoke_result_t<F> inGui(F f) {
        using R = std::invoke_result_t<F>;
        std::exception_ptr failure;
        if constexpr (std::is_void_v<R>) {
            call([&] {
                try {
                    f();
                } catch (...) {
                    failure = std::current_exception();
                }
            });
            if (failure) std::rethrow_exception(failure);
        } else {
            R result{};
            call([&] {
                try {
                    result = f();
                } catch (...) {
                    failure = std::current_exception();
                }
            });
            if (failure) std::rethrow_exception(failure);
            return result;
        }
    }

    void leaveWhenAbandoned() const {
        if (m_signals.abandoned) throw CommandStopped();
    }

    template <typename F> void call(F f) {
        leaveWhenAbandoned();
        // Abandoning happens on the window's thread, so the check there is
        // not overtaken by it.
        const WorkSignals& control = m_signals;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&control, &f] {
                if (!control.abandoned) f();
            },
            Qt::BlockingQueuedConnection);
        leaveWhenAbandoned();
    }

    QtHost& m_gui;
    const WorkSignals& m_signals;
};

} // namespace quorvex::ui
