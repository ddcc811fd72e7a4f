#include "kit/ImageButton.h"

#include "common/PublicUtilities.h"
#include "kit/ColorScheme.h"
#include "kit/KitImages.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <optional>

namespace {

constexpr qreal DisabledFaceOpacity = 0.45;
constexpr int TitlePadding = 8;
const QColor LightTitle(255, 255, 255);

// Whether the middle of a face is dark enough to need a light title, in the palette's colours
// (a dark palette draws the white faces dark). Transparent middles are no answer: the title then
// sits on the window's background.
std::optional<bool> isDarkFace(const QString& faceName)
{
    static QHash<QString, std::optional<bool>> answers;
    const QPalette palette = QApplication::palette();
    const QString key = faceName + palette.color(QPalette::Button).name();
    auto found = answers.constFind(key);
    if (found != answers.constEnd())
        return *found;
    const QImage image = KitImages::pixmap(faceName, QSize(32, 32)).toImage();
    std::optional<bool> dark;
    if (!image.isNull()) {
        const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
        if (middle.alpha() >= 128)
            dark = middle.lightnessF() < 0.6;
    }
    answers.insert(key, dark);
    return dark;
}

} // namespace

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

ImageButton::ImageButton(const QString& imageName, QWidget* parent) : ImageButton(parent)
{
    m_imageName = imageName;
}

void ImageButton::setImageName(const QString& name)
{
    if (m_imageName == name)
        return;
    m_imageName = name;
    faceChanged();
}

void ImageButton::setHoverImageName(const QString& name)
{
    m_hoverImageName = name;
    faceChanged();
}

void ImageButton::setPressedImageName(const QString& name)
{
    m_pressedImageName = name;
    faceChanged();
}

void ImageButton::setDisabledImageName(const QString& name)
{
    m_disabledImageName = name;
    faceChanged();
}

void ImageButton::setSelectedImageName(const QString& name)
{
    m_selectedImageName = name;
    faceChanged();
}

void ImageButton::setImageNames(const QString& normal, const QString& pressed, const QString& hover,
                                const QString& disabled)
{
    m_imageName = normal;
    m_pressedImageName = pressed;
    m_hoverImageName = hover;
    m_disabledImageName = disabled;
    faceChanged();
}

QString ImageButton::currentFaceName() const
{
    if (!isEnabled())
        return m_disabledImageName.isEmpty() ? m_imageName : m_disabledImageName;
    if (isDown() && !m_pressedImageName.isEmpty())
        return m_pressedImageName;
    if (isChecked() && !m_selectedImageName.isEmpty())
        return m_selectedImageName;
    if (m_hovered && !m_hoverImageName.isEmpty())
        return m_hoverImageName;
    return m_imageName;
}

void ImageButton::setTitle(const QString& title)
{
    setText(title);
    updateGeometry();
}

void ImageButton::setFontSize(qreal pixelSize)
{
    m_fontSize = pixelSize;
    updateGeometry();
    update();
}

void ImageButton::setTitleColor(const QColor& color)
{
    m_titleColor = color;
    update();
}

void ImageButton::setStretchFace(bool stretch)
{
    m_stretchFace = stretch;
    update();
}

void ImageButton::setTitleAlignment(Qt::Alignment alignment)
{
    m_titleAlignment = alignment;
    update();
}

QFont ImageButton::titleFont() const
{
    // The settings file is read once per button, not at every paint.
    if (!m_fontFamilyResolved) {
        m_fontFamily = PublicUtilities::getRegularFontName();
        m_fontFamilyResolved = true;
    }
    QFont font = QApplication::font(this);
    if (!m_fontFamily.isEmpty())
        font.setFamily(m_fontFamily);
    if (m_fontSize > 0)
        font.setPixelSize(qRound(m_fontSize));
    return font;
}

QSize ImageButton::faceSize() const
{
    for (const QString* name : {&m_imageName, &m_selectedImageName, &m_hoverImageName,
                                &m_pressedImageName, &m_disabledImageName}) {
        if (!name->isEmpty() && KitImages::contains(*name))
            return KitImages::defaultSize(*name);
    }
    return {};
}

QSize ImageButton::sizeHint() const
{
    QSize hint = faceSize();
    if (!text().isEmpty()) {
        const QFontMetrics metrics(titleFont());
        const QSize titleSize(metrics.horizontalAdvance(text()) + 2 * TitlePadding,
                              metrics.height() + TitlePadding);
        hint = hint.isValid() ? hint.expandedTo(titleSize) : titleSize;
    }
    return hint.isValid() ? hint : QSize(24, 24);
}

int ImageButton::titleWidthHint() const
{
    return text().isEmpty()
               ? 0
               : QFontMetrics(titleFont()).horizontalAdvance(text()) + 2 * TitlePadding;
}

void ImageButton::fitTitle(int minimumWidth)
{
    resize(qMax(minimumWidth, titleWidthHint()), height());
}

QRect ImageButton::faceRect() const
{
    return rect();
}

QRect ImageButton::titleRect() const
{
    return rect().adjusted(TitlePadding / 2, 0, -TitlePadding / 2, 0);
}

QColor ImageButton::automaticTitleColor(const QString& faceName) const
{
    if (!isEnabled())
        return palette().color(QPalette::Disabled, QPalette::ButtonText);
    const std::optional<bool> dark = isDarkFace(faceName);
    if (!dark)
        return palette().color(QPalette::WindowText);
    if (*dark)
        return LightTitle;
    // A light face in a dark palette (one the artwork keeps) still needs dark text.
    return ColorScheme::isDark(palette()) ? QColor(Qt::black)
                                          : palette().color(QPalette::ButtonText);
}

void ImageButton::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QString face = currentFaceName();
    const QRect target = faceRect();
    if (!face.isEmpty() && !target.isEmpty()) {
        QSize size = target.size();
        const QSize own = KitImages::defaultSize(face);
        if (!m_stretchFace && own.isValid()) {
            // Drawn at its own size, or scaled down, never up: the artwork is made for its size.
            size = own.boundedTo(size) == own ? own : own.scaled(size, Qt::KeepAspectRatio);
        }
        const QPixmap pixmap = KitImages::pixmap(face, size, devicePixelRatioF());
        if (!pixmap.isNull()) {
            QRect drawn(QPoint(0, 0), size);
            drawn.moveCenter(target.center());
            if (!isEnabled() && m_disabledImageName.isEmpty())
                painter.setOpacity(DisabledFaceOpacity);
            painter.drawPixmap(drawn, pixmap);
            painter.setOpacity(1.0);
        }
    }

    if (!text().isEmpty()) {
        const QFont font = titleFont();
        const QRect area = titleRect();
        painter.setFont(font);
        painter.setPen(m_titleColor.isValid() ? m_titleColor : automaticTitleColor(face));
        const QString shown = QFontMetrics(font).elidedText(text(), Qt::ElideRight, area.width());
        painter.drawText(area, int(m_titleAlignment) | Qt::TextSingleLine, shown);
    }

    // The ring shows where the keyboard is, once the focus has moved by keyboard (Tab, a
    // shortcut, the arrow keys between tabs).
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), 5, 5);
    }
}

void ImageButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

bool ImageButton::event(QEvent* event)
{
    // A name the owner set, or a title, wins over the tooltip; the first tooltip names the
    // button for good, so a later one (a reason why it is off) never replaces the name.
    if (event->type() == QEvent::ToolTipChange && text().isEmpty() && accessibleName().isEmpty())
        setAccessibleName(toolTip().section(u'\n', 0, 0));
    return QAbstractButton::event(event);
}

void ImageButton::changeEvent(QEvent* event)
{
    // A disabled button receives no leave event, so a hover state would outlive the pointer.
    if (event->type() == QEvent::EnabledChange) {
        m_hovered = isEnabled() && underMouse();
        update();
    }
    QAbstractButton::changeEvent(event);
}

void ImageButton::faceChanged()
{
    updateGeometry();
    update();
}
