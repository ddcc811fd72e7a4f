#include "kit/ColorScheme.h"

#include "KitTests.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<bool>)

class ColorSchemeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Our own dark palette only where the desktop prefers dark and its palette is light.
    void suppliesDarkPaletteOnlyOverALightOne_data()
    {
        QTest::addColumn<std::optional<bool>>("prefersDark");
        QTest::addColumn<bool>("desktopDark");
        QTest::addColumn<bool>("supplied");
        QTest::newRow("dark over light") << std::optional<bool>(true) << false << true;
        QTest::newRow("dark over dark") << std::optional<bool>(true) << true << false;
        QTest::newRow("light over dark (the user's qt6ct)")
            << std::optional<bool>(false) << true << false;
        QTest::newRow("no preference") << std::optional<bool>() << false << false;
    }
    void suppliesDarkPaletteOnlyOverALightOne()
    {
        QFETCH(std::optional<bool>, prefersDark);
        QFETCH(bool, desktopDark);
        QFETCH(bool, supplied);
        const QPalette desktop = desktopDark ? ColorScheme::darkPalette() : QPalette(Qt::white);
        QCOMPARE(ColorScheme::isDark(desktop), desktopDark);
        QCOMPARE(ColorScheme::suppliesDarkPalette(prefersDark, desktop), supplied);
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
