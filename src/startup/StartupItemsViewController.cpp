#include "startup/StartupItemsViewController.h"

#include "platform/LoginItems.h"

#include <QListWidget>
#include <QVBoxLayout>

StartupItemsViewController::StartupItemsViewController(QWidget* parent)
    : ToolPage(QStringLiteral("Startup Items"),
               QStringLiteral("The applications that start when you log in."), parent)
{
    m_list = new QListWidget(this);
    m_list->setFrameShape(QFrame::NoFrame);
    bodyLayout()->addWidget(m_list);
}

void StartupItemsViewController::updateLoginItemsList()
{
    ++m_loginItemsReadCount;
    m_list->clear();
    m_list->addItems(LoginItems::standard().entries());
}
