#include "kit/IconATextButton.h"

#include <QFontMetrics>

namespace {

constexpr int IconTitleSpacing = 6;
const QColor NormalTitle(51, 58, 68);
const QColor ActiveTitle(39, 124, 226);
const QColor DisabledTitle(150, 157, 166);

} // namespace

IconATextButton::IconATextButton(QWidget* parent) : ImageButton(parent)
{
    setTitleAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int IconATextButton::iconExtent() const
{
    const QSize own = faceSize();
    const int natural = own.isValid() ? own.height() : 0;
    return qMin(natural, height());
}

QRect IconATextButton::faceRect() const
{
    const int extent = iconExtent();
    return QRect(0, (height() - extent) / 2, extent, extent);
}

QRect IconATextButton::titleRect() const
{
    const int left = iconExtent() + (iconExtent() > 0 ? IconTitleSpacing : 0);
    return QRect(left, 0, qMax(0, width() - left), height());
}

QColor IconATextButton::automaticTitleColor(const QString& faceName) const
{
    Q_UNUSED(faceName)
    if (!isEnabled())
        return DisabledTitle;
    return isDown() || isHovered() ? ActiveTitle : NormalTitle;
}

QSize IconATextButton::sizeHint() const
{
    const QSize icon = faceSize().isValid() ? faceSize() : QSize(0, 0);
    if (title().isEmpty())
        return icon.isEmpty() ? QSize(24, 24) : icon;
    const QFontMetrics metrics(titleFont());
    const int spacing = icon.isEmpty() ? 0 : IconTitleSpacing;
    return QSize(icon.width() + spacing + metrics.horizontalAdvance(title()) + 2,
                 qMax(icon.height(), metrics.height()));
}
