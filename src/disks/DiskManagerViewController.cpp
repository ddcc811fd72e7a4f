#include "disks/DiskManagerViewController.h"

#include <QVBoxLayout>

DiskManagerViewController::DiskManagerViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Disk Manager"),
               QStringLiteral("Every mounted volume with its sizes and file system."), parent)
{
    bodyLayout()->addStretch(1);
}
