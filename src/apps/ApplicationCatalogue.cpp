#include "apps/ApplicationCatalogue.h"

#include "apps/RelatedAppFilesScanner.h"
#include "common/BackgroundTask.h"
#include "platform/xdg/DesktopEntry.h"

#include <QPointer>

#include <algorithm>

ApplicationCatalogue::ApplicationCatalogue(QObject* parent) : QObject(parent) {}

ApplicationCatalogue::~ApplicationCatalogue()
{
    if (m_cancelled)
        m_cancelled->store(true);
}

void ApplicationCatalogue::getApplications(const XdgBaseFolders& folders)
{
    if (m_scanning)
        return;
    m_scanning = true;
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    // The guard is taken here, on the GUI thread; each batch is dropped once the catalogue has
    // gone.
    const QPointer<QObject> guard(this);
    BackgroundTask::run(
        this,
        [guard, this, cancelled = m_cancelled, folders,
         locales = DesktopEntry::preferredLocales()] {
            RelatedAppFilesScanner scanner(folders, locales);
            scanner.getApplications(
                [&](const QList<AMAppItem>& batch) {
                    BackgroundTask::onGuiThread(guard, [this, batch] { Q_EMIT batchFound(batch); });
                },
                cancelled.get());
        },
        [this] {
            m_scanning = false;
            Q_EMIT scanFinished();
        });
}

void ApplicationCatalogue::sortByName(QList<AMAppItem>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const AMAppItem& a, const AMAppItem& b) {
        return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
    });
}

QList<AMAppItem> ApplicationCatalogue::search(const QList<AMAppItem>& items, const QString& text)
{
    if (text.isEmpty() || text == u" ")
        return items;
    const QString wanted = text.toUpper();
    QList<AMAppItem> found;
    for (const AMAppItem& item : items) {
        if (item.name.toUpper().contains(wanted))
            found.append(item);
    }
    return found;
}
