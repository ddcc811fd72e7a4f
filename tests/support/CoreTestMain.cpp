// main() for core tests that need an event loop (network, D-Bus, timers): one QCoreApplication
// for the whole run, then GoogleTest.
#include "support/EnglishTranslation.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    installEnglishTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
