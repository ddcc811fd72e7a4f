#include "apps/ApplicationCatalogue.h"

#include "apps/RelatedAppFilesScanner.h"
#include "platform/xdg/DesktopEntry.h"

#include <QCoreApplication>
#include <QThreadPool>

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
    const std::shared_ptr<std::atomic_bool> cancelled = m_cancelled;
    const QStringList locales = DesktopEntry::preferredLocales();
    QThreadPool::globalInstance()->start([this, cancelled, folders, locales] {
        // Runs the call on the main thread, unless the catalogue has gone by then; the pointer is
        // only touched there, where the destructor runs.
        const auto post = [cancelled](std::function<void()> call) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [cancelled, call = std::move(call)] {
                    if (!cancelled->load())
                        call();
                },
                Qt::QueuedConnection);
        };
        RelatedAppFilesScanner scanner(folders, locales);
        scanner.getApplications(
            [&](const QList<AMAppItem>& batch) {
                post([this, batch] { Q_EMIT batchFound(batch); });
            },
            cancelled.get());
        post([this] {
            m_scanning = false;
            Q_EMIT scanFinished();
        });
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
