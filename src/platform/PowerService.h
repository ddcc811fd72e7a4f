#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QDBusError;
class QDBusMessage;
class QDBusPendingCall;

enum class PowerAction { PowerOff, Suspend, Reboot, LogOut };

// Asks the session's power manager to end the session or change the machine's power state.
//
// request() never blocks: it sends the request and returns; `finished` reports the outcome once,
// for every request, from the event loop of the object's thread (never from inside request()).
// The error is empty when the power manager accepted the request, otherwise a sentence for the
// user. Acceptance is all it reports: the machine may suspend or the session end right after.
// Several requests may be pending at once; each gets its own `finished`.
//
// The caller decides whether to ask the user first; the service acts at once.
class PowerService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void request(PowerAction action) = 0;

Q_SIGNALS:
    void finished(PowerAction action, const QString& error);

protected:
    // Waits for `call` without blocking: on success hands the reply to `onSuccess`, on failure
    // reports `finished` with `describe(error)`. Always from the event loop, even for a call that
    // never left (no connection to the bus).
    void watch(const QDBusPendingCall& call, PowerAction action,
               std::function<QString(const QDBusError&)> describe,
               std::function<void(const QDBusMessage&)> onSuccess);
};
