#include "kit/ColorScheme.h"

#include "platform/dbus/DesktopAppearance.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const char* const TextProperty = "corvellaTextColor";
const char* const StyleSheetProperty = "corvellaStyleSheet";
// Whether the application's palette is ours (apply() set it) rather than the desktop's.
bool suppliedDark = false;

qreal linear(qreal channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

qreal ColorScheme::relativeLuminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

qreal ColorScheme::contrastRatio(const QColor& first, const QColor& second)
{
    const qreal one = relativeLuminance(first);
    const qreal other = relativeLuminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

bool ColorScheme::isDark(const QPalette& palette)
{
    return relativeLuminance(palette.color(QPalette::Window)) <
           relativeLuminance(palette.color(QPalette::WindowText));
}

bool ColorScheme::suppliesDarkPalette(std::optional<bool> prefersDark, const QPalette& desktop)
{
    return prefersDark.value_or(false) && !isDark(desktop);
}

QPalette ColorScheme::darkPalette()
{
    const QColor text(232, 234, 237);
    const QColor disabledText(125, 129, 136);
    QPalette palette(QColor(56, 58, 63), QColor(43, 45, 49)); // button, window
    const struct {
        QPalette::ColorRole role;
        QColor color;
    } roles[] = {
        {QPalette::WindowText, text},
        {QPalette::Text, text},
        {QPalette::ButtonText, text},
        {QPalette::BrightText, Qt::white},
        {QPalette::Base, QColor(31, 32, 35)},
        {QPalette::AlternateBase, QColor(38, 40, 44)},
        {QPalette::Light, QColor(74, 77, 82)},
        {QPalette::Midlight, QColor(64, 67, 72)},
        {QPalette::Mid, QColor(48, 50, 54)},
        {QPalette::Dark, QColor(26, 27, 30)},
        {QPalette::Shadow, Qt::black},
        {QPalette::Highlight, QColor(46, 107, 192)},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::Link, QColor(138, 180, 248)},
        {QPalette::LinkVisited, QColor(197, 138, 249)},
        {QPalette::ToolTipBase, QColor(60, 63, 68)},
        {QPalette::ToolTipText, text},
        {QPalette::PlaceholderText, QColor(154, 160, 166)},
    };
    for (const auto& entry : roles)
        palette.setColor(entry.role, entry.color);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(64, 67, 72));
    return palette;
}

void ColorScheme::apply(std::optional<bool> prefersDark)
{
    if (suppliedDark) {
        if (prefersDark.value_or(false))
            return;
        // A palette without set roles gives the application the desktop's palette back.
        QApplication::setPalette(QPalette());
        suppliedDark = false;
    } else if (suppliesDarkPalette(prefersDark, QApplication::palette())) {
        QApplication::setPalette(darkPalette());
        suppliedDark = true;
    }
}

void ColorScheme::follow(DesktopAppearance* appearance)
{
    QObject::connect(appearance, &DesktopAppearance::colorSchemeChanged, qApp,
                     [appearance] { apply(appearance->prefersDark()); });
    apply(appearance->prefersDark());
}

QColor ColorScheme::mix(const QColor& from, const QColor& to, qreal amount)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    const auto channel = [amount](qreal x, qreal y) {
        return x + (y - x) * amount;
    };
    return QColor::fromRgbF(
        float(channel(a.redF(), b.redF())), float(channel(a.greenF(), b.greenF())),
        float(channel(a.blueF(), b.blueF())), float(channel(a.alphaF(), b.alphaF())));
}

QColor ColorScheme::readable(const QColor& wanted, const QList<QColor>& backgrounds, qreal ratio)
{
    if (backgrounds.isEmpty())
        return wanted;
    const auto worst = [&backgrounds](const QColor& color) {
        qreal lowest = 21;
        for (const QColor& background : backgrounds)
            lowest = std::min(lowest, contrastRatio(color, background));
        return lowest;
    };
    // Away from the backgrounds: toward white on dark ones, toward black on light ones.
    const QColor end = relativeLuminance(backgrounds.constFirst()) < 0.18 ? Qt::white : Qt::black;
    QColor color = wanted.toRgb();
    color.setAlpha(255);
    for (int step = 1; step <= 20 && worst(color) < ratio; ++step)
        color = mix(wanted.toRgb(), end, step / 20.0);
    return color;
}

QColor ColorScheme::textColor(const QPalette& palette, Text text)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor windowText = palette.color(QPalette::WindowText);
    // The windows' background lets a tenth of the desktop through: readable over a white one and
    // a black one too.
    const QList<QColor> backgrounds{window, palette.color(QPalette::Base),
                                    mix(window, Qt::black, 0.1), mix(window, Qt::white, 0.1)};
    switch (text) {
    case Text::Normal:
        return windowText;
    case Text::Secondary:
        return readable(mix(windowText, window, 0.4), backgrounds);
    case Text::Notice:
        return readable(QColor(176, 58, 46), backgrounds);
    case Text::Success:
        return readable(QColor(40, 140, 70), backgrounds);
    case Text::Link:
        return readable(palette.color(QPalette::Link), backgrounds);
    }
    return windowText;
}

ColorScheme& ColorScheme::textKeeper()
{
    static ColorScheme keeper;
    return keeper;
}

void ColorScheme::setTextColor(QWidget* widget, Text text)
{
    widget->setProperty(TextProperty, int(text));
    keep(widget);
    applyTextColor(widget);
}

void ColorScheme::setStyleSheet(QWidget* widget, const QString& styleSheet)
{
    widget->setProperty(StyleSheetProperty, styleSheet);
    keep(widget);
    widget->setStyleSheet(styleSheet);
}

void ColorScheme::keep(QWidget*)
{
    // The application announces a new palette to itself; its widgets hear of it only as a change
    // of their own palette, and not all of them (a style sheet's widget keeps its own).
    static const bool watching = (qApp->installEventFilter(&textKeeper()), true);
    Q_UNUSED(watching)
}

void ColorScheme::applyTextColor(QWidget* widget)
{
    const QColor color =
        textColor(QApplication::palette(), Text(widget->property(TextProperty).toInt()));
    if (widget->palette().color(QPalette::WindowText) == color &&
        (widget->palette().resolveMask() & (1 << QPalette::WindowText)))
        return;
    // Only the text roles are set: the rest still comes from the parent and follows it.
    QPalette palette;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, color);
    widget->setPalette(palette);
}

bool ColorScheme::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != qApp || event->type() != QEvent::ApplicationPaletteChange)
        return QObject::eventFilter(watched, event);
    const auto applyAll = [] {
        const QWidgetList widgets = QApplication::allWidgets();
        for (QWidget* widget : widgets) {
            if (widget->property(TextProperty).isValid())
                applyTextColor(widget);
        }
    };
    applyAll();
    // Style sheets once their widgets have the new palette, which they take after this event.
    // Unsetting a sheet gives the widgets under it back the palettes they had when it was set,
    // so the text colours are applied again after.
    QTimer::singleShot(0, this, [applyAll] {
        const QWidgetList widgets = QApplication::allWidgets();
        for (QWidget* widget : widgets) {
            const QVariant sheet = widget->property(StyleSheetProperty);
            if (sheet.isValid()) {
                widget->setStyleSheet(QString());
                widget->setStyleSheet(sheet.toString());
            }
        }
        applyAll();
    });
    return QObject::eventFilter(watched, event);
}

QColor ColorScheme::artworkColor(const QColor& color, const QPalette& palette, bool overAccent)
{
    if (!isDark(palette))
        return color;
    const QColor hsl = color.toHsl();
    const qreal lightness = hsl.lightnessF();
    const bool grey = hsl.hslSaturationF() < 0.25;
    if (overAccent && lightness > 0.95)
        return color; // a white glyph on a blue face
    if (grey)         // white faces become button faces, grey glyphs light ones
        return mix(palette.color(QPalette::Button), palette.color(QPalette::WindowText),
                   1.0 - lightness);
    if (lightness > 0.8) // a light tint behind a hovered face: a dark one of the same hue
        return mix(palette.color(QPalette::Button), color, 0.25);
    return color;
}
