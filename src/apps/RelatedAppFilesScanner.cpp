#include "apps/RelatedAppFilesScanner.h"

#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/DesktopEntryIndex.h"
#include "platform/xdg/DesktopExec.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(appsLog, "corvella.apps")

namespace {

// Records handed to the sink at a time: the view sorts once per batch.
constexpr qsizetype batchSize = 128;

bool isProgramFound(const QString& program)
{
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

RelatedAppFilesScanner::RelatedAppFilesScanner(XdgBaseFolders folders, QStringList locales)
    : m_folders(std::move(folders)), m_locales(std::move(locales))
{}

QList<AMAppItem> RelatedAppFilesScanner::getApplications(const BatchSink& sink,
                                                         const std::atomic_bool* cancelled)
{
    m_sink = sink;
    DesktopEntryIndex(m_folders).walk(
        [this](int folder, const QByteArray& name, const QString& path, const QString& bundleID,
               bool inUserFolder) {
            QDateTime date;
            const DesktopEntry desktopEntry = DesktopEntry::loadAt(folder, name.constData(), &date);
            QString reason;
            AMAppItem item = constructItem(desktopEntry, path, bundleID, !inUserFolder, &reason);
            item.date = date;
            if (!reason.isEmpty()) {
                // A malformed entry takes no ID: a later entry of it may still count.
                m_skipped.append(path + QStringLiteral(": ") + reason);
                qCInfo(appsLog, "Skipped the desktop entry %s: %s", qUtf8Printable(path),
                       qUtf8Printable(reason));
                return false;
            }
            if (!item.path.isEmpty()) {
                m_all.append(item);
                m_batch.append(std::move(item));
                deliver(false);
            }
            return true;
        },
        cancelled);
    deliver(true);
    return m_all;
}

void RelatedAppFilesScanner::deliver(bool force)
{
    if (m_batch.isEmpty() || (!force && m_batch.size() < batchSize))
        return;
    if (m_sink)
        m_sink(m_batch);
    m_batch.clear();
}

AMAppItem RelatedAppFilesScanner::constructItem(const DesktopEntry& entry, const QString& path,
                                                const QString& bundleID, bool isSystem,
                                                QString* reason) const
{
    *reason = entry.incompleteReason();
    if (!reason->isEmpty())
        return {};
    if (entry.value(QStringLiteral("Type")) != u"Application" ||
        entry.booleanValue(QStringLiteral("Hidden")) ||
        entry.booleanValue(QStringLiteral("NoDisplay")))
        return {};
    const QString tryExec = entry.value(QStringLiteral("TryExec"));
    if (!tryExec.isEmpty() && !isProgramFound(tryExec))
        return {};
    if (!entry.isShownIn(m_folders.currentDesktops()))
        return {};
    // The program the entry would run must exist, as launching looks it up (an entry started
    // only over D-Bus may have no Exec at all).
    if (const QString exec = entry.value(QStringLiteral("Exec")); !exec.isEmpty()) {
        const QStringList arguments = DesktopExec::split(exec, reason);
        if (!reason->isEmpty()) {
            *reason = QStringLiteral("malformed Exec key (%1)").arg(*reason);
            return {};
        }
        if (!isProgramFound(arguments.first()))
            return {};
    }
    return AMAppItem(entry.value(QStringLiteral("Icon")),
                     entry.localizedValue(QStringLiteral("Name"), m_locales), path, bundleID,
                     entry.value(QStringLiteral("X-AppImage-Version")), QDateTime(),
                     isSystem ? QStringLiteral("YES") : QStringLiteral("NO"),
                     QStringLiteral("0KB"));
}
