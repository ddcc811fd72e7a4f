#include "platform/MachineInfo.h"

#include <QDir>
#include <QFile>

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
