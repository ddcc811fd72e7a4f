#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QHash>
#include <QMutexLocker>
#include <QString>
#include <QVariantList>

// Plays systemd-logind's manager and one session object for tests: records every call and answers
// it, or refuses the members it was told to. Register it with registerVirtualObject(path(),
// standIn, SubPath). QtDBus calls handleMessage() on its own thread, hence the mutex.
class LoginManagerStandIn : public QDBusVirtualObject {
    Q_OBJECT
public:
    struct Call {
        QString path, interface, member, signature;
        QVariantList arguments;
        bool interactive = false;
    };

    static QString serviceName() { return QStringLiteral("org.freedesktop.login1"); }
    static QString path() { return QStringLiteral("/org/freedesktop/login1"); }
    // The session GetSessionByPID names.
    static QString sessionPath() { return QStringLiteral("/org/freedesktop/login1/session/_31"); }

    // Answers calls of `member` with this D-Bus error from now on.
    void refuse(const QString& member, const QString& errorName, const QString& errorMessage)
    {
        const QMutexLocker locker(&m_mutex);
        m_refusals.insert(member, {errorName, errorMessage});
    }
    QList<Call> calls() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_calls;
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    mutable QMutex m_mutex;
    QList<Call> m_calls;
    QHash<QString, std::pair<QString, QString>> m_refusals;
};
