#include "tasks/TaskManagerViewController.h"

#include <QVBoxLayout>

TaskManagerViewController::TaskManagerViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Task Manager"),
               QStringLiteral("The running applications with their process IDs, and the machine's "
                              "CPU and memory load."),
               parent)
{
    bodyLayout()->addStretch(1);
}
