#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <unistd.h>

struct CommandOutcome {
    int exitCode; // -1: did not run or did not end normally
    QString output;
};

// Runs a program to its end (at most a minute), its output and errors merged.
inline CommandOutcome runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (!finished || process.exitStatus() != QProcess::NormalExit)
        return {-1, output.isEmpty() ? process.errorString() : output};
    return {process.exitCode(), output};
}

// A freshly made 16 MB ext4 volume on a loop device, mounted for one test case and unmounted
// and detached again by unmount() or the destructor. Needs root and losetup, mkfs.ext4, mount
// and umount.
class LoopVolume {
public:
    LoopVolume() = default;
    LoopVolume(const LoopVolume&) = delete;
    LoopVolume& operator=(const LoopVolume&) = delete;
    ~LoopVolume() { unmount(); }

    // Makes the volume in the file `image` and mounts it on `mountPoint` (made if missing).
    // Returns an empty string once mounted, else why it could not be (a reason to skip).
    QString mount(const QString& image, const QString& mountPoint)
    {
        if (::geteuid() != 0)
            return QStringLiteral("mounting a loop volume needs root");
        for (const char* name : {"losetup", "mkfs.ext4", "mount", "umount"}) {
            const QString tool = QString::fromLatin1(name);
            QString found = QStandardPaths::findExecutable(tool);
            if (found.isEmpty())
                found = QStandardPaths::findExecutable(
                    tool, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
            if (found.isEmpty())
                return tool + QStringLiteral(" is not installed");
            m_tools.insert(tool, found);
        }
        QFile imageFile(image);
        if (!imageFile.open(QIODevice::WriteOnly) || !imageFile.resize(16 * 1024 * 1024))
            return QStringLiteral("cannot make the image %1: %2")
                .arg(image, imageFile.errorString());
        imageFile.close();
        const CommandOutcome made =
            run("mkfs.ext4", {QStringLiteral("-q"), QStringLiteral("-F"), image});
        if (made.exitCode != 0)
            return QStringLiteral("mkfs.ext4 failed: ") + made.output;
        const CommandOutcome attached =
            run("losetup", {QStringLiteral("-f"), QStringLiteral("--show"), image});
        if (attached.exitCode != 0)
            return QStringLiteral("no loop device could be attached: ") + attached.output;
        m_device = attached.output;
        if (!QDir().mkpath(mountPoint))
            return QStringLiteral("cannot make the mount point ") + mountPoint;
        const CommandOutcome mounted = run("mount", {m_device, mountPoint});
        if (mounted.exitCode != 0)
            return QStringLiteral("the loop volume could not be mounted: ") + mounted.output;
        m_mountPoint = mountPoint;
        return {};
    }

    // Unmounts and detaches. False when the volume was busy: it is then detached lazily.
    bool unmount()
    {
        bool idle = true;
        if (!m_mountPoint.isEmpty() && run("umount", {m_mountPoint}).exitCode != 0) {
            idle = false;
            run("umount", {QStringLiteral("-l"), m_mountPoint});
        }
        m_mountPoint.clear();
        if (!m_device.isEmpty())
            run("losetup", {QStringLiteral("-d"), m_device});
        m_device.clear();
        return idle;
    }

    bool isMounted() const { return !m_mountPoint.isEmpty(); }

private:
    CommandOutcome run(const char* tool, const QStringList& arguments) const
    {
        return runCommand(m_tools.value(QString::fromLatin1(tool)), arguments);
    }

    QHash<QString, QString> m_tools;
    QString m_device;
    QString m_mountPoint;
};
