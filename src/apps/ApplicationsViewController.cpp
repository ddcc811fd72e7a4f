#include "apps/ApplicationsViewController.h"

#include <QVBoxLayout>

ApplicationsViewController::ApplicationsViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Applications"),
               QStringLiteral(
                   "Every installed application, searchable by name and opened with one click."),
               parent)
{
    bodyLayout()->addStretch(1);
}
