// A settings file that names no colours, or only some of their components, shows a
// readable face: each missing component reads as on a first start (the unmarked
// colour white, the marked one black), and those present are taken as written.
#include <string>

#include "face_expectation.h"
#include "pixels.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"

namespace {

const COLORREF kBackground = RGB(0x3c, 0x5a, 0x78);
const char kSolidStyle[] =
    "toolbar: Flat Solid\ntoolbar.color: #3c5a78\ntoolbar.colorTo: #3c5a78\n"
    "borderColor: #101010\nborderWidth: 1\nbevelWidth: 0\n";

struct ColourCase {
    const char* name;
    Settings colourLines;
    COLORREF marked;
    COLORREF unmarked;
};

// The usual settings with no colour line, and large dots.
Settings withoutColours() {
    Settings settings;
    for (const auto& line : withSetting(floatingSettings(), "Pipwick.size.circlesize:", "12")) {
        if (line.first.rfind("Pipwick.color.", 0) != 0)
            settings.push_back(line);
    }
    return settings;
}

}  // namespace

class MissingColoursTest : public PluginTest, public testing::WithParamInterface<ColourCase> {};

TEST_P(MissingColoursTest, ReadAsOnAFirstStart) {
    const ColourCase& colours = GetParam();
    writeStyle(kSolidStyle);
    fixLocalTime(12, 34, 56);
    Settings settings = withoutColours();
    settings.insert(settings.end(), colours.colourLines.begin(), colours.colourLines.end());
    startFrom(settings);
    if (HasFatalFailure())
        return;

    paintNow();
    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    expectFaceShown(pixels,
                    expectedFace(200, 200, 12, colours.marked, colours.unmarked, 12, 34, 56), 200,
                    kBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MissingColoursTest,
    testing::Values(
        ColourCase{"NoColourLines", {}, RGB(0, 0, 0), RGB(255, 255, 255)},
        ColourCase{"SomeComponents",
                   {{"Pipwick.color.unmarked.red:", "0"}, {"Pipwick.color.marked.green:", "160"}},
                   RGB(0, 160, 0), RGB(0, 255, 255)}),
    [](const testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });
