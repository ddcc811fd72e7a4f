// The Downloads window's size switch: apparent size or size on disk.
#include "common/SizeModeSetting.h"
#include "downloads/DownloadViewController.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QComboBox>

void DownloadViewController::makeSizeModeSwitch(QWidget* header, int x)
{
    m_sizeMode = SizeModeSetting::load();
    m_sizeModeSwitch = new QComboBox(header);
    m_sizeModeSwitch->setGeometry(x, 3, 136, 24);
    for (const SizeMode mode : {SizeMode::Apparent, SizeMode::DiskUsage})
        m_sizeModeSwitch->addItem(SizeModeSetting::title(mode), QVariant::fromValue(int(mode)));
    m_sizeModeSwitch->setCurrentIndex(m_sizeModeSwitch->findData(int(m_sizeMode)));
    m_sizeModeSwitch->setAccessibleName(tr("Sizes shown"));
    m_sizeModeSwitch->setToolTip(tr("Apparent size: the length of each file. Size on disk: the "
                                    "space the files take, hard links counted once."));
    m_sizeModeSwitch->setFocusPolicy(Qt::StrongFocus);
    connect(m_sizeModeSwitch, &QComboBox::activated, this, [this](int index) {
        setSizeMode(SizeMode(m_sizeModeSwitch->itemData(index).toInt()));
    });
}

void DownloadViewController::setSizeMode(SizeMode mode)
{
    // A removal works on the sizes it was started with.
    if (m_isRemove)
        mode = m_sizeMode;
    m_sizeModeSwitch->setCurrentIndex(m_sizeModeSwitch->findData(int(mode)));
    if (mode == m_sizeMode)
        return;
    m_sizeMode = mode;
    SizeModeSetting::store(mode);
    if (!m_rootNodeArr)
        return;
    // A paused scan is replaced by a running one.
    if (!m_isScan)
        m_pauseButton->setTitle(tr("Pause"));
    if (!m_showingCaches) // the caches are always measured on disk
        scanChosenFolder(m_scanPath);
}
