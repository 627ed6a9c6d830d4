// The host's toolbar style as the shipped DLL imports it at start and on every
// HM_RECONFIGURE, observed through the host calls it makes and what it hands to
// MakeGradient when it paints.
#include <algorithm>
#include <cctype>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What the host's own parser makes of a style description.
StyleItem parsedStyle(const char* description) {
    StyleItem item{};
    ParseItem(description, &item);
    return item;
}

struct ExpectedGradient {
    StyleItem item;
    const char* colourFrom;
    const char* colourTo;
    int bevelWidth;
    const char* borderColour;
    int borderWidth;
};

// MakeGradient's recorded arguments, the context aside, with colours in lower case.
std::vector<std::string> gradientArguments(const norvane::HostCall& call) {
    std::vector<std::string> arguments(call.arguments.begin() + 1, call.arguments.end());
    for (size_t colour : {2u, 3u, 8u}) {
        if (colour < arguments.size())
            arguments[colour] = lowerCase(arguments[colour]);
    }
    return arguments;
}

std::vector<std::string> expectedArguments(const ExpectedGradient& expected) {
    return {"0,0,200,200",
            std::to_string(expected.item.gradientType),
            expected.colourFrom,
            expected.colourTo,
            boolText(expected.item.interlaced != 0),
            std::to_string(expected.item.bevelStyle),
            std::to_string(expected.item.bevelPosition),
            std::to_string(expected.bevelWidth),
            expected.borderColour,
            std::to_string(expected.borderWidth)};
}

}  // namespace

class StyleImportTest : public PluginTest {
protected:
    size_t callCount(const char* function) const { return norvane::callsTo(function).size(); }

    // Runs the paint the window has pending, if any (the queue yields it at once), and
    // tells whether the plug-in has painted its background more than `before` times.
    bool waitForGradient(size_t before) {
        pumpMessages(0);
        return callCount("MakeGradient") > before;
    }

    void startFloating() {
        writeModuleSettings(settingsLines(floatingSettings()));
        ASSERT_EQ(startPlugin(), 0);
    }
};

TEST_F(StyleImportTest, MissingStyleKeysGiveTheDefaults) {
    writeStyle("menu.frame.color: #123456\n");
    startFloating();
    ASSERT_TRUE(waitForGradient(0)) << "the clock never painted its background";

    std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    norvane::HostCall gradient = norvane::callsTo("MakeGradient").back();
    ASSERT_EQ(parses.size(), 1u);
    ASSERT_FALSE(parses[0].arguments.empty());
    EXPECT_EQ(parses[0].arguments[0], "Flat Gradient Vertical");

    ExpectedGradient expected{parsedStyle("Flat Gradient Vertical"), "#000000", "#ffffff", 1,
                              "#000000", 1};
    ASSERT_EQ(gradient.arguments.size(), 11u);
    EXPECT_EQ(gradientArguments(gradient), expectedArguments(expected));
}

// Bevel style, bevel position and gradient type all differ, so that no two of them
// can change places unseen.
TEST_F(StyleImportTest, StyleValuesReachTheBackgroundPainter) {
    const char kToolbar[] = "Raised Gradient PipeCross Interlaced Bevel2";
    writeStyle(std::string("toolbar: ") + kToolbar + "\n"
               "toolbar.color: #102030\n"
               "toolbar.colorTo: #405060\n"
               "borderColor: #708090\n"
               "bevelWidth: 3\n"
               "borderWidth: 2\n");
    startFloating();
    ASSERT_TRUE(waitForGradient(0)) << "the clock never painted its background";

    std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    norvane::HostCall gradient = norvane::callsTo("MakeGradient").back();
    ASSERT_EQ(parses.size(), 1u);
    EXPECT_EQ(parses[0].arguments[0], kToolbar);
    StyleItem item{};
    item.bevelStyle = 1;     // raised
    item.bevelPosition = 2;  // Bevel2
    item.gradientType = 4;   // pipe cross
    item.interlaced = 1;
    ExpectedGradient expected{item, "#102030", "#405060", 3, "#708090", 2};
    ASSERT_EQ(gradient.arguments.size(), 11u);
    EXPECT_EQ(gradientArguments(gradient), expectedArguments(expected));
}

TEST_F(StyleImportTest, EachImportReplacesTheOneStyleItem) {
    startFloating();
    ASSERT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);

    writeStyle("toolbar: Flat Solid\ntoolbar.color: #aa0000\n");
    norvane::reconfigure();
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);
    EXPECT_EQ(g_heap.freedBlocksOfSize(sizeof(StyleItem)), 1);

    size_t gradients = callCount("MakeGradient");
    norvane::reconfigure();
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);
    EXPECT_EQ(g_heap.freedBlocksOfSize(sizeof(StyleItem)), 2);

    // The item the host filled last is the one alive.
    std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    ASSERT_EQ(parses.size(), 3u);
    EXPECT_EQ(parses.back().arguments[0], "Flat Solid");
    auto live = std::find_if(g_heap.liveBlocks.begin(), g_heap.liveBlocks.end(),
                             [](const auto& block) { return block.second == sizeof(StyleItem); });
    ASSERT_NE(live, g_heap.liveBlocks.end());
    EXPECT_EQ(parses.back().arguments[1], norvane::pointerText(live->first));

    // The new style is painted.
    ASSERT_TRUE(waitForGradient(gradients)) << "no repaint after HM_RECONFIGURE";
    norvane::HostCall gradient = norvane::callsTo("MakeGradient").back();
    ASSERT_EQ(gradient.arguments.size(), 11u);
    EXPECT_EQ(lowerCase(gradient.arguments[3]), "#aa0000");

    stopPlugin();
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0);
    EXPECT_EQ(g_heap.freedBlocksOfSize(sizeof(StyleItem)), 3);
}
