#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTextStream>

// corvella-cli: the command-line face of the core library.
//
//   corvella-cli --version
//   corvella-cli settings get KEY
//   corvella-cli settings set KEY VALUE
//   corvella-cli settings list
//   corvella-cli scan PATH [--depth N] [--top N] [--json]
//   corvella-cli trash PATH...
//   corvella-cli erase PATH...
//
// Exit status: 0 on success, 1 when a key is missing, a value cannot be written, a path does not
// exist or an item could not be removed, 2 on a usage error. Results go to standard output,
// messages to standard error.
class CommandLine {
public:
    CommandLine();

    // The process's arguments as the bytes it was given (argv): paths keep names that are not
    // valid UTF-8.
    int run(const QList<QByteArray>& arguments);

private:
    int settings(const QStringList& arguments);
    int scan(const QStringList& arguments);
    int remove(const QList<QByteArray>& paths, bool erase);
    // One tool each, in CommandLine<Tool>.cpp.
    int disks(const QStringList& arguments);
    int tasks(const QStringList& arguments);
    int load(const QStringList& arguments);
    int apps(const QStringList& arguments);
    int startup(const QStringList& arguments);
    int volume(const QStringList& arguments);
    int brightness(const QStringList& arguments);
    int sysinfo(const QStringList& arguments);
    int updateCheck(const QStringList& arguments);
    int trashList(const QStringList& arguments);
    int restore(const QList<QByteArray>& arguments);
    int emptyTrash(const QStringList& arguments);
    // Reports a tool this build does not have yet; exit status 1.
    int notYetBuilt(const char* command);
    // Why the path must not be removed (".", "..", "/", the home folder, a folder holding the
    // working folder or the home folder), or nothing.
    static QString refusal(const QByteArray& path);
    int usage(const QString& problem);

    QTextStream m_out;
    QTextStream m_err;
};
