#include "trash/TrashFolderCandidates.h"

#include "platform/SystemError.h"
#include "platform/fs/NativePath.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <optional>

namespace {

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

QString cannotExamine(const QByteArray& path, int error)
{
    return QCoreApplication::translate("TrashFolderCandidates", "“%1” cannot be examined: %2")
        .arg(shown(path), SystemError::text(error));
}

// Why "$topdir/.Trash" must not be used, empty when it may; nullopt when there is none.
std::optional<QString> sharedFolderProblem(const QByteArray& shared)
{
    struct stat status {};
    if (::lstat(shared.constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        return cannotExamine(shared, errno);
    }
    if (S_ISLNK(status.st_mode))
        return QCoreApplication::translate("TrashFolderCandidates", "“%1” is a symbolic link")
            .arg(shown(shared));
    if (!S_ISDIR(status.st_mode))
        return QCoreApplication::translate("TrashFolderCandidates", "“%1” is not a folder")
            .arg(shown(shared));
    if ((status.st_mode & S_ISVTX) == 0)
        return QCoreApplication::translate("TrashFolderCandidates", "“%1” lacks the sticky bit")
            .arg(shown(shared));
    return QString();
}

} // namespace

TrashFolderCandidates::Candidate TrashFolderCandidates::judge(const QByteArray& path, uid_t uid,
                                                              Use use)
{
    Candidate candidate;
    candidate.path = path;
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        const int error = errno;
        candidate.state = error == ENOENT ? State::Missing : State::Refused;
        candidate.problem = error == ENOENT ? tr("“%1” does not exist").arg(shown(path))
                                            : cannotExamine(path, error);
    } else if (S_ISLNK(status.st_mode)) {
        candidate.problem = tr("“%1” is a symbolic link").arg(shown(path));
    } else if (!S_ISDIR(status.st_mode)) {
        candidate.problem = tr("“%1” is not a folder").arg(shown(path));
    } else if (status.st_uid != uid) {
        candidate.problem = tr("“%1” belongs to another user").arg(shown(path));
    } else if (use == Use::Trashing && (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        candidate.problem = tr("“%1” can be changed by other users").arg(shown(path));
    } else {
        candidate.state = State::Usable;
        candidate.status = status;
    }
    return candidate;
}

QList<TrashFolderCandidates::Candidate>
TrashFolderCandidates::forVolume(const QByteArray& topDirectory, uid_t uid, Use use)
{
    QList<Candidate> candidates;
    const QByteArray uidText = QByteArray::number(uid);
    const QByteArray shared = NativePath::child(topDirectory, ".Trash");
    if (const std::optional<QString> problem = sharedFolderProblem(shared)) {
        if (problem->isEmpty()) {
            candidates.append(judge(NativePath::child(shared, uidText), uid, use));
        } else {
            Candidate refused;
            refused.path = NativePath::child(shared, uidText);
            refused.problem = *problem;
            candidates.append(refused);
        }
    }
    candidates.append(judge(NativePath::child(topDirectory, ".Trash-" + uidText), uid, use));
    return candidates;
}
