// A paint of the face releases every GDI object it makes, and completes even when
// the runtime cannot give a local time.
#include "norvane/host_control.h"
#include "plugin_fixture.h"

class PaintResourcesTest : public PluginTest {
protected:
    void startFloating() {
        writeModuleSettings(settingsLines(floatingSettings()));
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
    }

    bool waitForPaints(int count) {
        return pumpUntil([count] { return g_clock.localtimeCalls >= count; }, 2000);
    }

    bool windowNeedsPaint() { return GetUpdateRect(clockWindow(), nullptr, FALSE) != 0; }
};

TEST_F(PaintResourcesTest, EveryPaintReleasesItsContextAndBitmap) {
    ASSERT_TRUE(redirected("CreateCompatibleDC"));
    ASSERT_TRUE(redirected("CreateCompatibleBitmap"));
    ASSERT_TRUE(redirected("localtime"));
    fixLocalTime(23, 59, 59);
    startFloating();
    ASSERT_TRUE(waitForPaints(1)) << "the clock never painted";
    for (int paint = 2; paint <= 3; ++paint) {
        InvalidateRect(clockWindow(), nullptr, TRUE);
        ASSERT_TRUE(waitForPaints(paint)) << "paint " << paint;
    }
    pumpMessages();
    EXPECT_GE(g_gdi.contextsCreated, 3);
    EXPECT_GE(g_gdi.bitmapsCreated, 3);
    EXPECT_TRUE(g_gdi.liveObjects.empty())
        << g_gdi.liveObjects.size() << " contexts or bitmaps were not released";
    EXPECT_FALSE(windowNeedsPaint());
}

TEST_F(PaintResourcesTest, PaintCompletesWithoutALocalTime) {
    ASSERT_TRUE(redirected("localtime"));
    g_clock.nullLocalTime = true;
    startFloating();
    ASSERT_TRUE(waitForPaints(1)) << "the clock never painted";
    pumpMessages();
    EXPECT_FALSE(windowNeedsPaint()) << "the paint did not complete";
    EXPECT_TRUE(IsWindow(clockWindow()));
    EXPECT_TRUE(g_gdi.liveObjects.empty());
}
