#include "trash/TrashAction.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "trash/FullDiskAccessAuthorizer.h"

#include <QMetaObject>

#include <algorithm>

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
    return tr("Empty Trash");
}

QString TrashAction::notificationText(const TrashCleaner::Result& result)
{
    const QString freed = SizeModeSetting::figure(result.bytesFreed, result.sizeMode);
    const bool removedSome = result.itemsRemoved > 0 || result.bytesFreed > 0;
    if (result.stopped) {
        return tr("Stopped emptying the Trash: %n item(s) removed (%1 freed); the rest is still "
                  "in the Trash.",
                  nullptr, result.itemsRemoved)
            .arg(freed);
    }
    if (result.failures == 0) {
        return removedSome ? tr("Emptied the Trash: %n item(s) removed, %1 freed.", nullptr,
                                result.itemsRemoved)
                                 .arg(freed)
                           : tr("The Trash was already empty.");
    }
    if (!removedSome) {
        return tr("The Trash could not be emptied: %n item(s) could not be removed. %1", nullptr,
                  result.failures)
            .arg(result.firstError);
    }
    return tr("Emptied the Trash (%1 freed), but %n item(s) could not be removed: %2", nullptr,
              result.failures)
        .arg(freed, result.firstError);
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

void TrashAction::stop()
{
    if (!m_running)
        return;
    m_stop = true;
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
        int shown = -1;
        const auto progress = [this, &shown](std::uint64_t removed, std::uint64_t total) {
            const int percent =
                int(std::min<std::uint64_t>(99, removed * 100 / std::max<std::uint64_t>(total, 1)));
            if (percent == shown)
                return;
            shown = percent;
            BackgroundTask::onGuiThread(this, [this, percent] {
                if (m_running)
                    Q_EMIT progressChanged(percent);
            });
        };
        const TrashCleaner::Result result = cleaner.emptyAll(&m_stop, progress);
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
