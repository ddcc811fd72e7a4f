#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Runs one program from an argument vector, without a shell, and waits for it to end.
//
// The child gets:
//  - standard input from /dev/null;
//  - standard output in a file, created 0600 or truncated, never through a symbolic link;
//  - the caller's standard error, unchanged, so its diagnostics land where Corvella's own go
//    (the terminal or the session journal);
//  - no other descriptor: everything from 3 up is closed in the child, whether or not the
//    descriptor was opened close-on-exec;
//  - an empty signal mask and default dispositions for every signal, so an ignored SIGPIPE
//    of the caller does not leak into shell pipelines.
//
// Blocks the calling thread until the program ends; safe to call from several threads at once.
// Every failure is answered in the result, never thrown.
class ProcessSpawner {
public:
    enum class Ending {
        NotStarted, // nothing ran: see error
        Exited,     // the program ended by itself: see exitStatus
        Signalled,  // the program was stopped by a signal: see signalNumber
        Lost,       // the program started but its end could not be observed: see error
    };

    struct Result {
        Ending ending = Ending::NotStarted;
        int exitStatus = -1;  // 0..255 when Exited, else -1
        int signalNumber = 0; // when Signalled
        int errorNumber = 0;  // the errno behind NotStarted or Lost, 0 when there is none
        QString error;        // one clear sentence when NotStarted or Lost, else empty

        bool exited() const { return ending == Ending::Exited; }
    };

    ProcessSpawner() = delete;

    // arguments[0] is the program: a path when it holds a slash, else looked up in PATH.
    // The output file is opened before the program starts; when it cannot be opened (missing
    // folder, a link or a folder at its place, no permission) nothing runs. The environment is
    // the caller's.
    static Result run(const QList<QByteArray>& arguments, const QString& standardOutputPath);
};
