#include "common/BackgroundTask.h"

#include <QCoreApplication>
#include <QThread>

bool BackgroundTask::isGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

void BackgroundTask::post(const QPointer<QObject>& context, std::function<void()> call)
{
    // Sent to the application object rather than to `context`: a worker may not touch an object
    // that the GUI thread can destroy at any moment. Without an application nothing is delivered.
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QMetaObject::invokeMethod(
        application,
        [context, call = std::move(call)] {
            if (context)
                call();
        },
        Qt::QueuedConnection);
}

void BackgroundTask::Queue::enqueue(std::function<void()> job)
{
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->jobs.push_back(std::move(job));
        if (m_state->running)
            return;
        m_state->running = true;
    }
    // One runnable drains the queue; the state outlives the queue while it runs.
    QThreadPool::globalInstance()->start([state = m_state] {
        for (;;) {
            std::function<void()> next;
            {
                const std::lock_guard lock(state->mutex);
                if (state->jobs.empty()) {
                    state->running = false;
                    state->idle.notify_all();
                    return;
                }
                next = std::move(state->jobs.front());
                state->jobs.pop_front();
            }
            next();
        }
    });
}

void BackgroundTask::Queue::waitForDone()
{
    std::unique_lock lock(m_state->mutex);
    m_state->idle.wait(lock, [this] { return !m_state->running; });
}
