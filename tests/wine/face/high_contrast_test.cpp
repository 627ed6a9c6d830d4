// The face in Windows' high-contrast mode: set bits in the window text colour, clear
// bits in the window colour ringed in the text colour, the separators in the text
// colour, whatever colours the settings file holds; a change of the mode or of the
// colours shows at the next paint, and the file stays as it was.
#include <string>

#include "face_expectation.h"
#include "pixels.h"
#include "plugin_fixture.h"

class HighContrastTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        writeStyle(kSolidToolbarStyle);
        fixLocalTime(23, 59, 59);
        startFrom(faceSettings(200, 200, 12, {200, 30, 40}, {20, 220, 60}));
        if (HasFatalFailure())
            return;
        redirectAll(systemColourRedirections());
    }

    void useScheme(bool on, COLORREF text, COLORREF window) {
        g_systemColours.highContrast = on;
        g_systemColours.colours[COLOR_WINDOWTEXT] = text;
        g_systemColours.colours[COLOR_WINDOW] = window;
    }

    void expectFaceIn(COLORREF marked, COLORREF unmarked, COLORREF ink) {
        paintNow();
        const WindowPixels pixels = WindowPixels::capture(clockWindow());
        ASSERT_TRUE(pixels.valid());
        expectFaceShown(pixels, expectedFace(200, 200, 12, marked, unmarked, 23, 59, 59), 200,
                        kSolidToolbarColour, ink);
    }
};

// Each paint reads the mode and the colours afresh.
TEST_F(HighContrastTest, FaceFollowsTheSchemeAtEachPaintAndTheFileStays) {
    const std::string settingsBefore = moduleSettings();

    useScheme(true, RGB(255, 255, 0), RGB(0, 0, 128));
    {
        SCOPED_TRACE("yellow on navy");
        expectFaceIn(RGB(255, 255, 0), RGB(0, 0, 128), RGB(255, 255, 0));
    }
    useScheme(true, RGB(255, 255, 255), RGB(0, 0, 0));
    {
        SCOPED_TRACE("white on black");
        expectFaceIn(RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255));
    }
    useScheme(false, RGB(255, 255, 255), RGB(0, 0, 0));
    {
        SCOPED_TRACE("high contrast off");
        expectFaceIn(RGB(200, 30, 40), RGB(20, 220, 60), RGB(0, 0, 0));
    }
    EXPECT_GE(g_systemColours.contrastQueries, 3);
    EXPECT_EQ(moduleSettings(), settingsBefore);
}
