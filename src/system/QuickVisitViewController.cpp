#include "system/QuickVisitViewController.h"

#include <QVBoxLayout>

QuickVisitViewController::QuickVisitViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Quick Visit"),
               QStringLiteral("Common folders, system tools and settings, one click away."), parent)
{
    bodyLayout()->addStretch(1);
}
