#pragma once

#include "apps/AMAppItem.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QList>
#include <QObject>

#include <atomic>
#include <memory>

// The installed applications, scanned by a BackgroundTask and delivered in batches on the GUI
// thread, where the catalogue lives. Also the search
// and order rules the tab and the command line share.
class ApplicationCatalogue : public QObject {
    Q_OBJECT
public:
    explicit ApplicationCatalogue(QObject* parent = nullptr);
    // Stops a running scan's deliveries; the worker ends at its next folder.
    ~ApplicationCatalogue() override;

    // Starts a scan of the folders (the process's environment when none are given). Calling it
    // while a scan runs does nothing.
    void getApplications(const XdgBaseFolders& folders = XdgBaseFolders());
    bool isScanning() const { return m_scanning; }

    // Plain case-sensitive order of names (capitals before small letters), stable.
    static void sortByName(QList<AMAppItem>& items);
    // The items, in their order, whose upper-cased name holds the upper-cased text. An empty
    // text or a single space keeps them all; other spaces count.
    static QList<AMAppItem> search(const QList<AMAppItem>& items, const QString& text);

Q_SIGNALS:
    void batchFound(const QList<AMAppItem>& items);
    void scanFinished();

private:
    std::shared_ptr<std::atomic_bool> m_cancelled;
    bool m_scanning = false;
};
