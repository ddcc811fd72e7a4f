#include "platform/x11/XcbLibrary.h"

#include <gtest/gtest.h>

namespace {

// A file name to open, and what the failure names (empty: the library loads).
struct Opening {
    const char* fileName;
    const char* errorNames;
};

class XcbLibraryTest : public testing::TestWithParam<Opening> {};

TEST_P(XcbLibraryTest, LoadsOrSaysWhy)
{
    const XcbLibrary library(GetParam().fileName);
    const QString expected = QString::fromLatin1(GetParam().errorNames);
    EXPECT_EQ(library.isLoaded(), expected.isEmpty()) << library.errorString().toStdString();
    EXPECT_TRUE(library.errorString().contains(expected)) << library.errorString().toStdString();
    if (library.isLoaded()) {
        // No server at this address: the connection is made in an error state, not null.
        xcb_connection_t* connection = library.xcb_connect(":9931", nullptr);
        EXPECT_NE(library.xcb_connection_has_error(connection), 0);
        library.xcb_disconnect(connection);
    }
}

INSTANTIATE_TEST_SUITE_P(Openings, XcbLibraryTest,
                         testing::Values(Opening{"libxcb.so.1", ""},
                                         Opening{"libcorvella-absent.so.1", "libcorvella-absent"},
                                         Opening{"libc.so.6", "xcb_change_window_attributes"}));

} // namespace
