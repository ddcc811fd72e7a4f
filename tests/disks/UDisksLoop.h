#pragma once

#include "platform/devices/UDisksClient.h"
#include "support/LoopVolume.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

// A loop device over a fresh image (in a folder of its own) with a file system made by mkfs,
// known to udisks2 (and mounted through it when asked). Detached, with its image, when it goes.
// Only in the test environment (CORVELLA_TEST_UDISKS, as root); elsewhere problem() says so.
class UDisksLoop {
public:
    UDisksLoop(const UDisksLoop&) = delete;
    UDisksLoop& operator=(const UDisksLoop&) = delete;
    UDisksLoop(const QString& type, const QString& label)
    {
        using namespace Qt::StringLiterals;
        m_image = m_folder.filePath(type + u'-' + label + u".img");
        QFile image(m_image);
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS")) {
            m_problem = u"needs the udisks2 of the test environment (as root)"_s;
            return;
        }
        if (!image.open(QIODevice::WriteOnly) || !image.resize(40 << 20)) {
            m_problem = u"cannot make the image"_s;
            return;
        }
        image.close();
        QStringList mkfs = type == u"ext4"   ? QStringList{u"-q"_s, u"-F"_s, u"-L"_s, label}
                           : type == u"vfat" ? QStringList{u"-n"_s, label}
                                             : QStringList{u"-L"_s, label};
        if (!step(u"mkfs."_s + type, mkfs << m_image) ||
            !step(u"losetup"_s, {u"-f"_s, u"--show"_s, m_image}))
            return;
        m_device = m_output;
        // udisks2 learns of the device from udev; wait until it has probed the file system, and
        // ask udev again now and then in case the event went by before udisks2 looked.
        const QDeadlineTimer deadline(30000);
        for (int round = 0; !deadline.hasExpired() && block().idType != type; ++round) {
            if (round % 40 == 0) {
                runCommand(u"udevadm"_s,
                           {u"trigger"_s, u"--action=change"_s, u"--name-match="_s + m_device});
                runCommand(u"udevadm"_s, {u"settle"_s});
            }
            QThread::msleep(50);
        }
        if (block().idType != type)
            m_problem = u"udisks2 never saw %1 on %2"_s.arg(type, m_device);
    }
    ~UDisksLoop()
    {
        if (!m_device.isEmpty()) {
            runCommand(QStringLiteral("umount"), {m_device});
            runCommand(QStringLiteral("losetup"), {QStringLiteral("-d"), m_device});
        }
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

    QTemporaryDir m_folder;
    QString m_image;
    QString m_device;
    QString m_output;
    QString m_problem;
};
