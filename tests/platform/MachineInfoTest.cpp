#include "platform/MachineInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ostream>

namespace {

// A fixture root that holds only what each case writes into it.
class MachineInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }

    void write(const QString& relativePath, const QByteArray& content) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relativePath)).absolutePath()));
        QFile file(path(relativePath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
        ASSERT_EQ(file.write(content), content.size());
    }

    MachineInfo info() const { return MachineInfo(m_root.path()); }

    QTemporaryDir m_root;
};

struct ProductNameCase {
    const char* name;
    QByteArray content;
    QString expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ProductNameCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class MachineInfoProductNameTest : public MachineInfoTest,
                                   public ::testing::WithParamInterface<ProductNameCase> {};

TEST_P(MachineInfoProductNameTest, ReadsTheTrimmedProductName)
{
    write(QStringLiteral("sys/class/dmi/id/product_name"), GetParam().content);
    EXPECT_EQ(info().productName(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, MachineInfoProductNameTest,
    ::testing::Values(ProductNameCase{"WithNewline", "ThinkPad X1 Carbon Gen 9\n",
                                      QStringLiteral("ThinkPad X1 Carbon Gen 9")},
                      ProductNameCase{"PaddedWithSpaces", "  OptiPlex 7090  \n",
                                      QStringLiteral("OptiPlex 7090")},
                      ProductNameCase{"NonAscii", "Ordinateur portable \xc3\xa9t\xc3\xa9\n",
                                      QStringLiteral("Ordinateur portable été")},
                      ProductNameCase{"Empty", "", QString()},
                      ProductNameCase{"OnlyWhitespace", " \n", QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineInfoTest, MissingOrUnreadableProductNameIsEmpty)
{
    EXPECT_EQ(info().productName(), QString());
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sys/class/dmi/id/product_name"))));
    EXPECT_EQ(info().productName(), QString()) << "a folder in place of the file reads as nothing";
    EXPECT_EQ(MachineInfo(path(QStringLiteral("no-such-root"))).productName(), QString());
}

struct BacklightCase {
    const char* name;
    // Device folder name to max_brightness content; a null content leaves the file out.
    std::vector<std::pair<QString, QByteArray>> devices;
    bool expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BacklightCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class MachineInfoBacklightTest : public MachineInfoTest,
                                 public ::testing::WithParamInterface<BacklightCase> {};

TEST_P(MachineInfoBacklightTest, NeedsADeviceWithAPositiveMaximum)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sys/class/backlight"))));
    for (const auto& [device, maximum] : GetParam().devices) {
        // As in sysfs, the class entry is a symbolic link to the device's folder.
        const QString deviceFolder = path(QStringLiteral("sys/devices/") + device);
        ASSERT_TRUE(QDir().mkpath(deviceFolder));
        ASSERT_TRUE(
            QFile::link(deviceFolder, path(QStringLiteral("sys/class/backlight/") + device)));
        if (!maximum.isNull()) {
            write(QStringLiteral("sys/devices/") + device + QStringLiteral("/max_brightness"),
                  maximum);
        }
    }
    EXPECT_EQ(info().hasBacklight(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MachineInfoBacklightTest,
    ::testing::Values(
        BacklightCase{"NoDevice", {}, false},
        BacklightCase{"IntelPanel", {{QStringLiteral("intel_backlight"), "19393\n"}}, true},
        BacklightCase{"ZeroMaximum", {{QStringLiteral("acpi_video0"), "0\n"}}, false},
        BacklightCase{"NegativeMaximum", {{QStringLiteral("acpi_video0"), "-1\n"}}, false},
        BacklightCase{"NotANumber", {{QStringLiteral("acpi_video0"), "bright\n"}}, false},
        BacklightCase{"EmptyFile", {{QStringLiteral("acpi_video0"), ""}}, false},
        BacklightCase{"MissingFile", {{QStringLiteral("acpi_video0"), QByteArray()}}, false},
        BacklightCase{"OneUsableAmongBroken",
                      {{QStringLiteral("acpi_video0"), "0\n"},
                       {QStringLiteral("acpi_video1"), QByteArray()},
                       {QStringLiteral("amdgpu_bl0"), "255\n"}},
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineInfoTest, NoBacklightClassMeansNoBacklight)
{
    EXPECT_FALSE(info().hasBacklight());
    write(QStringLiteral("sys/class/backlight/stray_file"), "1\n");
    EXPECT_FALSE(info().hasBacklight()) << "a plain file is not a device";
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sys/class/backlight/panel/max_brightness"))));
    EXPECT_FALSE(info().hasBacklight()) << "a folder in place of max_brightness reads as nothing";
}

} // namespace
