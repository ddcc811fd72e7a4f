#include "platform/sound/PulseLibrary.h"

#include <gtest/gtest.h>

namespace {

// A file name to open, and what the failure names (empty: the library loads).
TEST(PulseLibraryTest, LoadsOrSaysWhy)
{
    for (const auto& [fileName, errorNames] :
         {std::pair{"libpulse.so.0", ""},
          std::pair{"libcorvella-absent.so.0", "libcorvella-absent"},
          std::pair{"libc.so.6", "pa_context_connect"}}) {
        const PulseLibrary library(fileName);
        const QString error = library.errorString();
        EXPECT_EQ(library.isLoaded(), !*errorNames) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1StringView(errorNames))) << error.toStdString();
        if (library.isLoaded()) {
            EXPECT_STREQ(library.pa_strerror(PA_ERR_CONNECTIONREFUSED), "Connection refused");
        }
    }
}

} // namespace
