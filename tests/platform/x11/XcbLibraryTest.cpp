#include "platform/x11/XcbLibrary.h"

#include <gtest/gtest.h>

namespace {

// A file name to open, and what the failure names (empty: the library loads).
TEST(XcbLibraryTest, LoadsOrSaysWhy)
{
    for (const auto& [fileName, errorNames] :
         {std::pair{"libxcb.so.1", ""}, std::pair{"libcorvella-absent.so.1", "libcorvella-absent"},
          std::pair{"libc.so.6", "xcb_change_window_attributes"}}) {
        const XcbLibrary library(fileName);
        const QString error = library.errorString();
        EXPECT_EQ(library.isLoaded(), !*errorNames) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1StringView(errorNames))) << error.toStdString();
        if (!library.isLoaded())
            continue;
        // No server at this address: the connection is made in an error state, not null.
        xcb_connection_t* connection = library.xcb_connect(":9931", nullptr);
        EXPECT_NE(library.xcb_connection_has_error(connection), 0);
        library.xcb_disconnect(connection);
    }
}

} // namespace
