#include "update/VersionCheckResult.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

std::optional<qint32> VersionCheckResult::readBuildNumber(const QVariant& value)
{
    bool isNumber = false;
    qint64 number = 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        if (!std::isfinite(value.toDouble()))
            return std::nullopt;
        number = qint64(std::clamp(value.toDouble(), -2147483648.0, 2147483647.0));
        isNumber = true;
        break;
    case QMetaType::QString:
        number = value.toString().trimmed().toLongLong(&isNumber);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = value.toLongLong(&isNumber);
        break;
    case QMetaType::ULongLong:
        isNumber = value.toULongLong() <= quint64(std::numeric_limits<qint64>::max());
        number = qint64(value.toULongLong());
        break;
    default:
        break;
    }
    if (!isNumber)
        return std::nullopt;
    return qint32(std::clamp<qint64>(number, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

qint32 VersionCheckResult::buildNumber(const QVariant& value)
{
    return readBuildNumber(value).value_or(0);
}

VersionCheckResult VersionCheckResult::evaluate(const QVariantMap& record, qint32 shippedBuild)
{
    VersionCheckResult result;
    const QVariant published = record.value(QStringLiteral("VersionCheck"));
    const std::optional<qint32> build = readBuildNumber(published);
    if (!build) {
        result.outcome = Outcome::Unreachable;
        if (!published.isValid()) {
            result.reason = QCoreApplication::translate(
                "VersionCheckResult", "The version record holds no build number "
                                      "(“VersionCheck”), so it could not be compared.");
        } else {
            const QString shown = published.typeId() == QMetaType::QString
                                      ? u'“' + published.toString().left(40) + u'”'
                                      : QString::fromLatin1(published.typeName());
            result.reason =
                QCoreApplication::translate("VersionCheckResult",
                                            "The version record’s build number (“VersionCheck”) "
                                            "is %1, not a whole number, so it could not be "
                                            "compared.")
                    .arg(shown);
        }
        return result;
    }
    if (*build <= shippedBuild) {
        result.outcome = Outcome::None;
        return result;
    }
    result.outcome = Outcome::Newer;
    const QVariant version = record.value(QStringLiteral("Version"));
    result.version = version.typeId() == QMetaType::QString ? version.toString() : QString();
    QVariantMap rest = record;
    rest.remove(QStringLiteral("VersionCheck"));
    rest.remove(QStringLiteral("Version"));
    const qsizetype count = rest.size();
    for (int number = 1; number <= count; ++number) {
        const QVariant line = rest.value(QString::number(number));
        if (line.typeId() == QMetaType::QString)
            result.lines.append({number, line.toString()});
    }
    return result;
}

QString VersionCheckResult::lineText(const std::pair<int, QString>& line)
{
    return QString::number(line.first) + u':' + line.second;
}

QString VersionCheckResult::offerText(const QString& version, const QString& installedVersion)
{
    return QCoreApplication::translate(
               "VersionCheckResult",
               "Corvella %1 is now available-you have %2. Would you like to download it "
               "now?")
        .arg(version, installedVersion);
}
