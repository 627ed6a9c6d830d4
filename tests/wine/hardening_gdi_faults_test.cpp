// GDI failing again and again: paints whose off-screen context or bitmap cannot be
// made draw nothing and complete, the paints between them draw the whole face, and
// every object made is released.
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirect_gdi_failure.h"

class GdiFaultTest : public PluginTest {
protected:
    void installGdiFailures() {
        g_gdiFailures = GdiFailures{};
        redirectAll(gdiFailureRedirections());
    }

    void paintNow() {
        InvalidateRect(clockWindow(), nullptr, TRUE);
        UpdateWindow(clockWindow());
    }

    int gradients() const { return static_cast<int>(norvane::callsTo("MakeGradient").size()); }
};

TEST_F(GdiFaultTest, EveryOtherPaintFailsAndEachGoodOneDrawsAgain) {
    fixLocalTime(12, 34, 56);
    startWithSettings(floatingSettings());
    installGdiFailures();
    if (HasFatalFailure())
        return;
    for (int paint = 0; paint < 40; ++paint) {
        SCOPED_TRACE("paint " + std::to_string(paint));
        const bool fail = paint % 2 == 1;
        if (fail) {
            if (paint % 4 == 1)
                g_gdiFailures.failNextContexts = 1;
            else
                g_gdiFailures.failNextBitmaps = 1;
        }
        const int gradientsBefore = gradients();
        paintNow();
        EXPECT_EQ(GetUpdateRect(clockWindow(), nullptr, FALSE), FALSE) << "the paint did not complete";
        EXPECT_EQ(gradients() - gradientsBefore, fail ? 0 : 1);
        EXPECT_TRUE(g_gdi.liveObjects.empty());
    }
    EXPECT_EQ(g_gdiFailures.failedContexts, 10);
    EXPECT_EQ(g_gdiFailures.failedBitmaps, 10);
    EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted);
    EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted);
}

TEST_F(GdiFaultTest, LongOutageEndsWithTheNextPaint) {
    startWithSettings(floatingSettings());
    installGdiFailures();
    if (HasFatalFailure())
        return;
    g_gdiFailures.failNextContexts = 200;
    g_gdiFailures.failNextBitmaps = 200;
    const int gradientsBefore = gradients();
    for (int paint = 0; paint < 200; ++paint)
        paintNow();
    EXPECT_EQ(gradients(), gradientsBefore);
    EXPECT_EQ(g_gdiFailures.failedContexts, 200);
    EXPECT_TRUE(g_gdi.liveObjects.empty()) << "bitmaps made while no context could be were kept";
    g_gdiFailures.failNextContexts = 0;
    g_gdiFailures.failNextBitmaps = 0;
    paintNow();
    EXPECT_EQ(gradients(), gradientsBefore + 1);
    EXPECT_TRUE(g_gdi.liveObjects.empty());
}
