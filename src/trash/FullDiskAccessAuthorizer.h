#pragma once

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Whether Corvella may reach the user's Trash folders. An ordinary desktop session has no such
// switch, but a sandboxed build does: Flatpak (FLATPAK_ID in the environment, or "/.flatpak-info")
// and Snap (SNAP). The probe lists the home trash folder of the user's real home: sandboxed, the
// home and XDG_DATA_HOME point into the sandbox, so the real home is read from the user database.
//
// Access status: 0 not determined (the probe folder does not exist), 1 denied (it exists but its
// contents cannot be listed), 2 authorized (they can be listed).
//
// The probe and the opening run on the calling thread and read only the environment and the file
// system given at construction; the shared instance is created once, under the lock of a function
// static, so any thread may ask for it first.
class FullDiskAccessAuthorizer {
    Q_DECLARE_TR_FUNCTIONS(FullDiskAccessAuthorizer)

public:
    enum Status { NotDetermined = 0, Denied = 1, Authorized = 2 };
    // The system version (10.14) from which the access is checked and asked for.
    static constexpr int accessCheckVersion = 1014;

    // The home directory of the current user id in the user database (getpwuid of getuid);
    // empty when the record cannot be read.
    static QString userDatabaseHome();

    // environment: the process environment to judge by. rootFolder: where "/.flatpak-info" is
    // looked for. userRecordHome: answers the real home when sandboxed.
    explicit FullDiskAccessAuthorizer(
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
        QString rootFolder = QStringLiteral("/"),
        std::function<QString()> userRecordHome = &FullDiskAccessAuthorizer::userDatabaseHome);

    // For this process; never released.
    static FullDiskAccessAuthorizer* sharedInstance();

    bool isSandboxed() const { return !sandboxName().isEmpty(); }
    // "Flatpak", "Snap", or empty when not sandboxed.
    QString sandboxName() const;
    // The folder the probe lists: $XDG_DATA_HOME/Trash (else ~/.local/share/Trash) of the home the
    // environment gives; sandboxed, <home of the user database>/.local/share/Trash. Empty when
    // sandboxed and the user's record cannot be read.
    QString probePath() const;
    int authorizationStatus() const;

    // The desktop's application-permissions settings: the program's absolute path, then its
    // arguments; empty when the desktop (XDG_CURRENT_DESKTOP) is unknown or its program is not in
    // PATH.
    QStringList settingsCommand() const;
    // Opens the settings of settingsCommand() as a detached process, from system version 10.14
    // (1014) on; below it does nothing. Returns whether a program was started.
    bool requestAuthorization() const;
    bool requestAuthorization(int systemVersion) const;

    // The command that grants the access by hand ("flatpak override --user --filesystem=home
    // <id>"), or empty where there is none (Snap, or not sandboxed).
    QString overrideCommand() const;
    // A sentence or two for the user: how to grant the access where the settings cannot.
    QString accessAdvice() const;

private:
    QString flatpakId() const;
    // The real home: the environment's HOME unsandboxed, the user database's when sandboxed.
    QString homePath() const;

    QProcessEnvironment m_environment;
    QString m_rootFolder;
    std::function<QString()> m_userRecordHome;
};
