#pragma once

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

// The one way a short query runs off the GUI thread, and the one way a result is sent back to it.
// (A long, cancellable job is an engine instead: it owns its thread, with atomic stop and pause
// flags.)
//
// run() runs `work` on the global thread pool and hands its result (if any) to `done` on the GUI
// thread. When `context` is destroyed first, `done` is never called; the work itself still runs to
// its end, so it must not touch `context`: it works on copies. `context` lives on the GUI (main)
// thread.
//
// A Queue runs its jobs the same way, but one after another in the order they were given (writes
// that must land in the order the user made them).
//
// onGuiThread() is for an engine's reports: it runs a call on the GUI thread, at once when already
// there, else queued, and drops it when `context` has gone by then. Worker threads never wait for
// the GUI, so closing a window can never deadlock with a report.
class BackgroundTask {
public:
    BackgroundTask() = delete;

    template <typename Work, typename Done> static void run(QObject* context, Work work, Done done)
    {
        QThreadPool::globalInstance()->start(job(context, std::move(work), std::move(done)));
    }

    // Work whose outcome nobody waits for (a desktop notification).
    template <typename Work> static void run(Work work)
    {
        QThreadPool::globalInstance()->start(std::move(work));
    }

    // A worker that may outlive `context` takes the guard on the GUI thread and passes it here.
    template <typename Call> static void onGuiThread(const QPointer<QObject>& context, Call call)
    {
        if (isGuiThread())
            call();
        else
            post(context, std::move(call));
    }

    // Jobs run one after another on the global thread pool, never two at once. Destroying the
    // queue leaves the jobs given to run to their end (their `done` is dropped with `context`).
    class Queue {
    public:
        Queue() = default;
        Queue(const Queue&) = delete;
        Queue& operator=(const Queue&) = delete;

        template <typename Work, typename Done> void run(QObject* context, Work work, Done done)
        {
            enqueue(job(context, std::move(work), std::move(done)));
        }

        // Blocks until every job given so far has ended.
        void waitForDone();

    private:
        struct State {
            std::mutex mutex;
            std::condition_variable idle;
            std::deque<std::function<void()>> jobs;
            bool running = false;
        };
        void enqueue(std::function<void()> job);

        std::shared_ptr<State> m_state = std::make_shared<State>();
    };

private:
    static bool isGuiThread();
    // Queues `call` to the GUI thread, where `context` is checked before it runs.
    static void post(const QPointer<QObject>& context, std::function<void()> call);

    template <typename Work, typename Done>
    static std::function<void()> job(QObject* context, Work work, Done done)
    {
        // The guard is made here, on the GUI thread, and only read there.
        return [context = QPointer<QObject>(context), work = std::move(work),
                done = std::move(done)]() mutable {
            if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
                work();
                post(context, std::move(done));
            } else {
                post(context, [done = std::move(done), result = work()]() mutable {
                    done(std::move(result));
                });
            }
        };
    }
};
