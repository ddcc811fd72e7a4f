#include "platform/sound/PulseLibrary.h"

#include <gtest/gtest.h>

namespace {

// A file name to open, and what the failure names (empty: the library loads).
struct Opening {
    const char* fileName;
    const char* errorNames;
};

class PulseLibraryTest : public testing::TestWithParam<Opening> {};

TEST_P(PulseLibraryTest, LoadsOrSaysWhy)
{
    const PulseLibrary library(GetParam().fileName);
    const QString expected = QString::fromLatin1(GetParam().errorNames);
    EXPECT_EQ(library.isLoaded(), expected.isEmpty()) << library.errorString().toStdString();
    EXPECT_TRUE(library.errorString().contains(expected)) << library.errorString().toStdString();
    if (library.isLoaded()) {
        EXPECT_STREQ(library.pa_strerror(PA_ERR_CONNECTIONREFUSED), "Connection refused");
    }
}

INSTANTIATE_TEST_SUITE_P(Openings, PulseLibraryTest,
                         testing::Values(Opening{"libpulse.so.0", ""},
                                         Opening{"libcorvella-absent.so.0", "libcorvella-absent"},
                                         Opening{"libc.so.6", "pa_context_connect"}));

} // namespace
