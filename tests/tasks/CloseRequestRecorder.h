#pragma once

#include "support/ChildProcess.h"
#include "tasks/TaskListBuilder.h"

#include <QDeadlineTimer>
#include <QProcess>

#ifdef CLOSE_REQUEST_CLIENT
// The editor-like client (or a windowless shell) and what it recorded.
struct Recorder : ChildProcess {
    explicit Recorder(const QByteArray& mode)
        : ChildProcess(mode == "windowless" ? "/bin/sh" : CLOSE_REQUEST_CLIENT,
                       mode == "windowless"
                           ? QStringList{"-c", "trap 'echo SIGTERM; exit 143' TERM; echo ready; "
                                               "while :; do sleep 0.05; done"}
                           : QStringList{QString::fromLatin1(mode), "corvellarecorder"})
    {}
    QByteArray output()
    {
        m_output += process.readAllStandardOutput();
        return m_output;
    }
    // Until the window manager lists its window (or, windowless, until it runs).
    bool waitUntilReady(bool windowed)
    {
        const QDeadlineTimer deadline(20000);
        std::unique_ptr<ClientWindowSource> windows = TaskListBuilder::createWindowSource();
        while (!deadline.hasExpired()) {
            process.waitForReadyRead(50);
            if (output().startsWith("ready\n")) {
                if (!windowed)
                    return true;
                for (const ClientWindow& window :
                     windows->clientWindows().value_or(QList<ClientWindow>())) {
                    if (window.pid == pid())
                        return true;
                }
            }
        }
        return false;
    }

private:
    QByteArray m_output;
};

inline bool hasWindowManager()
{
    std::unique_ptr<ClientWindowSource> windows = TaskListBuilder::createWindowSource();
    return windows && windows->clientWindows();
}
#endif
