#include "kit/TrafficLightButton.h"

#include "common/NotificationCenter.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

QColor faceColor(const QString& identifier)
{
    if (identifier == u"close"_s)
        return {255, 95, 87};
    if (identifier == u"minimize"_s)
        return {254, 188, 46};
    if (identifier == u"zoom"_s)
        return {40, 200, 64};
    return {200, 204, 209};
}

} // namespace

TrafficLightButton::TrafficLightButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
}

TrafficLightButton::TrafficLightButton(const QString& identifier, QWidget* parent)
    : TrafficLightButton(parent)
{
    m_identifier = identifier;
    nameAfterIdentifier();
}

void TrafficLightButton::setIdentifier(const QString& identifier)
{
    m_identifier = identifier;
    nameAfterIdentifier();
    update();
}

void TrafficLightButton::setup()
{
    if (m_listening)
        return;
    m_listening = connect(NotificationCenter::defaultCenter(), &NotificationCenter::posted, this,
                          &TrafficLightButton::notificationPosted);
}

void TrafficLightButton::notificationPosted(const QString& name, QObject* object)
{
    if (object == nullptr || object != parentWidget())
        return;
    bool showing = m_showingHover;
    if (name == u"HMTrafficButtonMouseEnter"_s)
        showing = true;
    else if (name == u"HMTrafficButtonMouseExit"_s)
        showing = false;
    if (showing != m_showingHover) {
        m_showingHover = showing;
        update();
    }
}

void TrafficLightButton::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = faceColor(m_identifier);
    painter.setPen(QPen(face.darker(125), 0.8));
    painter.setBrush(isDown() ? face.darker(115) : face);
    painter.drawEllipse(circle);

    if (!m_showingHover)
        return;
    QPen glyphPen(QColor(0, 0, 0, 150), 1.2);
    glyphPen.setCapStyle(Qt::RoundCap);
    painter.setPen(glyphPen);
    const QPointF centre = circle.center();
    const qreal arm = circle.width() * 0.25;
    if (m_identifier == u"close"_s) {
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    } else if (m_identifier == u"minimize"_s) {
        painter.drawLine(centre + QPointF(-arm * 1.2, 0), centre + QPointF(arm * 1.2, 0));
    } else if (m_identifier == u"zoom"_s) {
        painter.drawLine(centre + QPointF(-arm * 1.2, 0), centre + QPointF(arm * 1.2, 0));
        painter.drawLine(centre + QPointF(0, -arm * 1.2), centre + QPointF(0, arm * 1.2));
    }
}

void TrafficLightButton::nameAfterIdentifier()
{
    const QString close = tr("Close");
    const QString minimize = tr("Minimize");
    const QString zoom = tr("Zoom");
    if (!accessibleName().isEmpty() && accessibleName() != close && accessibleName() != minimize &&
        accessibleName() != zoom)
        return; // the owner's own name
    if (m_identifier == u"close"_s)
        setAccessibleName(close);
    else if (m_identifier == u"minimize"_s)
        setAccessibleName(minimize);
    else if (m_identifier == u"zoom"_s)
        setAccessibleName(zoom);
}
