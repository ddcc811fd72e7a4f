#include "disks/DiskManagerViewController.h"

#include "common/BackgroundTask.h"
#include "common/NotificationCenter.h"
#include "common/PublicUtilities.h"
#include "disks/VolumesInfo.h"
#include "disks/WatchMountUnmount.h"
#include "kit/ColorScheme.h"
#include "platform/dbus/DesktopNotifier.h"

#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initDisksResources()
{
    Q_INIT_RESOURCE(disks);
}

DiskManagerViewController::DiskManagerViewController(QWidget* parent)
    : DiskManagerViewController({}, {}, parent)
{}

DiskManagerViewController::DiskManagerViewController(
    VolumeSource volumeSource, DiskBoxViewController::DescriptionSource descriptionSource,
    QWidget* parent)
    : ToolPage(tr("Disk Manager"), tr("Every mounted volume with its sizes and file system."),
               parent),
      m_volumeSource(std::move(volumeSource)), m_descriptionSource(std::move(descriptionSource))
{
    initDisksResources();
    // The list spans the tab's whole width (its cards hold their own margin); the heading keeps
    // the cards' indent.
    layout()->setContentsMargins(0, 12, 0, 0);
    for (QLabel* text : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        text->setContentsMargins(16, 0, 16, 0);
    m_topScrollView = new QScrollArea(this);
    m_topScrollView->setFrameShape(QFrame::NoFrame);
    m_topScrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Set again when the colour scheme changes: a style sheet fixes its widgets' palettes.
    ColorScheme::setStyleSheet(m_topScrollView,
                               QStringLiteral("QScrollArea { background: transparent; }"));
    m_topScrollView->viewport()->setAutoFillBackground(false);
    m_topScrollView->setFixedSize(DiskBoxViewController::boxSize.width(), minimumDocumentHeight);
    m_scrollView = new QWidget();
    m_scrollView->setAutoFillBackground(false);
    m_scrollView->setFixedSize(documentWidth, minimumDocumentHeight);
    m_topScrollView->setWidget(m_scrollView);
    bodyLayout()->addWidget(m_topScrollView);
    bodyLayout()->addStretch(1);
    m_loadProgress = new QProgressBar(this);
    m_loadProgress->setRange(0, 0);
    m_loadProgress->setAccessibleName(tr("Reading the volumes"));
    m_loadProgress->setTextVisible(false);
    m_loadProgress->setGeometry(156, 120, 100, 6);
    m_loadProgress->hide();

    // The inventory is made and refilled on the worker; one rebuild reads at a time, and the
    // holder outlives the tab while a read still runs.
    if (!m_volumeSource)
        m_volumeSource = [holder = m_volumesInfo] {
            if (!holder->inventory)
                holder->inventory = std::make_unique<VolumesInfo>();
            else
                holder->inventory->getAllVolsInfo();
            return holder->inventory->volsArray();
        };
    m_watchMu = new WatchMountUnmount(this);
    connect(NotificationCenter::defaultCenter(), &NotificationCenter::posted, this,
            [this](const QString& name, QObject*) {
                if (name == QLatin1StringView(DVVolumeMountNotification) ||
                    name == QLatin1StringView(DVVolumeUnmountNotification))
                    createView();
            });
    createView();
}

DiskManagerViewController::~DiskManagerViewController() = default;

QList<DiskBoxViewController*> DiskManagerViewController::boxes() const
{
    QList<DiskBoxViewController*> list;
    for (const QPointer<DiskBoxViewController>& box : m_allVolumeViews) {
        if (box)
            list.append(box);
    }
    return list;
}

bool DiskManagerViewController::anyBoxBusy() const
{
    for (const QPointer<DiskBoxViewController>& box : m_allVolumeViews) {
        if (box && box->isBusy())
            return true;
    }
    return false;
}

void DiskManagerViewController::createView()
{
    if (anyBoxBusy()) {
        m_waitingForIdleBox = true;
        return;
    }
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    m_reading = true;
    m_loadProgress->show();
    m_loadProgress->raise();
    BackgroundTask::run(this, m_volumeSource, [this](const QList<DVVolumeInfo>& volumes) {
        m_reading = false;
        showVolumes(volumes);
        if (m_readAgain) {
            m_readAgain = false;
            createView();
        }
    });
}

void DiskManagerViewController::showVolumes(const QList<DVVolumeInfo>& volumes)
{
    if (anyBoxBusy()) {
        // A box began an operation while the list was read: keep it until it is idle.
        m_waitingForIdleBox = true;
        m_loadProgress->hide();
        return;
    }
    for (const QPointer<DiskBoxViewController>& box : m_allVolumeViews) {
        if (box) {
            box->hide();
            box->deleteLater();
        }
    }
    m_allVolumeViews.clear();
    m_loadProgress->hide();
    for (qsizetype index = 0; index < volumes.size(); ++index) {
        auto* box = new DiskBoxViewController(this, m_descriptionSource, m_scrollView);
        box->move(0, int(index) * boxPitch);
        box->setVolumeInfo(volumes.at(index));
        box->show();
        box->changeValue();
        m_allVolumeViews.append(box);
    }
    m_scrollView->setFixedSize(documentWidth,
                               std::max(minimumDocumentHeight, boxPitch * int(volumes.size())));
    m_topScrollView->verticalScrollBar()->setValue(0);
    m_scrollView->update();
    ++m_rebuildCount;
    Q_EMIT listRebuilt();
}

void DiskManagerViewController::boxBecameIdle()
{
    if (m_waitingForIdleBox && !anyBoxBusy()) {
        m_waitingForIdleBox = false;
        createView();
    }
}

void DiskManagerViewController::ejectButtonAction(const DVVolumeInfo& volume, bool isS,
                                                  const QString& reason)
{
    m_waitingForIdleBox = false;
    createView();
    if (!PublicUtilities::supportsUserNotifications())
        return;
    const QString title = isS ? QStringLiteral("Corvella") : tr("Disk Not Ejected Properly");
    QString text =
        isS ? tr("The disk/device can be removed safely.")
            : tr("Eject '%1' before disconnecting or turning it off.").arg(volume.volumeName);
    if (!isS && !reason.isEmpty())
        text += u' ' + reason;
    // The notification server is another process: never wait for it here.
    BackgroundTask::run([title, text] { DesktopNotifier().notify(title, text); });
}
