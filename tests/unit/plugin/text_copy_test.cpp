// Texts copied into the plug-in's fixed buffers: cut to fit, or only when they fit
// whole.
#include "plugin/text_copy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(TextCopy, CutsAtTheBuffer) {
    char buffer[8];
    copyCut(buffer, sizeof buffer, "0123456789");
    EXPECT_STREQ(buffer, "0123456");
    copyCut(buffer, sizeof buffer, nullptr);
    EXPECT_STREQ(buffer, "");
    copyCut(buffer, sizeof buffer, "abc");
    EXPECT_STREQ(buffer, "abc");
}

TEST(CopyWhole, CopiesOnlyWhatFitsWhole) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(copyWhole(buffer, sizeof buffer, "1234567"));
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_FALSE(copyWhole(buffer, sizeof buffer, "12345678"));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(copyWhole(buffer, sizeof buffer, nullptr));
    EXPECT_STREQ(buffer, "");
    const std::string longText(5000, 'p');
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(copyWhole(buffer, sizeof buffer, longText.c_str()));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_FALSE(copyWhole(buffer, 0, "a"));
}

}  // namespace
