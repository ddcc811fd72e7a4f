#include "app/PopWindowController.h"

#include "common/NotificationCenter.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcPopWindow, "corvella.popwindow")
}

PopWindowController::PopWindowController(QObject* parent)
    : QObject(parent), m_baseWindow(std::make_unique<BaseWindow>())
{
    m_baseWindow->setBaseWindowDelegate(this);
}

PopWindowController::~PopWindowController()
{
    m_baseWindow->setBaseWindowDelegate(nullptr);
}

void PopWindowController::showWindow()
{
    m_baseWindow->show();
    m_baseWindow->raise();
}

void PopWindowController::openMainWindow()
{
    qCInfo(lcPopWindow, "openMainWindow");
    NotificationCenter::defaultCenter()->post(QStringLiteral("reOpenWindow"), this);
    m_baseWindow->close();
}
