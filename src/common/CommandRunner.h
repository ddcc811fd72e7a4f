#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one run of a command came to.
//  - Nothing ran (no command given): outputPath empty, exitStatus -1, error empty.
//  - Refused or could not start (command line too long, unsafe output folder, program not
//    found, ...): outputPath empty, exitStatus -1, error says why.
//  - Exited by itself: outputPath set, exitStatus its status (0..255), error empty. A status
//    other than 0 is the command's own answer; callers that care look at exitStatus.
//  - Stopped by a signal, or its end was lost: outputPath set (the file may hold part of the
//    output), exitStatus -1, error says why.
struct CommandOutcome {
    QString outputPath;
    int exitStatus = -1;
    QString error;

    bool succeeded() const { return !outputPath.isEmpty() && error.isEmpty() && exitStatus == 0; }
};

// Runs a command with its standard output sent to one fixed file in the user's private output
// folder, and answers the path of that file. The caller reads the file and must cope with it
// being empty, partial or unparsable.
//
// The output file is opened with O_TRUNC (and O_NOFOLLOW) either way, so old content never
// survives a run; with OldOutput::Remove the old file is unlinked first, so a reader still
// holding it open keeps the old content and the run gets a new file.
//
// Runners with the same file name share one file: overlapping runs overwrite each other's
// output and nothing locks. Each run blocks the calling thread until the command ends; keep
// long commands off the GUI thread. No state is kept between runs; safe on any thread.
// Failures are logged with qWarning and answered in the outcome.
class CommandRunner {
public:
    enum class OldOutput { Remove, Overwrite };

    // A command line, formatted with " > " and the output path, must fit a buffer of this many
    // bytes including its terminator; a longer one is refused, never cut.
    static constexpr qsizetype commandLineBufferSize = 2048;

    CommandRunner(QString outputFileName, OldOutput oldOutput);

    const QString& outputFileName() const { return m_outputFileName; }
    OldOutput oldOutput() const { return m_oldOutput; }

    // Runs arguments[0] with the remaining arguments, no shell involved. An empty list runs
    // nothing.
    CommandOutcome run(const QStringList& arguments) const;

    // Runs the command line through /bin/sh -c. The output path is never part of the shell
    // text: the redirection is made before the shell starts. An empty line runs nothing.
    // User data inside the line must go through shellQuote().
    CommandOutcome runCommandLine(const QByteArray& commandLine) const;

    // The text as one word for /bin/sh, in single quotes: 'it'\''s' for it's.
    static QString shellQuote(const QString& text);

private:
    // The output path for this runner, or empty with *error set.
    QString prepareOutputPath(QString* error) const;
    CommandOutcome execute(const QList<QByteArray>& arguments, const QString& outputPath) const;

    QString m_outputFileName;
    OldOutput m_oldOutput;
};
