#include "system/HotUtilitiesViewController.h"

#include <QVBoxLayout>

HotUtilitiesViewController::HotUtilitiesViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Hot Utilities"), QStringLiteral("Useful links for everyday work."),
               parent)
{
    bodyLayout()->addStretch(1);
}
