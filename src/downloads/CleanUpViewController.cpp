#include "downloads/CleanUpViewController.h"

#include <QVBoxLayout>

CleanUpViewController::CleanUpViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Cleanup"),
               QStringLiteral("Empty the Trash of every volume and clean up the Downloads folder."),
               parent)
{
    bodyLayout()->addStretch(1);
}
