#pragma once

#include <QProcess>
#include <QStringList>

// A process a test starts and owns: killed and reaped when the object goes, so a failed
// assertion never leaves it running. Check process.state() (or waitForStarted()) to know
// whether it started.
struct ChildProcess {
    ChildProcess(const QString& program, const QStringList& arguments)
    {
        process.start(program, arguments);
        process.waitForStarted(10000);
    }
    ~ChildProcess()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    int pid() const { return int(process.processId()); }
    QProcess process;
};
