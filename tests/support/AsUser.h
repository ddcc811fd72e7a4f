#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

// Runs `work` in a forked child that has dropped to `user` (no supplementary groups, the user's
// id as group id), so that permission bits apply even when the tests run as root. Returns what
// `work` returned, or nothing when the child could not switch or did not report. Give `work` the
// return type QByteArray explicitly: a string-builder expression would outlive its operands.
inline std::optional<QByteArray> runAsUser(uid_t user, const std::function<QByteArray()>& work)
{
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(user, user, user) != 0 ||
            ::setresuid(user, user, user) != 0)
            ::_exit(2);
        const QByteArray report = work();
        const bool written =
            ::write(channel[1], report.constData(), size_t(report.size())) == report.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, count);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return report;
}

// Gives root and everything below it (links themselves, not their targets) to user, except the
// entries named in keptByRoot and what lies below them. Answers whether every change succeeded.
inline bool giveTree(const QString& root, uid_t user, const QStringList& keptByRoot = {})
{
    namespace fs = std::filesystem;
    const std::string top = QFile::encodeName(root).toStdString();
    bool given = ::lchown(top.c_str(), user, user) == 0;
    for (auto entry = fs::recursive_directory_iterator(top);
         entry != fs::recursive_directory_iterator(); ++entry) {
        if (keptByRoot.contains(QFile::decodeName(entry->path().c_str())))
            entry.disable_recursion_pending();
        else
            given = ::lchown(entry->path().c_str(), user, user) == 0 && given;
    }
    return given;
}
