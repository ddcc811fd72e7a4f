// corvella-cli's disk manager commands: list, rename, format, eject.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "disks/DiskDescription.h"
#include "disks/VolumeCapabilities.h"
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject toJson(const DVVolumeInfo& volume)
{
    const VolumeCapabilities can = VolumeCapabilities::of(volume);
    return {{QStringLiteral("volRefNumber"), volume.volRefNumber},
            {QStringLiteral("volType"), volume.volType},
            {QStringLiteral("bIsDefaultVol"), volume.bIsDefaultVol},
            {QStringLiteral("volumeName"), volume.volumeName},
            {QStringLiteral("volRootDir"), volume.volRootDir},
            {QStringLiteral("volumeType"), volume.volumeType},
            {QStringLiteral("bCanEject"), volume.bCanEject},
            {QStringLiteral("nTotalSize"), double(volume.nTotalSize)},
            {QStringLiteral("nFreeSize"), double(volume.nFreeSize)},
            {QStringLiteral("device"), volume.device},
            {QStringLiteral("canRename"), can.rename.allowed},
            {QStringLiteral("renameRefusal"), can.rename.reason},
            {QStringLiteral("canFormat"), can.format.allowed},
            {QStringLiteral("formatRefusal"), can.format.reason},
            {QStringLiteral("canEject"), can.eject.allowed},
            {QStringLiteral("ejectRefusal"), can.eject.reason}};
}

// The kind of a volume, a word of the plain output (translated when printed).
const char* kindName(std::int32_t kind)
{
    switch (kind) {
    case DVVolumeInfo::KindInternal:
        return QT_TRANSLATE_NOOP("CommandLine", "internal");
    case DVVolumeInfo::KindExternalBus:
        return QT_TRANSLATE_NOOP("CommandLine", "external");
    case DVVolumeInfo::KindOptical:
        return QT_TRANSLATE_NOOP("CommandLine", "optical");
    case DVVolumeInfo::KindNetwork:
        return QT_TRANSLATE_NOOP("CommandLine", "network");
    case DVVolumeInfo::KindRemovable:
        return QT_TRANSLATE_NOOP("CommandLine", "removable");
    default:
        return QT_TRANSLATE_NOOP("CommandLine", "unknown");
    }
}

// The listed volume mounted at, or made from, `volume`; an unmounted device gets a record of its
// own from udisks2.
DVVolumeInfo findVolume(const QString& volume, bool* found)
{
    VolumesInfo inventory;
    for (const DVVolumeInfo& listed : inventory.volsArray()) {
        if (listed.volRootDir == volume || listed.device == volume) {
            *found = true;
            return listed;
        }
    }
    const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
    const UDisksClient::Block* block = DiskDescription::findBlock(volume, snapshot);
    *found = block != nullptr;
    if (block == nullptr)
        return {};
    DVVolumeInfo record = VolumesInfo::volumeOfBlock(*block, snapshot);
    VolumeCapabilities::readSystemFacts(&record, snapshot, QString(), {});
    return record;
}

// Refuses, as the Disk Manager tab does, what the volume named by the user does not allow.
bool refused(const QString& operand, VolumeCapabilities::Answer VolumeCapabilities::*action,
             QTextStream& err)
{
    bool found = false;
    const DVVolumeInfo volume = findVolume(operand, &found);
    const VolumeCapabilities::Answer answer = VolumeCapabilities::of(volume).*action;
    if (found && !answer.allowed)
        err << "corvella-cli: " << answer.reason << Qt::endl;
    return found && !answer.allowed;
}

} // namespace

namespace {

int report(const VolumeOperationOutcome& outcome, QTextStream& out, QTextStream& err)
{
    if (!outcome.succeeded) {
        err << "corvella-cli: " << outcome.message << Qt::endl;
        return 1;
    }
    out << outcome.message << Qt::endl;
    return 0;
}

} // namespace

int CommandLine::disks(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("disks takes --json, rename, format or eject"));
    VolumesInfo inventory;
    QList<DVVolumeInfo> volumes = inventory.volsArray();
    for (DVVolumeInfo& volume : volumes)
        volume.volumeType = DiskDescription::filesystemName(volume.fileSystemType);
    if (arguments.json()) {
        QJsonArray list;
        for (const DVVolumeInfo& volume : volumes)
            list.append(toJson(volume));
        printJson(list);
        return 0;
    }
    for (const DVVolumeInfo& volume : volumes) {
        m_out << volume.volumeName << "\t" << volume.volRootDir << "\t" << volume.device << "\t"
              << volume.volumeType << "\t" << tr(kindName(volume.volType)) << "\t"
              << tr("%1 free of %2").arg(volume.freeSpace, volume.totalSpace)
              << (VolumeCapabilities::of(volume).eject.allowed ? u'\t' + tr("ejectable")
                                                               : QString())
              << Qt::endl;
    }
    return 0;
}

int CommandLine::disksRename(const CommandLineArguments& arguments)
{
    const QStringList& operands = arguments.operands();
    if (operands.size() != 2)
        return usage(tr("disks rename takes VOLUME NAME"));
    if (refused(operands.at(0), &VolumeCapabilities::rename, m_err))
        return 1;
    return report(VolumesManager().renameDiskWithGuid(operands.at(0), operands.at(1)), m_out,
                  m_err);
}

int CommandLine::disksEject(const CommandLineArguments& arguments)
{
    const QStringList& operands = arguments.operands();
    if (operands.size() != 1)
        return usage(tr("disks eject takes one VOLUME"));
    bool found = false;
    const DVVolumeInfo volume = findVolume(operands.at(0), &found);
    if (!found) {
        m_err << "corvella-cli: " << tr("no volume “%1” was found").arg(operands.at(0)) << Qt::endl;
        return 1;
    }
    return report(VolumesManager().ejectSingleVolume(volume), m_out, m_err);
}

int CommandLine::disksFormat(const CommandLineArguments& arguments)
{
    const QStringList& operands = arguments.operands();
    if (operands.size() != 1)
        return usage(tr("disks format takes VOLUME --type exfat|fat32|ext4 "
                        "[--name NAME] --yes"));
    const QString volume = operands.at(0);
    const QString type = arguments.value("type");
    static const QStringList choices{QStringLiteral("exfat"), QStringLiteral("fat32"),
                                     QStringLiteral("ext4")};
    if (!choices.contains(type))
        return usage(tr("disks format needs VOLUME and --type exfat|fat32|ext4"));
    if (refused(volume, &VolumeCapabilities::format, m_err))
        return 1;
    if (!arguments.isSet("yes")) {
        m_err << "corvella-cli: "
              << tr("formatting erases everything on “%1”; add --yes to do it").arg(volume)
              << Qt::endl;
        return 1;
    }
    const VolumesManager::FormatRequest request =
        VolumesManager::formatRequest(QString(), type, arguments.value("name"));
    if (!request.error.isEmpty()) {
        m_err << "corvella-cli: " << request.error << Qt::endl;
        return 1;
    }
    return report(VolumesManager().format(volume, request.type, request.label), m_out, m_err);
}
