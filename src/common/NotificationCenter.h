#pragma once

#include <QObject>
#include <QString>

// The application-wide notification centre: parts of the program that do not know each other
// exchange named notifications ("reOpenWindow", "HMTrafficButtonMouseEnter", ...), optionally
// carrying the object that posted them.
//
// GUI thread only: posting delivers synchronously to every listener connected to `posted`.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    static NotificationCenter* defaultCenter();

    void post(const QString& name, QObject* object = nullptr);

Q_SIGNALS:
    void posted(const QString& name, QObject* object);

private:
    NotificationCenter() = default;
};
