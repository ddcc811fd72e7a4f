#pragma once

#include "platform/x11/ClientWindowSource.h"
#include "tasks/TaskManagerInfo.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;

// Ends applications the way the desktop does, so that one with unsaved work may ask about it:
//  1. each application's windows are asked to close (ClientWindowSource::requestClose: through
//     the window manager, else the window's own close protocol);
//  2. an application without a window, or one still running `graceMilliseconds` after its
//     request, gets the termination signal (SIGTERM) through the pidfd its record holds;
//  3. one still running `graceMilliseconds` after the signal is reported as a survivor, for the
//     caller to offer Force Quit.
// With `force`, step 1 is skipped: the signal goes out at once. The Task Manager tab and
// `corvella-cli tasks end` both end applications through this class.
//
// Lives on the main thread (the GUI's, or corvella-cli's with its event loop running); never
// blocks it: the windows are asked off it (a BackgroundTask), exits are noticed through the pidfds,
// the grace periods are timers. One batch at a time per object.
class ApplicationCloser : public QObject {
    Q_OBJECT
public:
    // "A few seconds" to answer a close request or a termination signal.
    static constexpr int DefaultGraceMilliseconds = 5000;

    struct Options {
        int graceMilliseconds = DefaultGraceMilliseconds;
        bool force = false;
        // Opens the window list of the session (on the asking thread); null for none.
        std::function<std::unique_ptr<ClientWindowSource>()> windows;
        QString procRoot = QStringLiteral("/proc");
    };

    enum class Outcome {
        Quit,         // it ended
        StillRunning, // it outlived the request and the signal
        Failed,       // it could not be asked or signalled: `error` says why
    };

    struct Result {
        TaskManagerInfo record;
        Outcome outcome = Outcome::Quit;
        int error = 0;
        // Windows that were asked to close, and whether the termination signal was sent.
        int windowsAsked = 0;
        bool terminated = false;
        // One line for the user: "“Editor” (PID 42) quit after its windows were asked to close."
        QString text() const;
    };

    explicit ApplicationCloser(Options options, QObject* parent = nullptr);
    ~ApplicationCloser() override;

    // Starts ending `records` (each with its pidfd); results come by ended() and finished().
    // Ignored (false) while a batch is running.
    bool close(const QList<TaskManagerInfo>& records);
    bool isBusy() const { return !m_pending.isEmpty(); }

    // For corvella-cli: ends the processes `pids` as close() does, with the termination signal
    // after `forceAfterSeconds` (at once with `force`), running an event loop until every one has
    // an outcome. Refuses init and the calling process (EPERM) and identifiers of 0 or below.
    static QList<Result> endProcesses(const QList<int>& pids, bool force, double forceAfterSeconds);

Q_SIGNALS:
    // The application's windows were asked to close (`windows` of them).
    void closeRequested(qint32 pid, int windows);
    void terminationSent(qint32 pid);
    // One application's outcome.
    void ended(const ApplicationCloser::Result& result);
    // Every application of the batch has its outcome, in the order given.
    void finished(const QList<ApplicationCloser::Result>& results);

private:
    struct Pending;
    void windowsAsked(const QList<int>& windowCounts);
    void terminate(qsizetype index);
    void graceOver();
    void settle(qsizetype index, Outcome outcome, int error = 0);
    void finishIfDone();

    Options m_options;
    QList<std::shared_ptr<Pending>> m_pending;
    QList<Result> m_results;
    QTimer* m_graceTimer = nullptr;
    quint64 m_batch = 0;
};
