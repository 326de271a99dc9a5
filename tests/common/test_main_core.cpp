// Main of the plain tests: a stand-in message service for the tests that
// install none.
#include "tests/platform_fakes/FakeMessages.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    platform::installFallbackMessages();
    return RUN_ALL_TESTS();
}
