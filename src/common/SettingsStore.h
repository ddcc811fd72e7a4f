#pragma once

#include <QString>
#include <QVariantMap>

// The settings dictionary in two layers: the property list shipped with the application (its
// addresses, build number, Hot Utilities table and defaults) and the user's file in the
// configuration folder, which holds only the keys written on this machine (by the user or by
// the program for its own state). A key is read from the user's file when it holds it, else
// from the shipped one, so an upgrade's new shipped values reach every user who did not set
// them.
//
// Every read loads both files anew (no cache). Every write takes a lock file beside the user's
// file ("StringMessage.plist.lock", QLockFile) across its read-modify-write, so concurrent
// writers in any process lose nothing, and replaces the file atomically (temporary file in the
// same folder, fsync, rename); the last writer of a key wins.
//
// A user's file that is a full copy of the shipped one (as earlier versions wrote) is migrated
// on the first read: keys equal to the shipped value are dropped, and so are "Version" and
// "VersionCheck", which describe the installed build and could only have been copied; keys that
// differ are kept. A user's file that is not a property-list dictionary (damaged, nested too
// deep) is moved aside to "StringMessage.plist.corrupt" (then ".corrupt.2", ".corrupt.3", ...;
// none is ever overwritten) and reads go on from the shipped values; Reading::problem says so.
//
// Plain value type; safe to use from any thread and any number of processes.
class SettingsStore {
public:
    SettingsStore(QString shippedPath, QString writablePath);

    // The store of this installation: the shipped "StringMessage.plist" found next to the running
    // binary (build tree) or in the data folders ("corvella/StringMessage.plist"), and
    // $XDG_CONFIG_HOME/corvella/StringMessage.plist. CORVELLA_SHIPPED_SETTINGS overrides the first.
    static SettingsStore standard();
    static QString findShippedFile();

    const QString& shippedPath() const { return m_shippedPath; }
    const QString& writablePath() const { return m_writablePath; }

    struct Reading {
        QVariantMap values; // the shipped values, overlaid with the user's
        // Why the user's file was not used (unreadable, or damaged and moved aside, naming where
        // to), as a sentence; empty when it was used or does not exist.
        QString problem;
    };
    // One read of both layers, without logging.
    Reading read() const;

    // The whole dictionary (read().values); a problem with the user's file is logged.
    QVariantMap dictionary() const;
    // The value of one key, or a null QVariant.
    QVariant value(const QString& key) const;
    QString stringValue(const QString& key) const;

    // Sets one key in the user's file. Returns false (and logs why) when it could not be written.
    bool setValue(const QString& key, const QVariant& value);

private:
    QString m_shippedPath;
    QString m_writablePath;
};
