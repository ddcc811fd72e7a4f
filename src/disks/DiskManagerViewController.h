#pragma once

#include "disks/DVVolumeInfo.h"
#include "disks/DiskBoxViewController.h"
#include "disks/DiskBoxViewControllerDelegate.h"
#include "disks/VolumesInfo.h"
#include "kit/ToolPage.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class QProgressBar;
class QScrollArea;
class WatchMountUnmount;

// The "Disk Manager" tab: one box per mounted volume in a scrolling list, rebuilt at every mount
// and unmount and after every eject. The inventory is read on a worker thread; the boxes are made
// on the GUI thread when it answers. A rebuild waits while a box runs an operation or shows one
// of its dialogs, and follows once the box is idle. GUI thread only.
class DiskManagerViewController : public ToolPage, public DiskBoxViewControllerDelegate {
    Q_OBJECT
public:
    using VolumeSource = std::function<QList<DVVolumeInfo>()>;
    static constexpr int documentWidth = 400;
    static constexpr int minimumDocumentHeight = 484;
    static constexpr int boxPitch = 124; // 112 of box and 12 of gap

    explicit DiskManagerViewController(QWidget* parent = nullptr);
    // A tab over other sources (tests): the volumes are read on a worker, the boxes describe
    // theirs with `descriptionSource`.
    DiskManagerViewController(VolumeSource volumeSource,
                              DiskBoxViewController::DescriptionSource descriptionSource,
                              QWidget* parent = nullptr);
    ~DiskManagerViewController() override;

    QList<DiskBoxViewController*> boxes() const;
    QScrollArea* topScrollView() const { return m_topScrollView; }
    QWidget* scrollView() const { return m_scrollView; }
    int rebuildCount() const { return m_rebuildCount; }

    void ejectButtonAction(const DVVolumeInfo& volume, bool isS, const QString& reason) override;
    void boxBecameIdle() override;

public Q_SLOTS:
    // Reads the inventory again and rebuilds the list.
    void createView();

Q_SIGNALS:
    // The list was rebuilt from a fresh inventory.
    void listRebuilt();

private:
    void showVolumes(const QList<DVVolumeInfo>& volumes);
    bool anyBoxBusy() const;

    VolumeSource m_volumeSource;
    DiskBoxViewController::DescriptionSource m_descriptionSource;
    struct InventoryHolder {
        std::unique_ptr<VolumesInfo> inventory;
    };
    std::shared_ptr<InventoryHolder> m_volumesInfo = std::make_shared<InventoryHolder>();
    WatchMountUnmount* m_watchMu = nullptr;
    QList<QPointer<DiskBoxViewController>> m_allVolumeViews;
    QScrollArea* m_topScrollView = nullptr;
    QWidget* m_scrollView = nullptr;
    QProgressBar* m_loadProgress = nullptr;
    bool m_reading = false;
    bool m_readAgain = false;
    bool m_waitingForIdleBox = false;
    int m_rebuildCount = 0;
};
