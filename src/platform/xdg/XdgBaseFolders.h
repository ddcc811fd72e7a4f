#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The XDG base folders of an environment, by the XDG Base Directory Specification: a variable
// counts only when it holds an absolute path (relative entries of a list are skipped), otherwise
// its default applies ($HOME/.local/share, /usr/local/share:/usr/share, $HOME/.config, /etc/xdg,
// $HOME/.cache;
// a $HOME that is not absolute counts as the account's home). Folders are kept as given less
// trailing slashes, never cleaned by text: "a/link/../b" is where the kernel takes it. Every
// reader of these folders goes through this class. Plain value type; reads nothing from disk.
class XdgBaseFolders {
public:
    explicit XdgBaseFolders(
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    const QString& home() const { return m_home; }
    const QString& dataHome() const { return m_dataHome; }
    const QStringList& dataDirs() const { return m_dataDirs; }
    const QString& configHome() const { return m_configHome; }
    const QStringList& configDirs() const { return m_configDirs; }
    const QString& cacheHome() const { return m_cacheHome; }
    // The colon-separated $XDG_CURRENT_DESKTOP, as given.
    const QStringList& currentDesktops() const { return m_currentDesktops; }

    // "applications" below the data home, then below each data folder: the installed
    // applications, in the order in which an earlier entry shadows a later one of the same ID.
    QStringList applicationPaths() const;
    // "autostart" below the configuration home, then below each configuration folder.
    QStringList autostartPaths() const;

private:
    QString m_home;
    QString m_dataHome;
    QStringList m_dataDirs;
    QString m_configHome;
    QStringList m_configDirs;
    QString m_cacheHome;
    QStringList m_currentDesktops;
};
