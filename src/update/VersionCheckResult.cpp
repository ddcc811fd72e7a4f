#include "update/VersionCheckResult.h"

#include <limits>

qint32 VersionCheckResult::buildNumber(const QVariant& value)
{
    bool isNumber = false;
    qint64 number = 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        number = qint64(std::clamp(value.toDouble(), -2147483648.0, 2147483647.0));
        isNumber = true;
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        number = value.toString().trimmed().toLongLong(&isNumber);
        break;
    case QMetaType::Bool:
        break;
    default:
        number = value.toLongLong(&isNumber);
        break;
    }
    if (!isNumber)
        return 0;
    return qint32(std::clamp<qint64>(number, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

VersionCheckResult VersionCheckResult::evaluate(const QVariantMap& record, qint32 shippedBuild)
{
    VersionCheckResult result;
    if (buildNumber(record.value(QStringLiteral("VersionCheck"))) <= shippedBuild) {
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
    return QStringLiteral("Corvella %1 is now available-you have %2. Would you like to download it "
                          "now?")
        .arg(version, installedVersion);
}
