#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>

#include <optional>

class DesktopAppearance;
class QWidget;

// The colour scheme the windows are drawn in: the desktop's palette, or a dark palette of our own
// when the desktop prefers dark (its settings portal says so) but Qt's style gives a light one,
// as Fusion does with its default palette. Also the colours derived from the palette that the
// windows need beyond its roles (secondary text, notices, the artwork's greys), each made
// readable on the palette's backgrounds.
//
// GUI thread only.
class ColorScheme : public QObject {
    Q_OBJECT
public:
    // What a text says, for its colour.
    enum class Text {
        Normal,    // the window's own text colour
        Secondary, // explanations, sizes, paths: quieter than the window's text
        Notice,    // failures and warnings: red
        Success,   // what was done: green
        Link,
    };

    // WCAG 2 relative luminance (0 black .. 1 white) and contrast ratio (1 .. 21).
    static qreal relativeLuminance(const QColor& color);
    static qreal contrastRatio(const QColor& first, const QColor& second);
    static bool isDark(const QPalette& palette);

    // Whether the application must supply its own dark palette: the desktop prefers dark and the
    // palette the desktop gives is light. No preference, or a preference for light, keeps the
    // desktop's palette, even a dark one the user chose for Qt applications.
    static bool suppliesDarkPalette(std::optional<bool> prefersDark, const QPalette& desktop);
    static QPalette darkPalette();
    // Sets or takes back the application's own dark palette for the desktop's preference.
    static void apply(std::optional<bool> prefersDark);
    // Applies the appearance's preference now and after each of its changes.
    static void follow(DesktopAppearance* appearance);

    // `from` moved `amount` (0..1) of the way to `to`.
    static QColor mix(const QColor& from, const QColor& to, qreal amount);
    // `wanted`, made lighter or darker as little as needed for a contrast of at least `ratio`
    // on every one of the backgrounds (which lie on the same side of middle grey).
    static QColor readable(const QColor& wanted, const QList<QColor>& backgrounds,
                           qreal ratio = 4.5);
    // The text's colour on the palette's window and base.
    static QColor textColor(const QPalette& palette, Text text);
    // Gives the widget's text that colour, now and after every change of the application's
    // palette.
    static void setTextColor(QWidget* widget, Text text);
    // Sets a style sheet and sets it again after every change of the application's palette: Qt
    // resolves its palette names ("palette(base)") only when a sheet is set, and any sheet fixes
    // the palettes of the widgets under it until then.
    static void setStyleSheet(QWidget* widget, const QString& styleSheet);

    // The artwork's colour in this palette: a dark palette turns the light greys and tints of
    // the images into the palette's own (white faces into button faces, grey glyphs into light
    // ones); the accent colours, and white drawn over them, stay. A light palette keeps them all.
    static QColor artworkColor(const QColor& color, const QPalette& palette, bool overAccent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ColorScheme() = default;
    static ColorScheme& textKeeper();
    // Keeps the widget's colours after changes of the application's palette.
    static void keep(QWidget* widget);
    static void applyTextColor(QWidget* widget);
};
