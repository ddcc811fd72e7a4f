#include "app/TabBarView.h"

#include "common/NotificationCenter.h"
#include "kit/TrafficLightButton.h"

#include <QPointer>

TabBarView::TabBarView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(48, 16);
    struct Light {
        TrafficLightButton** button;
        const char16_t* identifier;
        int x;
        void (TabBarView::*action)();
    };
    const Light lights[] = {
        {&m_closeButton, u"close", 0, &TabBarView::clickCloseButton},
        {&m_minButton, u"minimize", 18, &TabBarView::clickMinimizeButton},
        {&m_zoomButton, u"zoom", 36, &TabBarView::clickZoomButton},
    };
    for (const Light& light : lights) {
        auto* button = new TrafficLightButton(QString::fromUtf16(light.identifier), this);
        button->setGeometry(light.x, 2, 12, 12);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &TrafficLightButton::clicked, this, light.action);
        button->setup();
        *light.button = button;
    }
}

void TabBarView::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    NotificationCenter::defaultCenter()->post(QStringLiteral("HMTrafficButtonMouseEnter"), this);
}

void TabBarView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    NotificationCenter::defaultCenter()->post(QStringLiteral("HMTrafficButtonMouseExit"), this);
}

void TabBarView::clickCloseButton()
{
    // The delegate may close (and delete) the window itself; close it only if it still stands.
    QPointer<QWidget> window = this->window();
    if (m_delegate)
        m_delegate->closeWindowAction();
    if (window && window->isVisible())
        window->close();
}

void TabBarView::clickMinimizeButton()
{
    window()->showMinimized();
}

void TabBarView::clickZoomButton()
{
    QWidget* top = window();
    if (top->isMaximized())
        top->showNormal();
    else
        top->showMaximized();
}
