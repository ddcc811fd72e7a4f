#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The one writer of the user's XDG autostart folder ($XDG_CONFIG_HOME/autostart). It never
// follows a link at the entry: writing replaces whatever the name holds (a file, or a link to a
// system entry) by a new regular file, and removing unlinks the name itself, never a link's
// target. A system file reached through a link therefore stays byte for byte as it was.
//
// The folder is opened relative to the configuration home without following a link. When the
// folder itself is a link, it is used only when what it leads to is a folder of the effective
// user, lies inside the home folder (as the kernel resolves both) and is none of the system
// autostart folders; otherwise every write is refused with a reason, so a link never leads a
// write into a system folder, even for root.
//
// Each call opens the folder anew; nothing is cached. Plain value type; calls from several
// threads are not synchronised with each other, but each write is atomic (a reader sees the old
// or the new content, never half of it).
class AutostartFolder {
public:
    // path: the user's autostart folder; systemFolders: the autostart folders of
    // $XDG_CONFIG_DIRS, which a link at path must not lead to; home: the home folder.
    AutostartFolder(QString path, QStringList systemFolders, QString home);

    const QString& path() const { return m_path; }

    // Replaces the entry fileName (a plain name) by a regular file holding content, creating the
    // folder when needed. A regular file's permissions are kept; otherwise the new file gets the
    // usual ones (0666 less the umask). Answers an empty string on success, else a sentence for
    // the user.
    QString write(const QString& fileName, const QByteArray& content) const;

    // Unlinks the entry fileName itself (a link, not its target). A name that is not there is
    // no error. Answers an empty string on success, else a sentence for the user.
    QString remove(const QString& fileName) const;

private:
    // The open folder descriptor, or -1 with *error set. create makes a missing folder.
    int open(bool create, QString* error) const;

    QString m_path;
    QStringList m_systemFolders;
    QString m_home;
};
