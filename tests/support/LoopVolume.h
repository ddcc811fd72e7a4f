#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <unistd.h>

struct ToolOutcome {
    int exitCode; // -1: did not run or did not end normally
    QString output;
};

// Runs a program to its end (at most a minute), its output and errors merged.
inline ToolOutcome runCommand(const QString& program, const QStringList& arguments)
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
// and detached again by unmount() or the destructor. Needs root, losetup, mkfs.ext4 and mount.
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
        QFile imageFile(image);
        if (!imageFile.open(QIODevice::WriteOnly) || !imageFile.resize(16 * 1024 * 1024) ||
            !QDir().mkpath(mountPoint))
            return QStringLiteral("cannot make the image or the mount point");
        imageFile.close();
        const auto step = [](const char* tool, const QStringList& arguments, QString* output) {
            const ToolOutcome outcome = runCommand(QString::fromLatin1(tool), arguments);
            *output = outcome.exitCode == 0 ? outcome.output
                                            : QString::fromLatin1(tool) + u": " + outcome.output;
            return outcome.exitCode == 0;
        };
        QString output;
        if (!step("mkfs.ext4", {QStringLiteral("-q"), QStringLiteral("-F"), image}, &output) ||
            !step("losetup", {QStringLiteral("-f"), QStringLiteral("--show"), image}, &output))
            return output;
        m_device = output;
        if (!step("mount", {m_device, mountPoint}, &output))
            return output;
        m_mountPoint = mountPoint;
        return {};
    }

    // Unmounts and detaches. False when the volume was busy: it is then detached lazily.
    bool unmount()
    {
        bool idle = true;
        if (!m_mountPoint.isEmpty() &&
            runCommand(QStringLiteral("umount"), {m_mountPoint}).exitCode != 0) {
            idle = false;
            runCommand(QStringLiteral("umount"), {QStringLiteral("-l"), m_mountPoint});
        }
        if (!m_device.isEmpty())
            runCommand(QStringLiteral("losetup"), {QStringLiteral("-d"), m_device});
        m_mountPoint.clear();
        m_device.clear();
        return idle;
    }

private:
    QString m_device;
    QString m_mountPoint;
};
