#include "background_work.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <thread>

namespace quorvex::ui {

namespace {

std::atomic<int> g_running{0};

} // namespace

struct BackgroundWork::State {
    WorkSignals control;
    std::exception_ptr failure;
    QEventLoop* loop = nullptr; ///< touched on the window's thread only
};

bool BackgroundWork::leftRunning() { return g_running.load() > 0; }

void BackgroundWork::stop() {
    if (m_current) m_current->control.stop.request();
}

void BackgroundWork::abandon() {
    if (!m_current) return;
    m_current->control.stop.request();
    m_current->control.abandoned = true;
    if (m_current->loop) m_current->loop->quit();
}

BackgroundWork::Ended BackgroundWork::run(std::function<void(const WorkSignals&)> work) {
    auto state = std::make_shared<State>();
    QEventLoop loop;
    state->loop = &loop;
    m_current = state;
    if (onRunning) onRunning(true);
    ++g_running;
    std::thread thread([state, work = std::move(work)] {
        try {
            work(state->control);
        } catch (...) {
            state->failure = std::current_exception();
        }
        // The window's thread reads the outcome once it has the quit; work
        // left behind has no one waiting.
        if (!state->control.abandoned)
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [state] {
                    if (state->loop) state->loop->quit();
                },
                Qt::QueuedConnection);
        --g_running;
    });
    loop.exec();
    state->loop = nullptr;
    const bool abandoned = state->control.abandoned;
    if (abandoned) thread.detach();
    else thread.join();
    m_current.reset();
    if (onRunning) onRunning(false);
    if (abandoned) return Ended::Abandoned;
    if (state->failure) std::rethrow_exception(state->failure);
    return Ended::Finished;
}

} // namespace quorvex::ui
