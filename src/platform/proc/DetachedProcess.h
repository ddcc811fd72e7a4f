#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Starts a program that outlives the call and is never waited for by Corvella: it runs in a
// session of its own, with standard input from /dev/null, Corvella's standard output and error,
// no other descriptor, an empty signal mask and default signal dispositions, in the given
// folder. An intermediate process starts it and exits, so the program is reparented to init (or
// the nearest subreaper) and Corvella never has to reap it.
//
// start() blocks until the program has been executed or has failed to be, and for at most
// `watchMilliseconds` more while it watches for an early end: a caller on the GUI thread hands it
// to a worker. Safe to call from several threads at once. Every failure is answered in the
// result, never thrown.
class DetachedProcess {
public:
    struct Result {
        qint64 processId = 0; // the program's process; 0 when it did not start
        int errorNumber = 0;  // the errno behind a failed start (E2BIG, ENOENT, EACCES, ...)
        QString error;        // why it did not start, e.g. "Argument list too long"; else empty
        bool ended = false;   // the program ended within the watch time
        int exitStatus = -1;  // 0..255 when it ended by itself
        int signalNumber = 0; // the signal that ended it, when one did

        bool started() const { return processId > 0; }
        bool endedBadly() const { return ended && exitStatus != 0; }
    };

    DetachedProcess() = delete;

    // arguments[0] is the program's absolute path (callers resolve PATH themselves). An argument
    // holding a NUL byte is refused: the program would receive it cut short. An empty folder
    // keeps the caller's working folder.
    static Result start(const QList<QByteArray>& arguments, const QByteArray& workingFolder = {},
                        int watchMilliseconds = 0);
};
