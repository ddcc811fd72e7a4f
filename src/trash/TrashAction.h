#pragma once

#include "platform/dbus/DesktopNotifier.h"
#include "trash/TrashCleaner.h"

#include <QObject>

#include <atomic>
#include <optional>
#include <thread>

class FullDiskAccessAuthorizer;

// The Trash action of the Cleanup tab: checks the access to the Trash folders, then empties every
// trash of the user on a worker thread, reports its progress, can be stopped, and tells the
// outcome in a desktop notification.
//
// No confirmation is asked. The access prompt is wanted only where access can be withheld, in a
// sandbox (see FullDiskAccessAuthorizer): an ordinary session without a home trash yet has nothing
// to grant, and an unreadable trash there is reported like any other failure.
//
// Lives on the GUI thread; its signals are emitted there. Destroying it stops a running emptying
// at the next entry and waits for the worker (which may be waiting on the notification server,
// for at most DesktopNotifier::callTimeoutMs).
class TrashAction : public QObject {
    Q_OBJECT
public:
    // The current user's trashes (read when the action starts), the shared authorizer, the
    // session bus and this system's version.
    explicit TrashAction(QObject* parent = nullptr);
    // authorizer: not owned, must outlive the action.
    TrashAction(const TrashCleaner& cleaner, const FullDiskAccessAuthorizer* authorizer,
                const DesktopNotifier& notifier, int systemVersion, QObject* parent = nullptr);
    ~TrashAction() override;

    bool isRunning() const { return m_running; }

    // Whether emptyTrash() would show the access prompt instead: sandboxed, the access status is
    // not 2 (authorized) and the system version is 1014 or higher.
    bool needsAccessPrompt() const;

    // The notification's title, and its text for an outcome.
    static QString notificationSummary();
    static QString notificationText(const TrashCleaner::Result& result);

public Q_SLOTS:
    // Emits accessPromptNeeded() and removes nothing when the access is missing; otherwise starts
    // emptying and later emits finished(). Does nothing while an emptying runs.
    void emptyTrash();

    // Measures what emptying would remove, on the worker, then emits measured(): for the question
    // asked before emptying. Does nothing while the action runs.
    void measureTrash();

    // Ends a running emptying at the next entry, inside a large folder too; what is left stays in
    // the trash with its record. finished() follows at once, its result stopped; no notification
    // is sent for it (the caller shows the result where Stop was pressed).
    void stop();

Q_SIGNALS:
    void accessPromptNeeded();
    void measured(const TrashCleaner::Contents& contents);
    // While emptying: the share of the entries removed, from 0 to 99 (finished() ends it).
    void progressChanged(int percent);
    // The notification could not be shown; the Trash was emptied all the same.
    void notificationFailed(const QString& error);
    void finished(const TrashCleaner::Result& result);

private:
    std::optional<TrashCleaner> m_cleaner; // unset: the current user's, read at each start
    const FullDiskAccessAuthorizer* m_authorizer;
    DesktopNotifier m_notifier;
    int m_systemVersion;
    bool m_running = false;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};
