#pragma once

#include "platform/devices/UDisksClient.h"
#include "support/LoopVolume.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>
#include <sys/sysmacros.h>

// A loop device over a fresh image (in a folder of its own) with a file system made by mkfs,
// known to udisks2 (and mounted through it when asked); detached, with its image, when it goes.
// `node` names the loop device (made if missing) instead of the first free one; `partitioned`
// (ext4 only) puts the file system in a partition, which device() then names.
// Only in the test environment (CORVELLA_TEST_UDISKS, as root); elsewhere problem() says so.
class UDisksLoop {
public:
    UDisksLoop(const UDisksLoop&) = delete;
    UDisksLoop& operator=(const UDisksLoop&) = delete;
    UDisksLoop(const QString& type, const QString& label, const QString& node = {},
               bool partitioned = false)
    {
        using namespace Qt::StringLiterals;
        m_image = m_folder.filePath(type + u'-' + label + u".img");
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS")) {
            m_problem = u"needs the udisks2 of the test environment (as root)"_s;
            return;
        }
        if (!step(u"truncate"_s, {u"-s"_s, u"40M"_s, m_image}))
            return;
        QStringList mkfs = type == u"ext4"   ? QStringList{u"-q"_s, u"-F"_s, u"-L"_s, label}
                           : type == u"vfat" ? QStringList{u"-n"_s, label}
                                             : QStringList{u"-L"_s, label};
        mkfs << m_image;
        // One partition, which sfdisk puts at 1 MiB: its file system is made there in the image.
        if (partitioned) {
            if (!step(u"sh"_s, {u"-c"_s, u"echo ,,L | sfdisk -q -X dos \"$0\""_s, m_image}))
                return;
            mkfs = QStringList{u"-E"_s, u"offset=1048576"_s} + mkfs + QStringList{u"39M"_s};
        }
        if (!node.isEmpty() && ::mknod(QFile::encodeName(node).constData(), S_IFBLK | 0660,
                                       makedev(7, node.mid(9).toUInt())) == 0)
            m_madeNode = node;
        if (!step(u"mkfs."_s + type, mkfs) ||
            !step(u"losetup"_s, node.isEmpty() ? QStringList{u"-f"_s, u"--show"_s, m_image}
                                               : QStringList{u"-P"_s, node, m_image}))
            return;
        m_loop = node.isEmpty() ? m_output : node;
        m_device = partitioned ? m_loop + u"p1" : m_loop;
        if (partitioned) // some kernels skip the scan -P asks for (fails if it did not)
            runCommand(u"partx"_s, {u"-a"_s, m_loop});
        // udisks2 learns of the device from udev: ask udev again now and then, in case the event
        // went by before udisks2 looked, until udisks2 has probed the file system.
        for (int round = 0; round < 15 && block().idType != type; ++round) {
            runCommand(u"udevadm"_s, {u"trigger"_s, u"--action=change"_s,
                                      u"--name-match="_s + m_loop, u"--name-match="_s + m_device});
            runCommand(u"udevadm"_s, {u"settle"_s});
            for (const QDeadlineTimer wait(2000); !wait.hasExpired() && block().idType != type;)
                QThread::msleep(50);
        }
        if (block().idType != type)
            m_problem = u"udisks2 never saw %1 on %2"_s.arg(type, m_device);
    }
    ~UDisksLoop()
    {
        if (!m_loop.isEmpty()) {
            runCommand(QStringLiteral("umount"), {m_device});
            runCommand(QStringLiteral("losetup"), {QStringLiteral("-d"), m_loop});
        }
        if (!m_madeNode.isEmpty())
            QFile::remove(m_madeNode);
    }

    // Empty when the volume is ready, else why not (a reason to skip).
    QString problem() const { return m_problem; }
    QString device() const { return m_device; }

    UDisksClient::Block block() const
    {
        const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
        const UDisksClient::Block* found = snapshot.blockForDevice(QFile::encodeName(m_device));
        return found != nullptr ? *found : UDisksClient::Block{};
    }

    // Mounts through udisks2; answers the mount point, empty on failure.
    QString mount()
    {
        QString mountPoint;
        return UDisksClient().mount(block().objectPath, &mountPoint).succeeded ? mountPoint
                                                                               : QString();
    }

    // What blkid reads from the device now.
    QString blkid(const char* tag) const
    {
        return runCommand(QStringLiteral("blkid"),
                          {QStringLiteral("-p"), QStringLiteral("-s"), QLatin1StringView(tag),
                           QStringLiteral("-o"), QStringLiteral("value"), m_device})
            .output;
    }

    bool isAttached() const
    {
        return runCommand(QStringLiteral("losetup"), {QStringLiteral("-j"), m_image})
            .output.contains(m_loop);
    }

private:
    bool step(const QString& program, const QStringList& arguments)
    {
        const ToolOutcome outcome = runCommand(program, arguments);
        m_output = outcome.output;
        if (outcome.exitCode != 0)
            m_problem = program + u": " + outcome.output;
        return outcome.exitCode == 0;
    }

    QTemporaryDir m_folder;
    QString m_image;
    QString m_loop;     // the loop device
    QString m_device;   // the file system's: the loop device or its partition
    QString m_madeNode; // a device node made for `node`, removed again
    QString m_output;
    QString m_problem;
};
