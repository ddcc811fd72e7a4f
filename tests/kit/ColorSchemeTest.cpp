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
};

static const bool registered = registerTest<ColorSchemeTest>();

#include "ColorSchemeTest.moc"
