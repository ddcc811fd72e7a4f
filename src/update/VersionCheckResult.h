#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

#include <optional>
#include <utility>

// The outcome of one version check, and how a fetched version record is read.
struct VersionCheckResult {
    enum class Outcome { Newer, None, Unreachable };

    Outcome outcome = Outcome::Unreachable;
    QString version;                      // the record's "Version" (Newer only)
    QList<std::pair<int, QString>> lines; // what is new, by line number (Newer only)
    QString reason;                       // why the check could not be made (Unreachable only)

    // Reads a record against the shipped build number: Newer when its "VersionCheck" is
    // greater, None when it is not, and Unreachable (with the reason) when the record holds no
    // build number to compare: nothing could then be said about being up to date. Lines are the
    // values under "1" to "n", n being the number of keys besides "VersionCheck" and "Version";
    // a missing line or one that is not text is skipped.
    static VersionCheckResult evaluate(const QVariantMap& record, qint32 shippedBuild);
    // A build number as a signed 32-bit integer: an integer, a finite real or a string holding a
    // whole number within 64 bits; values beyond 32 bits are clamped to that range. Nothing for
    // anything else: a missing value, a truth value, other text, a list.
    static std::optional<qint32> readBuildNumber(const QVariant& value);
    // The same, with nothing counting as 0 (the shipped settings' own number).
    static qint32 buildNumber(const QVariant& value);
    // The offer of a newer version, naming the installed one.
    static QString offerText(const QString& version, const QString& installedVersion);
    // The line as the list shows it: "1:text".
    static QString lineText(const std::pair<int, QString>& line);
};

Q_DECLARE_METATYPE(VersionCheckResult)
