#include "trash/TrashAction.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "trash/FullDiskAccessAuthorizer.h"

#include <QMetaObject>

TrashAction::TrashAction(QObject* parent)
    : QObject(parent), m_authorizer(FullDiskAccessAuthorizer::sharedInstance()),
      m_systemVersion(PublicUtilities::getSystemVersion())
{}

TrashAction::TrashAction(const TrashCleaner& cleaner, const FullDiskAccessAuthorizer* authorizer,
                         const DesktopNotifier& notifier, int systemVersion, QObject* parent)
    : QObject(parent), m_cleaner(cleaner), m_authorizer(authorizer), m_notifier(notifier),
      m_systemVersion(systemVersion)
{}

TrashAction::~TrashAction()
{
    m_stop = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

bool TrashAction::needsAccessPrompt() const
{
    return m_authorizer->isSandboxed() &&
           m_authorizer->authorizationStatus() != FullDiskAccessAuthorizer::Authorized &&
           m_systemVersion >= FullDiskAccessAuthorizer::accessCheckVersion;
}

QString TrashAction::notificationSummary()
{
    return QStringLiteral("Empty Trash");
}

QString TrashAction::notificationText(const TrashCleaner::Result& result)
{
    const QString freed = SizeModeSetting::figure(result.bytesFreed, result.sizeMode);
    const bool removedSome = result.itemsRemoved > 0 || result.bytesFreed > 0;
    if (result.failures == 0) {
        return removedSome ? QStringLiteral("Emptied the Trash: %1 freed.").arg(freed)
                           : QStringLiteral("The Trash was already empty.");
    }
    const QString items = PublicUtilities::itemCount(result.failures);
    if (!removedSome) {
        return QStringLiteral("The Trash could not be emptied: %1 could not be removed. %2")
            .arg(items, result.firstError);
    }
    return QStringLiteral("Emptied the Trash (%1 freed), but %2 could not be removed: %3")
        .arg(freed, items, result.firstError);
}

void TrashAction::measureTrash()
{
    if (m_running)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_running = true;
    const TrashCleaner cleaner = m_cleaner.value_or(TrashCleaner::forCurrentUser());
    m_worker = std::thread([this, cleaner] {
        const TrashCleaner::Contents contents = cleaner.measure();
        BackgroundTask::onGuiThread(this, [this, contents] {
            m_worker.join();
            m_running = false;
            Q_EMIT measured(contents);
        });
    });
}

void TrashAction::emptyTrash()
{
    if (m_running) {
        return;
    }
    if (needsAccessPrompt()) {
        Q_EMIT accessPromptNeeded();
        return;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_running = true;
    m_stop = false;
    const TrashCleaner cleaner = m_cleaner.value_or(TrashCleaner::forCurrentUser());
    m_worker = std::thread([this, cleaner, notifier = m_notifier] {
        const TrashCleaner::Result result = cleaner.emptyAll(&m_stop);
        QString notificationError;
        if (!m_stop) {
            notificationError = notifier.notify(notificationSummary(), notificationText(result));
        }
        BackgroundTask::onGuiThread(this, [this, result, notificationError] {
            m_worker.join();
            m_running = false;
            if (!notificationError.isEmpty()) {
                qWarning().noquote() << notificationError;
                Q_EMIT notificationFailed(notificationError);
            }
            Q_EMIT finished(result);
        });
    });
}
