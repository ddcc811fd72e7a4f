#include "platform/devices/MachineInfo.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

namespace {

// Attribute files of sysfs are small and report a size of 4096 whatever they hold.
constexpr qint64 attributeSizeLimit = 4096;

std::optional<QByteArray> readAttribute(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray content = file.read(attributeSizeLimit);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return content;
}

// Whole small text files of /proc and /etc.
std::optional<QByteArray> readText(const QString& path, qint64 limit = 1 << 20)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

// The value of the first "key : value" line of /proc/cpuinfo with this key.
QString cpuinfoValue(const QByteArray& cpuinfo, const QByteArray& key)
{
    for (const QByteArray& line : cpuinfo.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed() == key)
            return QString::fromUtf8(line.mid(colon + 1)).trimmed();
    }
    return {};
}

// The "vvvv  Vendor" and "\tdddd  Device" names of the PCI ID database.
std::pair<QString, QString> pciNames(const QString& databasePath, const QString& vendor,
                                     const QString& device)
{
    QFile file(databasePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString vendorName;
    QString deviceName;
    bool inVendor = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(4096);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.at(0) != '\t') {
            if (inVendor)
                break;
            if (QString::fromLatin1(line.left(4)).toLower() == vendor) {
                inVendor = true;
                vendorName = QString::fromUtf8(line.mid(4)).trimmed();
            }
            continue;
        }
        if (inVendor && line.size() > 5 && line.at(1) != '\t' &&
            QString::fromLatin1(line.mid(1, 4)).toLower() == device) {
            deviceName = QString::fromUtf8(line.mid(5)).trimmed();
            break;
        }
    }
    return {vendorName, deviceName};
}

} // namespace

MachineInfo::MachineInfo(QString rootPath) : m_rootPath(std::move(rootPath)) {}

QString MachineInfo::productName() const
{
    const QDir root(m_rootPath);
    const auto content =
        readAttribute(root.filePath(QStringLiteral("sys/class/dmi/id/product_name")));
    return content ? QString::fromUtf8(*content).trimmed() : QString();
}

bool MachineInfo::hasBacklight() const
{
    // The entries are symbolic links into the device tree, so links must be followed here.
    const QDir backlights(QDir(m_rootPath).filePath(QStringLiteral("sys/class/backlight")));
    const QStringList devices = backlights.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& device : devices) {
        const auto content =
            readAttribute(backlights.filePath(device + QStringLiteral("/max_brightness")));
        if (!content) {
            continue;
        }
        bool isNumber = false;
        const qlonglong maximum = content->trimmed().toLongLong(&isNumber);
        if (isNumber && maximum > 0) {
            return true;
        }
    }
    return false;
}

QString MachineInfo::dmiAttribute(const QString& name) const
{
    const auto content =
        readAttribute(QDir(m_rootPath).filePath(QStringLiteral("sys/class/dmi/id/") + name));
    return content ? QString::fromUtf8(*content).trimmed() : QString();
}

QMap<QString, QString> MachineInfo::osRelease() const
{
    const QDir root(m_rootPath);
    auto content = readText(root.filePath(QStringLiteral("etc/os-release")));
    if (!content)
        content = readText(root.filePath(QStringLiteral("usr/lib/os-release")));
    QMap<QString, QString> values;
    if (!content)
        return values;
    for (const QByteArray& rawLine : content->split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'#') || equals <= 0)
            continue;
        QString value = line.mid(equals + 1);
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
        values.insert(line.left(equals), value);
    }
    return values;
}

QString MachineInfo::processorName() const
{
    const QDir root(m_rootPath);
    if (const auto cpuinfo = readText(root.filePath(QStringLiteral("proc/cpuinfo")))) {
        const QString model = cpuinfoValue(*cpuinfo, "model name");
        if (!model.isEmpty())
            return model;
    }
    if (const auto model = readText(root.filePath(QStringLiteral("proc/device-tree/model")), 4096))
        return QString::fromUtf8(QByteArray(*model).replace('\0', ' ')).trimmed();
    return {};
}

quint64 MachineInfo::processorFrequency() const
{
    const auto cpuinfo = readText(QDir(m_rootPath).filePath(QStringLiteral("proc/cpuinfo")));
    return cpuinfo ? quint64(cpuinfoValue(*cpuinfo, "cpu MHz").toDouble() * 1e6) : 0;
}

QList<std::pair<int, int>> MachineInfo::processorIdentifiers() const
{
    QList<std::pair<int, int>> processors;
    const auto cpuinfo = readText(QDir(m_rootPath).filePath(QStringLiteral("proc/cpuinfo")));
    if (!cpuinfo)
        return processors;
    for (const QByteArray& line : cpuinfo->split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray key = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (key == "processor")
            processors.append({value.toInt(), -1});
        else if (key == "apicid" && !processors.isEmpty())
            processors.back().second = value.toInt();
    }
    return processors;
}

qint64 MachineInfo::memoryTotal() const
{
    const auto meminfo = readText(QDir(m_rootPath).filePath(QStringLiteral("proc/meminfo")));
    if (!meminfo)
        return -1;
    for (const QByteArray& line : meminfo->split('\n')) {
        if (!line.startsWith("MemTotal:"))
            continue;
        const QList<QByteArray> fields = line.mid(9).simplified().split(' ');
        bool isNumber = false;
        const qint64 kibibytes = fields.value(0).toLongLong(&isNumber);
        return isNumber ? kibibytes * 1024 : -1;
    }
    return -1;
}

QString MachineInfo::graphicsAdapter() const
{
    const QDir root(m_rootPath);
    const QDir drm(root.filePath(QStringLiteral("sys/class/drm")));
    QStringList cards =
        drm.entryList({QStringLiteral("card*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    cards.erase(std::remove_if(cards.begin(), cards.end(),
                               [](const QString& card) { return card.contains(u'-'); }),
                cards.end());
    for (const QString& card : cards) {
        const auto vendor = readAttribute(drm.filePath(card + QStringLiteral("/device/vendor")));
        const auto device = readAttribute(drm.filePath(card + QStringLiteral("/device/device")));
        if (!vendor || !device)
            continue;
        const QString vendorId = QString::fromLatin1(vendor->trimmed()).toLower();
        const QString deviceId = QString::fromLatin1(device->trimmed()).toLower();
        const auto stripped = [](const QString& id) {
            return id.startsWith(QStringLiteral("0x")) ? id.mid(2) : id;
        };
        for (const char* database : {"usr/share/misc/pci.ids", "usr/share/hwdata/pci.ids"}) {
            const auto [vendorName, deviceName] =
                pciNames(root.filePath(QString::fromLatin1(database)), stripped(vendorId),
                         stripped(deviceId));
            if (!vendorName.isEmpty())
                return deviceName.isEmpty() ? vendorName + u' ' + deviceId
                                            : vendorName + u' ' + deviceName;
        }
        return vendorId + u' ' + deviceId;
    }
    return {};
}
