// corvella-cli's settings command as separate processes use it: concurrent writers, and the
// warning when the user's file could not be used. Each test has a home of its own.
#include "common/PropertyList.h"
#include "support/Cli.h"
#include "support/Files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class SettingsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid() && writeFile(m_shipped, R"(<?xml version="1.0"?>
<plist version="1.0"><dict><key>IniURL</key><string>https://example.org/ini</string></dict></plist>)"));
    }

    // The private home for `env`.
    QStringList environment() const
    {
        return {u"HOME="_s + m_home.path(), u"XDG_CONFIG_HOME="_s + m_home.filePath(u"config"_s),
                u"CORVELLA_SHIPPED_SETTINGS="_s + m_shipped};
    }

    QTemporaryDir m_home;
    QString m_shipped = m_home.filePath(u"shipped.plist"_s),
            m_writable = m_home.filePath(u"config/corvella/StringMessage.plist"_s);
};

TEST_F(SettingsCommandTest, ConcurrentWritersLoseNothing)
{
    // Two loops of corvella-cli at once; the exit status is the first failure's.
    const QString loops = uR"(for w in 0 1; do
        (for i in $(seq 50); do "$1" settings set W${w}_$i $i || exit 1; done) & eval p$w=$!
    done; wait $p0; first=$?; wait $p1 && exit $first)"_s;
    QProcess writers;
    writers.start(u"env"_s, environment() << u"sh"_s << u"-c"_s << loops << u"sh"_s
                                          << QStringLiteral(CORVELLA_CLI));
    ASSERT_TRUE(writers.waitForFinished(120000));
    ASSERT_EQ(writers.exitCode(), 0) << writers.readAllStandardError().toStdString();
    const QVariantMap stored = PropertyList::readFile(m_writable).value_or(QVariant()).toMap();
    for (int writer = 0; writer < 2; ++writer) {
        for (int index = 1; index <= 50; ++index)
            EXPECT_EQ(stored.value(u"W%1_%2"_s.arg(writer).arg(index)), QString::number(index));
    }
}

// The answer comes from the shipped file, with exit 0, and standard error says why and where
// the user's file went (each damaged file under a name of its own); the next command has
// nothing to say.
TEST_F(SettingsCommandTest, GetOnAnUnusableFileWarns)
{
    const std::pair<QByteArray, const char*> damaged[] = {
        {"<plist><dict><key>X</key>", "not a property list"},
        {"<plist>" + QByteArray("<array>").repeated(50000) +
             QByteArray("</array>").repeated(50000) + "</plist>",
         "nested deeper than 64 levels"},
        {"<plist><array/></plist>", "does not hold a dictionary"}};
    for (int index = 0; index < int(std::size(damaged)); ++index) {
        const auto& [content, reason] = damaged[index];
        ASSERT_TRUE(writeFile(m_writable, content));
        const QString aside =
            m_writable + u".corrupt"_s + (index > 0 ? u".%1"_s.arg(index + 1) : QString());
        for (bool first : {true, false}) {
            const CliRun get = cli({u"settings"_s, u"get"_s, u"IniURL"_s}, {},
                                   QStringList{u"env"_s} + environment());
            EXPECT_EQ(get.exitCode, 0);
            EXPECT_EQ(get.out, "https://example.org/ini\n");
            EXPECT_EQ(get.err.contains(reason) &&
                          get.err.contains(QByteArray("moved to " + aside.toUtf8())),
                      first)
                << get.err.toStdString();
        }
        EXPECT_EQ(readFile(aside), content);
    }
}

} // namespace
