// A long run of paints: a hundred thousand of them. GDI objects balance exactly and
// the process's private memory does not grow. 512 KiB of growth (kAllowedGrowth) is
// below what a leak of 6 bytes or more per paint adds over the last 99,000 paints
// (594,000 bytes): such a leak fails the test.
#include "long_run.h"
#include "settings_text_support.h"

TEST_F(LongRunTest, HundredThousandPaintsBalanceAndDoNotGrow) {
    fixLocalTime(23, 59, 59);
    // A small face on a solid toolbar: the host computes every background pixel, and
    // a paint of the usual 200 by 200 gradient takes several times as long without
    // testing anything more.
    writeStyle("toolbar: Flat Solid\ntoolbar.color: #3c5a78\n");
    Settings settings = withSetting(floatingSettings(), "Pipwick.position.width:", "60");
    startFrom(withSetting(settings, "Pipwick.position.height:", "30"));
    HWND window = clockWindow();
    SIZE_T afterThousand = 0;
    const int clockCallsBefore = g_clock.calls;
    for (int paint = 1; paint <= 100000; ++paint) {
        paintNow();
        if (paint % 1000 == 0) {
            pumpMessages(0);
            forgetRecords();
            ASSERT_EQ(g_gdi.liveObjects.size(), 2u) << "after paint " << paint;
        }
        if (paint == 1000)
            afterThousand = privateBytes();
    }
    const SIZE_T atEnd = privateBytes();
    EXPECT_GE(g_clock.calls - clockCallsBefore, 100000);
    expectGdiBalanced();
    EXPECT_LE(atEnd, afterThousand + kAllowedGrowth)
        << "private memory grew from " << afterThousand << " to " << atEnd << " bytes";
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}
