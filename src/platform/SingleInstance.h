#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user. The first copy listens on a local socket in the user's private
// runtime folder; a later copy that finds it asks it to reopen and should then exit.
//
// GUI thread (or any thread with an event loop) only.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: a stable identifier of the application, e.g. "com.brimwick.corvella".
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Whether another copy runs; if so it has been told to reopen. Otherwise this copy now
    // listens for later ones. A failure to listen is logged, and this copy runs on its own.
    bool anotherInstanceRuns();

    QString socketPath() const { return m_socketPath; }

Q_SIGNALS:
    // A later copy was started by the user.
    void reopenRequested();

private:
    bool tellRunningInstance();
    void listen();

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};
