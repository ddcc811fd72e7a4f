#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <memory>

// Runs work on the global thread pool and hands its result to `done` on `context`'s thread.
// When `context` is destroyed first, `done` is never called; the work itself still runs to its
// end (it must not touch `context`).
class BackgroundTask {
public:
    BackgroundTask() = delete;

    template <typename Work, typename Done> static void run(QObject* context, Work work, Done done)
    {
        using Result = decltype(work());
        auto promise = std::make_shared<QPromise<Result>>();
        QFuture<Result> future = promise->future();
        future.then(context, std::move(done));
        promise->start();
        QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
            promise->addResult(work());
            promise->finish();
        });
    }
};
