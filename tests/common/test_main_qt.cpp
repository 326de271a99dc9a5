// Main of the widget tests: offscreen, one application for the process, and
// stand-ins of every service for the tests that install none.
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::installFallbackServices();
    return RUN_ALL_TESTS();
}
