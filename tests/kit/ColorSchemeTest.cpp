#include "kit/ColorScheme.h"

#include "KitTests.h"

#include <QTest>

#include <optional>
#include <tuple>

class ColorSchemeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Our own dark palette only where the desktop prefers dark and its palette is light: a dark
    // palette under a light preference is the user's own (qt6ct) and stays.
    void suppliesDarkPaletteOnlyOverALightOne()
    {
        const std::optional<bool> dark(true), light(false), none;
        for (const auto& [prefers, desktopDark, supplied] : {std::tuple{dark, false, true},
                                                             {dark, true, false},
                                                             {light, true, false},
                                                             {none, false, false}}) {
            const QPalette desktop = desktopDark ? ColorScheme::darkPalette() : QPalette(Qt::white);
            QCOMPARE(ColorScheme::suppliesDarkPalette(prefers, desktop), supplied);
        }
    }

    // Every derived text colour reaches 4.5:1 on the window and the base, whatever the palette:
    // a grey window too.
    void derivedTextIsReadable()
    {
        for (const QPalette& palette :
             {QPalette(Qt::white), ColorScheme::darkPalette(), QPalette(QColor(200, 200, 200))}) {
            for (auto text : {ColorScheme::Text::Secondary, ColorScheme::Text::Notice,
                              ColorScheme::Text::Success, ColorScheme::Text::Link}) {
                const QColor color = ColorScheme::textColor(palette, text);
                for (auto role : {QPalette::Window, QPalette::Base})
                    QVERIFY(ColorScheme::contrastRatio(color, palette.color(role)) >= 4.5);
            }
        }
        QCOMPARE(qRound(ColorScheme::contrastRatio(Qt::black, Qt::white)), 21);
    }
};

static const bool registered = registerTest<ColorSchemeTest>();

#include "ColorSchemeTest.moc"
