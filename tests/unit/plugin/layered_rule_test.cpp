// Which platforms offer layered windows: Windows NT 5.0 and later.
#include "plugin/layered_rule.h"

#include <gtest/gtest.h>

namespace {

TEST(LayeredRule, NtFiveAndLaterOnly) {
    EXPECT_TRUE(layeredWindowsAvailable(2, 5));
    EXPECT_TRUE(layeredWindowsAvailable(2, 6));
    EXPECT_TRUE(layeredWindowsAvailable(2, 10));
    EXPECT_FALSE(layeredWindowsAvailable(2, 4));
    EXPECT_FALSE(layeredWindowsAvailable(1, 5));
    EXPECT_FALSE(layeredWindowsAvailable(0, 6));
    EXPECT_FALSE(layeredWindowsAvailable(0, 0));
}

}  // namespace
