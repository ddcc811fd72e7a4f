#pragma once

#include "platform/ActivationRequest.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

// org.freedesktop.Application on the session bus: the running copy owns the well-known name of
// the application ID (com.brimwick.corvella) and serves Activate, ActivateAction and Open at the
// ID's object path (/com/brimwick/corvella), so that the desktop (a DBusActivatable entry, its
// Actions) and later starts of the program reach it. Each call becomes an ActivationRequest
// handed to the handler, which answers an empty string to accept it or a sentence for the
// caller, sent back as org.freedesktop.DBus.Error.InvalidArgs. Open is refused: the program
// opens no files or folders.
//
// GUI thread only: the handler runs there, on the call's dispatch.
class ApplicationService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    using Handler = std::function<QString(const ActivationRequest&)>;

    ApplicationService(QString applicationId, QDBusConnection bus, Handler handler,
                       QObject* parent = nullptr);
    ~ApplicationService() override;

    // "/com/brimwick/corvella" for "com.brimwick.corvella".
    static QString objectPath(const QString& applicationId);

    // Exports the object and asks for the name (not queued). False, with *error set, when the
    // bus is not there or another process owns the name.
    bool registerService(QString* error);
    // Whether another process owns the name: a running copy to forward to.
    bool nameHasOtherOwner() const;
    // Hands request to the copy that owns the name: Activate for an empty action, else
    // ActivateAction(action, [target] or [], platform data). Waits at most timeoutMs for the
    // reply; answers an empty string on success, else the reason. For a process's start, before
    // its GUI runs.
    static QString forward(const QDBusConnection& bus, const QString& applicationId,
                           const ActivationRequest& request, int timeoutMs = 5000);

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);
    Q_SCRIPTABLE void ActivateAction(const QString& name, const QVariantList& parameter,
                                     const QVariantMap& platformData);
    Q_SCRIPTABLE void Open(const QStringList& uris, const QVariantMap& platformData);

private:
    void deliver(const ActivationRequest& request);

    QString m_applicationId;
    QDBusConnection m_bus;
    Handler m_handler;
    bool m_registered = false;
};
