// corvella-cli's disk manager commands: list, rename, format, eject.
#include "app/cli/CommandLine.h"
#include "disks/DiskDescription.h"
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject toJson(const DVVolumeInfo& volume)
{
    return {{QStringLiteral("volRefNumber"), volume.volRefNumber},
            {QStringLiteral("volType"), volume.volType},
            {QStringLiteral("bIsDefaultVol"), volume.bIsDefaultVol},
            {QStringLiteral("volumeName"), volume.volumeName},
            {QStringLiteral("volRootDir"), volume.volRootDir},
            {QStringLiteral("volumeType"), volume.volumeType},
            {QStringLiteral("bCanEject"), volume.bCanEject},
            {QStringLiteral("nTotalSize"), double(volume.nTotalSize)},
            {QStringLiteral("nFreeSize"), double(volume.nFreeSize)},
            {QStringLiteral("device"), volume.device}};
}

const char* kindName(std::int32_t kind)
{
    switch (kind) {
    case DVVolumeInfo::KindInternal:
        return "internal";
    case DVVolumeInfo::KindExternalBus:
        return "external";
    case DVVolumeInfo::KindOptical:
        return "optical";
    case DVVolumeInfo::KindNetwork:
        return "network";
    case DVVolumeInfo::KindRemovable:
        return "removable";
    default:
        return "unknown";
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
    DVVolumeInfo record;
    if (block != nullptr) {
        record.device = QFile::decodeName(block->device);
        record.blockObjectPath = block->objectPath;
        record.volumeName = block->idLabel.isEmpty() ? record.device : block->idLabel;
    }
    return record;
}

} // namespace

int CommandLine::disks(const QStringList& arguments)
{
    const QString verb = arguments.value(0);
    const auto report = [this](const VolumeOperationOutcome& outcome) {
        if (!outcome.succeeded) {
            m_err << "corvella-cli: " << outcome.message << Qt::endl;
            return 1;
        }
        m_out << outcome.message << Qt::endl;
        return 0;
    };
    if (arguments.isEmpty() || arguments == QStringList{QStringLiteral("--json")}) {
        VolumesInfo inventory;
        QList<DVVolumeInfo> volumes = inventory.volsArray();
        for (DVVolumeInfo& volume : volumes)
            volume.volumeType = DiskDescription::filesystemName(volume.fileSystemType);
        if (!arguments.isEmpty()) {
            QJsonArray list;
            for (const DVVolumeInfo& volume : volumes)
                list.append(toJson(volume));
            m_out << QJsonDocument(list).toJson(QJsonDocument::Indented);
            return 0;
        }
        for (const DVVolumeInfo& volume : volumes) {
            m_out << volume.volumeName << "\t" << volume.volRootDir << "\t" << volume.device << "\t"
                  << volume.volumeType << "\t" << kindName(volume.volType) << "\t"
                  << volume.freeSpace << " free of " << volume.totalSpace
                  << (volume.bCanEject ? "\tejectable" : "") << Qt::endl;
        }
        return 0;
    }
    if (verb == u"rename") {
        if (arguments.size() != 3)
            return usage(QStringLiteral("disks rename takes VOLUME NAME"));
        return report(VolumesManager().renameDiskWithGuid(arguments.at(1), arguments.at(2)));
    }
    if (verb == u"eject") {
        if (arguments.size() != 2)
            return usage(QStringLiteral("disks eject takes one VOLUME"));
        bool found = false;
        const DVVolumeInfo volume = findVolume(arguments.at(1), &found);
        if (!found) {
            m_err << "corvella-cli: no volume “" << arguments.at(1) << "” was found" << Qt::endl;
            return 1;
        }
        return report(VolumesManager().ejectSingleVolume(volume));
    }
    if (verb == u"format") {
        QString volume;
        QString type;
        QString name;
        bool confirmed = false;
        for (qsizetype index = 1; index < arguments.size(); ++index) {
            const QString& argument = arguments.at(index);
            if ((argument == u"--type" || argument == u"--name") && index + 1 < arguments.size())
                (argument == u"--type" ? type : name) = arguments.at(++index);
            else if (argument == u"--yes")
                confirmed = true;
            else if (volume.isEmpty() && !argument.startsWith(u"--"))
                volume = argument;
            else
                return usage(QStringLiteral("disks format takes VOLUME --type exfat|fat32|ext4 "
                                            "[--name NAME] --yes"));
        }
        static const QStringList choices{QStringLiteral("exfat"), QStringLiteral("fat32"),
                                         QStringLiteral("ext4")};
        if (volume.isEmpty() || !choices.contains(type))
            return usage(QStringLiteral("disks format needs VOLUME and --type exfat|fat32|ext4"));
        if (!confirmed) {
            m_err << "corvella-cli: formatting erases everything on “" << volume
                  << "”; add --yes to do it" << Qt::endl;
            return 1;
        }
        const VolumesManager::FormatRequest request =
            VolumesManager::formatRequest(QString(), type, name);
        if (!request.error.isEmpty()) {
            m_err << "corvella-cli: " << request.error << Qt::endl;
            return 1;
        }
        return report(VolumesManager().format(volume, request.type, request.label));
    }
    return usage(QStringLiteral("disks takes --json, rename, format or eject"));
}
