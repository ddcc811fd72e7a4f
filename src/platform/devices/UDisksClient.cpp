#include "platform/devices/UDisksClient.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");

QString interfaceName(const char* shortName)
{
    return QStringLiteral("org.freedesktop.UDisks2.") + QLatin1StringView(shortName);
}

// udisks2 sends paths as NUL-terminated byte strings.
QByteArray bytes(const QVariant& value)
{
    QByteArray text = value.toByteArray();
    if (text.endsWith('\0'))
        text.chop(1);
    return text;
}

QList<QByteArray> byteStrings(const QVariant& value)
{
    QList<QByteArray> list;
    if (!value.canConvert<QDBusArgument>())
        return list;
    const QDBusArgument argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QByteArray item;
        argument >> item;
        if (item.endsWith('\0'))
            item.chop(1);
        list.append(item);
    }
    argument.endArray();
    return list;
}

QString objectPath(const QVariant& value)
{
    const QString path = value.value<QDBusObjectPath>().path();
    return path == u"/" ? QString() : path;
}

void fillBlock(UDisksClient::Block* block, const QString& interface, const QVariantMap& values)
{
    if (interface == interfaceName("Block")) {
        block->device = bytes(values.value(QStringLiteral("Device")));
        block->drivePath = objectPath(values.value(QStringLiteral("Drive")));
        block->idUsage = values.value(QStringLiteral("IdUsage")).toString();
        block->idType = values.value(QStringLiteral("IdType")).toString();
        block->idVersion = values.value(QStringLiteral("IdVersion")).toString();
        block->idLabel = values.value(QStringLiteral("IdLabel")).toString();
        block->idUUID = values.value(QStringLiteral("IdUUID")).toString();
        block->size = values.value(QStringLiteral("Size")).toULongLong();
        block->hintIgnore = values.value(QStringLiteral("HintIgnore")).toBool();
        block->hintSystem = values.value(QStringLiteral("HintSystem")).toBool();
        block->readOnly = values.value(QStringLiteral("ReadOnly")).toBool();
        block->cryptoBackingPath = objectPath(values.value(QStringLiteral("CryptoBackingDevice")));
    } else if (interface == interfaceName("Filesystem")) {
        block->hasFilesystem = true;
        block->mountPoints = byteStrings(values.value(QStringLiteral("MountPoints")));
    } else if (interface == interfaceName("Partition")) {
        block->partitionTablePath = objectPath(values.value(QStringLiteral("Table")));
    } else if (interface == interfaceName("PartitionTable")) {
        const auto partitions =
            qdbus_cast<QList<QDBusObjectPath>>(values.value(QStringLiteral("Partitions")));
        for (const QDBusObjectPath& partition : partitions)
            block->partitionPaths.append(partition.path());
    } else if (interface == interfaceName("Loop")) {
        block->isLoop = true;
        block->loopBackingFile = bytes(values.value(QStringLiteral("BackingFile")));
    }
}

UDisksClient::Drive driveFrom(const QString& path, const QVariantMap& values)
{
    UDisksClient::Drive drive;
    drive.objectPath = path;
    drive.connectionBus = values.value(QStringLiteral("ConnectionBus")).toString();
    drive.optical = values.value(QStringLiteral("Optical")).toBool() ||
                    values.value(QStringLiteral("MediaCompatibility"))
                            .toStringList()
                            .filter(QStringLiteral("optical"))
                            .size() > 0;
    drive.removable = values.value(QStringLiteral("Removable")).toBool() ||
                      values.value(QStringLiteral("MediaRemovable")).toBool();
    drive.ejectable = values.value(QStringLiteral("Ejectable")).toBool();
    drive.canPowerOff = values.value(QStringLiteral("CanPowerOff")).toBool();
    return drive;
}

} // namespace

const UDisksClient::Block* UDisksClient::Snapshot::blockForDevice(const QByteArray& device) const
{
    for (const Block& block : blocks) {
        if (block.device == device)
            return &block;
    }
    return nullptr;
}

const UDisksClient::Block*
UDisksClient::Snapshot::blockForMountPoint(const QByteArray& mountPoint) const
{
    for (const Block& block : blocks) {
        if (block.mountPoints.contains(mountPoint))
            return &block;
    }
    return nullptr;
}

const UDisksClient::Block*
UDisksClient::Snapshot::blockForObjectPath(const QString& objectPath) const
{
    for (const Block& block : blocks) {
        if (block.objectPath == objectPath)
            return &block;
    }
    return nullptr;
}

QList<const UDisksClient::Block*> UDisksClient::Snapshot::withPartitions(const Block& block) const
{
    QList<const Block*> members{&block};
    for (const Block& candidate : blocks) {
        // Older udisks2 releases leave PartitionTable.Partitions out; Partition.Table is always
        // there.
        if (&candidate != &block && (candidate.partitionTablePath == block.objectPath ||
                                     block.partitionPaths.contains(candidate.objectPath)))
            members.append(&candidate);
    }
    return members;
}

QList<const UDisksClient::Block*> UDisksClient::Snapshot::sameDisk(const Block& block) const
{
    const Block* disk =
        block.partitionTablePath.isEmpty() ? &block : blockForObjectPath(block.partitionTablePath);
    QList<const Block*> members = withPartitions(disk != nullptr ? *disk : block);
    if (!members.contains(&block))
        members.append(&block);
    for (const Block& candidate : blocks) {
        if (!block.drivePath.isEmpty() && candidate.drivePath == block.drivePath &&
            !members.contains(&candidate))
            members.append(&candidate);
    }
    return members;
}

bool UDisksClient::Result::isBusy() const
{
    return errorName.endsWith(u".DeviceBusy") || message.contains(u"target is busy") ||
           message.contains(u"Device or resource busy");
}

bool UDisksClient::Result::isNotAuthorized() const
{
    return errorName.contains(u"NotAuthorized");
}

UDisksClient::UDisksClient(const QDBusConnection& bus) : m_bus(bus) {}

UDisksClient::Snapshot UDisksClient::managedObjects() const
{
    Snapshot snapshot;
    if (!m_bus.isConnected()) {
        snapshot.error =
            QCoreApplication::translate("UDisksClient", "The system bus cannot be reached: %1")
                .arg(m_bus.lastError().message());
        return snapshot;
    }
    QDBusMessage request = QDBusMessage::createMethodCall(
        kService, kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
        QStringLiteral("GetManagedObjects"));
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, queryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        snapshot.error = QCoreApplication::translate("UDisksClient",
                                                     "The disk service udisks2 did not answer: %1")
                             .arg(reply.errorMessage());
        return snapshot;
    }
    // a{oa{sa{sv}}}: object path -> interface -> property -> value.
    const QDBusArgument objects = reply.arguments().constFirst().value<QDBusArgument>();
    objects.beginMap();
    while (!objects.atEnd()) {
        objects.beginMapEntry();
        QDBusObjectPath path;
        objects >> path;
        Block block;
        block.objectPath = path.path();
        bool isBlock = false;
        objects.beginMap();
        while (!objects.atEnd()) {
            objects.beginMapEntry();
            QString interface;
            QVariantMap values;
            objects >> interface >> values;
            objects.endMapEntry();
            if (interface == interfaceName("Drive"))
                snapshot.drives.insert(path.path(), driveFrom(path.path(), values));
            isBlock = isBlock || interface == interfaceName("Block");
            fillBlock(&block, interface, values);
        }
        objects.endMap();
        objects.endMapEntry();
        if (isBlock)
            snapshot.blocks.append(block);
    }
    objects.endMap();
    return snapshot;
}

UDisksClient::Result UDisksClient::call(const QString& objectPath, const QString& interface,
                                        const QString& method, const QVariantList& arguments,
                                        int timeoutMs, QVariant* answer) const
{
    QDBusMessage request = QDBusMessage::createMethodCall(kService, objectPath, interface, method);
    request.setArguments(arguments);
    request.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {false, reply.errorName(), reply.errorMessage()};
    if (answer != nullptr && !reply.arguments().isEmpty())
        *answer = reply.arguments().constFirst();
    return {true, {}, {}};
}

UDisksClient::Result UDisksClient::setLabel(const QString& blockPath, const QString& label) const
{
    return call(blockPath, interfaceName("Filesystem"), QStringLiteral("SetLabel"),
                {label, QVariantMap()}, changeTimeoutMs);
}

UDisksClient::Result UDisksClient::format(const QString& blockPath, const QString& type,
                                          const QString& label) const
{
    const QVariantMap options{{QStringLiteral("label"), label},
                              {QStringLiteral("take-ownership"), true},
                              {QStringLiteral("update-partition-type"), true},
                              {QStringLiteral("tear-down"), true}};
    return call(blockPath, interfaceName("Block"), QStringLiteral("Format"), {type, options},
                formatTimeoutMs);
}

UDisksClient::Result UDisksClient::mount(const QString& blockPath, QString* mountPoint) const
{
    QVariant answer;
    Result result = call(blockPath, interfaceName("Filesystem"), QStringLiteral("Mount"),
                         {QVariantMap()}, changeTimeoutMs, &answer);
    if (mountPoint != nullptr)
        *mountPoint = answer.toString();
    return result;
}

UDisksClient::Result UDisksClient::unmount(const QString& blockPath) const
{
    return call(blockPath, interfaceName("Filesystem"), QStringLiteral("Unmount"), {QVariantMap()},
                changeTimeoutMs);
}

UDisksClient::Result UDisksClient::ejectDrive(const QString& drivePath) const
{
    return call(drivePath, interfaceName("Drive"), QStringLiteral("Eject"), {QVariantMap()},
                changeTimeoutMs);
}

UDisksClient::Result UDisksClient::powerOffDrive(const QString& drivePath) const
{
    return call(drivePath, interfaceName("Drive"), QStringLiteral("PowerOff"), {QVariantMap()},
                changeTimeoutMs);
}

UDisksClient::Result UDisksClient::deleteLoop(const QString& blockPath) const
{
    return call(blockPath, interfaceName("Loop"), QStringLiteral("Delete"), {QVariantMap()},
                changeTimeoutMs);
}
