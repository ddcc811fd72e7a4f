#include "platform/PowerService.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

void PowerService::watch(const QDBusPendingCall& call, PowerAction action,
                         std::function<QString(const QDBusError&)> describe,
                         std::function<void(const QDBusMessage&)> onSuccess)
{
    const auto settle = [this, action, describe = std::move(describe),
                         onSuccess = std::move(onSuccess)](const QDBusPendingCall& done) {
        if (done.isError()) {
            Q_EMIT finished(action, describe(done.error()));
            return;
        }
        onSuccess(done.reply());
    };
    if (call.isFinished()) {
        // A call that never left gets no watcher signal; it is answered from the event loop all
        // the same, never from inside request().
        QMetaObject::invokeMethod(
            this, [settle, call] { settle(call); }, Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [settle](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                settle(*done);
            });
}
