#pragma once

#include <QDBusConnection>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one Quick Visit row opens on this desktop.
struct QuickVisitTarget {
    enum class Kind {
        Command,          // start `command` (a desktop program, or xdg-open with a folder)
        ApplicationsView, // ask GNOME Shell to show its application overview
        CorvellaTab,      // show Corvella's own tab `tab` instead
        Unavailable,      // nothing fits: `error` says why
    };
    Kind kind = Kind::Unavailable;
    QStringList command;
    QString tab;
    QString error;
};

// Chooses the target of each Quick Visit row for an environment: its PATH decides which
// programs exist, XDG_CURRENT_DESKTOP which desktop's own programs come first, HOME and the XDG
// variables where the folders are. The first candidate that exists wins; each row has its
// fallback. Reads the file system (and asks the session bus for the Launchpad row): not on the
// GUI thread.
class QuickVisitTargets {
public:
    explicit QuickVisitTargets(
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
        const QDBusConnection& sessionBus = QDBusConnection::sessionBus());

    // Power settings: gnome-control-center power, systemsettings kcm_powerdevilprofilesconfig,
    // xfce4-power-manager-settings, ...; else the desktop's settings.
    QuickVisitTarget energySettings() const;
    // x-terminal-emulator, then the desktop's own terminal, then any known one.
    QuickVisitTarget terminal() const;
    // GNOME Shell's application overview when it runs, else Corvella's Applications tab.
    QuickVisitTarget launchpad() const;
    // The system's folder of installed desktop entries, in the file manager.
    QuickVisitTarget applications() const;
    // The XDG documents and desktop folders (user-dirs.dirs), wherever the home folder lies.
    QuickVisitTarget myDocuments() const;
    QuickVisitTarget desktop() const;
    // The desktop's settings program.
    QuickVisitTarget systemPreferences() const;
    // gnome-disks or partitionmanager, else Corvella's Disk Manager tab.
    QuickVisitTarget diskUtility() const;

private:
    struct Candidate {
        QString desktop; // the XDG_CURRENT_DESKTOP entry it belongs to, lower case
        QStringList command;
    };
    // The first candidate whose program exists, the current desktop's candidates first.
    QStringList firstAvailable(const QList<Candidate>& candidates) const;
    QuickVisitTarget openFolder(const QString& folder) const;

    QProcessEnvironment m_environment;
    QDBusConnection m_sessionBus;
    QStringList m_desktops;
};
