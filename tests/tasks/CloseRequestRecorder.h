#pragma once

#include "tasks/TaskListBuilder.h"

#include <QDeadlineTimer>
#include <QProcess>

#ifdef CLOSE_REQUEST_CLIENT
// The editor-like client (or a windowless shell) and what it recorded.
struct Recorder {
    explicit Recorder(const QByteArray& mode)
    {
        if (mode == "windowless")
            process.start("/bin/sh", {"-c", "trap 'echo SIGTERM; exit 143' TERM; echo ready; "
                                            "while :; do sleep 0.05; done"});
        else
            process.start(CLOSE_REQUEST_CLIENT, {QString::fromLatin1(mode), "corvellarecorder"});
        process.waitForStarted(10000);
    }
    ~Recorder()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    int pid() const { return int(process.processId()); }
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
    QProcess process;

private:
    QByteArray m_output;
};

inline bool hasWindowManager()
{
    std::unique_ptr<ClientWindowSource> windows = TaskListBuilder::createWindowSource();
    return windows && windows->clientWindows();
}
#endif
