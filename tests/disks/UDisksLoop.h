#pragma once

#include "platform/devices/UDisksClient.h"
#include "support/LoopVolume.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

// A loop device over a fresh image with a file system made by mkfs, known to udisks2 (and
// mounted through it when asked). Detached, with its image, when it goes.
class UDisksLoop {
public:
    UDisksLoop(const UDisksLoop&) = delete;
    UDisksLoop& operator=(const UDisksLoop&) = delete;
    UDisksLoop(const QString& folder, const QString& type, const QString& label)
    {
        m_image = folder + u'/' + type + u'-' + label + u".img";
        QFile image(m_image);
        if (!image.open(QIODevice::WriteOnly) || !image.resize(40 << 20)) {
            m_problem = QStringLiteral("cannot make the image");
            return;
        }
        image.close();
        const QStringList mkfs =
            type == u"ext4" ? QStringList{QStringLiteral("mkfs.ext4"), QStringLiteral("-q"),
                                          QStringLiteral("-F"), QStringLiteral("-L"), label}
            : type == u"vfat"
                ? QStringList{QStringLiteral("mkfs.vfat"), QStringLiteral("-n"), label}
                : QStringList{QStringLiteral("mkfs.exfat"), QStringLiteral("-L"), label};
        if (!step(mkfs.first(), mkfs.mid(1) << m_image) ||
            !step(QStringLiteral("losetup"),
                  {QStringLiteral("-f"), QStringLiteral("--show"), m_image}))
            return;
        m_device = m_output;
        // udisks2 learns of the device from udev; wait until it has probed the file system, and
        // ask udev again now and then in case the event went by before udisks2 looked.
        const QDeadlineTimer deadline(30000);
        for (int round = 0; !deadline.hasExpired() && block().idType != type; ++round) {
            if (round % 40 == 0) {
                runCommand(QStringLiteral("udevadm"),
                           {QStringLiteral("trigger"), QStringLiteral("--action=change"),
                            QStringLiteral("--name-match=") + m_device});
                runCommand(QStringLiteral("udevadm"), {QStringLiteral("settle")});
            }
            QThread::msleep(50);
        }
        if (block().idType != type)
            m_problem = QStringLiteral("udisks2 never saw %1 on %2").arg(type, m_device);
    }
    ~UDisksLoop()
    {
        if (!m_device.isEmpty()) {
            runCommand(QStringLiteral("umount"), {m_device});
            runCommand(QStringLiteral("losetup"), {QStringLiteral("-d"), m_device});
        }
        QFile::remove(m_image);
    }

    // Empty when the volume is ready, else why not (a reason to skip).
    QString problem() const { return m_problem; }
    QString device() const { return m_device; }
    QString image() const { return m_image; }

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
        if (!UDisksClient().mount(block().objectPath, &mountPoint).succeeded)
            return {};
        return mountPoint;
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
            .output.contains(m_device);
    }

private:
    bool step(const QString& program, const QStringList& arguments)
    {
        const CommandOutcome outcome = runCommand(program, arguments);
        m_output = outcome.output;
        if (outcome.exitCode != 0)
            m_problem = program + u": " + outcome.output;
        return outcome.exitCode == 0;
    }

    QString m_image;
    QString m_device;
    QString m_output;
    QString m_problem;
};
