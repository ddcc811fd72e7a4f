#pragma once

#include <QString>
#include <QVariantMap>

// The settings dictionary: a property list shipped with the application and a writable copy in
// the user's configuration folder, created from the shipped file the first time a value is written.
//
// Every read loads the whole file anew (no cache), every write rewrites the whole dictionary
// atomically (temporary file in the same folder, fsync, rename), so the last writer of a key wins.
// A missing or unreadable writable file falls back to the shipped one; with neither, reads answer
// nothing. A corrupt writable file is moved aside (".corrupt") before the next write, which then
// starts again from the shipped values instead of a dictionary holding one key.
//
// Plain value type; safe to use from any thread, but writers are not synchronised with each other.
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

    // The whole dictionary: the writable file if it parses, else the shipped one, else empty.
    QVariantMap dictionary() const;
    // The value of one key, or a null QVariant.
    QVariant value(const QString& key) const;
    QString stringValue(const QString& key) const;

    // Sets one key and rewrites the file. Returns false (and logs why) when it could not be
    // written.
    bool setValue(const QString& key, const QVariant& value);

private:
    QString m_shippedPath;
    QString m_writablePath;
};
