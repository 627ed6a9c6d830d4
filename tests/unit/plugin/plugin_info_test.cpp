// The information texts the plug-in answers by index.
#include "plugin/plugin_info.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PluginInfo, TextsByIndex) {
    EXPECT_STREQ(pluginInfoText(1), "Pipwick");
    EXPECT_STREQ(pluginInfoText(2), "0.0.2");
    EXPECT_STREQ(pluginInfoText(0), "Pipwick 0.0.1");
    EXPECT_STREQ(pluginInfoText(7), "Pipwick 0.0.1");
    EXPECT_STREQ(pluginInfoText(-1), "Pipwick 0.0.1");
    for (int index = 3; index <= 6; ++index) {
        ASSERT_NE(pluginInfoText(index), nullptr);
        EXPECT_GT(std::strlen(pluginInfoText(index)), 0u);
    }
    EXPECT_STREQ(pluginInfoText(4), "2026-12-08");
}

}  // namespace
