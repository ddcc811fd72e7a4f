#include "kit/IconATextButton.h"

#include "kit/ColorScheme.h"

#include <QFontMetrics>

namespace {

constexpr int IconTitleSpacing = 6;

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
        return palette().color(QPalette::Disabled, QPalette::WindowText);
    return isDown() || isHovered() ? ColorScheme::textColor(palette(), ColorScheme::Text::Link)
                                   : palette().color(QPalette::WindowText);
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
