// The face in Windows' high-contrast mode: set bits in the window text colour, clear
// bits in the window colour ringed in the text colour, the separators in the text
// colour, whatever colours the settings file holds; a change of the mode or of the
// colours shows at the next paint, and the file stays as it was.
#include <string>

#include "face_expectation.h"
#include "pixels.h"
#include "plugin_fixture.h"

namespace {

const COLORREF kBackground = RGB(0x3c, 0x5a, 0x78);
const char kSolidStyle[] =
    "toolbar: Flat Solid\n"
    "toolbar.color: #3c5a78\n"
    "toolbar.colorTo: #3c5a78\n"
    "borderColor: #101010\n"
    "borderWidth: 1\n"
    "bevelWidth: 0\n";

// Red set bits on green clear bits, 12-pixel dots on a 200 by 200 face.
std::vector<std::pair<std::string, std::string>> colouredSettings() {
    auto settings = withSetting(floatingSettings(), "Pipwick.size.circlesize:", "12");
    settings = withSetting(settings, "Pipwick.color.marked.red:", "200");
    settings = withSetting(settings, "Pipwick.color.marked.green:", "30");
    settings = withSetting(settings, "Pipwick.color.marked.blue:", "40");
    settings = withSetting(settings, "Pipwick.color.unmarked.red:", "20");
    settings = withSetting(settings, "Pipwick.color.unmarked.green:", "220");
    return withSetting(settings, "Pipwick.color.unmarked.blue:", "60");
}

}  // namespace

class HighContrastTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        writeStyle(kSolidStyle);
        fixLocalTime(23, 59, 59);
        startFrom(colouredSettings());
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
                        kBackground, ink);
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
