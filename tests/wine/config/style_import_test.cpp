// The host's toolbar style as the shipped DLL imports it at start and on every
// HM_RECONFIGURE, observed through the host calls it makes and what it hands to
// MakeGradient when it paints; and what the host's style can hand the plug-in: a
// toolbar description far longer than the working buffer, a style path longer than
// the record holds, no keys at all, or no style file. The clock starts and paints on
// the defaults or on a bounded copy, and without memory for its style item on a
// plain background.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
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

// Memory that runs out at start-up, the plug-in's own allocations answered with null
// through its heap imports: a start that cannot get its style item runs on with a
// plain background.
TEST_F(StyleImportTest, NoStyleItemPaintsAPlainBackgroundAndStopsCleanly) {
    writeModuleSettings(settingsLines(floatingSettings()));
    const std::size_t blocksBefore = g_heap.liveBlocks.size();
    g_heap.failMallocOfSize = sizeof(StyleItem);

    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_GE(g_heap.failedMallocs, 1);
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0);
    EXPECT_TRUE(norvane::callsTo("ParseItem").empty()) << "the host was handed no item";
    ASSERT_TRUE(waitForGradient(0)) << "the clock never painted";

    // The fallback background: a vertical gradient, not interlaced, flat.
    const norvane::HostCall gradient = norvane::callsTo("MakeGradient").back();
    ASSERT_EQ(gradient.arguments.size(), 11u);
    EXPECT_EQ(gradient.arguments[2], std::to_string(GRADIENT_VERTICAL));
    EXPECT_EQ(gradient.arguments[5], boolText(false));
    EXPECT_EQ(gradient.arguments[6], "0");
    EXPECT_EQ(gradient.arguments[7], "1");

    // A style change with memory back takes the item again.
    g_heap.failMallocOfSize = 0;
    norvane::reconfigure();
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);
    EXPECT_EQ(norvane::callsTo("ParseItem").size(), 1u);

    stopPlugin();
    EXPECT_EQ(g_heap.liveBlocks.size(), blocksBefore) << "the stop left heap blocks";
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());
}

// What the host's style can hand the plug-in at its limits: a description far
// longer than the working buffer, a path longer than the record holds, no keys at
// all, or no style file.

namespace {

std::string lastGradientColours() {
    const std::vector<norvane::HostCall> gradients = norvane::callsTo("MakeGradient");
    if (gradients.empty())
        return "no gradient";
    const std::vector<std::string>& arguments = gradients.back().arguments;
    // The context, the rectangle and the kind come first; then the two colours.
    std::string colours = arguments[3] + " " + arguments[4] + " border " + arguments[9];
    for (char& c : colours)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return colours;
}

}  // namespace

class StyleInputTest : public PluginTest {
protected:
    void startAndPaint() {
        writeModuleSettings(settingsLines(floatingSettings()));
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
        paintNow();
        EXPECT_FALSE(paintPending());
        EXPECT_EQ(g_gdi.liveObjects.size(), 2u);  // the kept face
    }
};

TEST_F(StyleInputTest, LongToolbarDescriptionIsCutToTheWorkingBuffer) {
    std::string description;
    while (description.size() < 5000)
        description += "Raised Gradient Horizontal Interlaced ";
    description.resize(5000);
    writeStyle("toolbar: " + description + "\ntoolbar.color: #102030\n");
    startAndPaint();
    const std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    ASSERT_EQ(parses.size(), 1u);
    EXPECT_EQ(parses[0].arguments[0], description.substr(0, 1023));
    EXPECT_EQ(lastGradientColours().substr(0, 7), "#102030");
}

// The 259 characters that fit of a 300-character style path name a real file with
// colours of its own: a cut path would read that file instead of the host's style.
TEST_F(StyleInputTest, StylePathLongerThanTheRecordReadsAsMissing) {
    std::string directory = hostDirectory();
    while (directory.size() < 100)
        directory = makeSubdirectory(directory, "deeper");
    ASSERT_FALSE(directory.empty());
    const std::string longPath = directory + std::string(300 - directory.size() - 6, 's') + ".style";
    ASSERT_EQ(longPath.size(), 300u);
    const std::string cutPath = longPath.substr(0, 259);
    ASSERT_TRUE(writeWholeFile(cutPath, "toolbar.color: #aa0000\ntoolbar.colorTo: #00aa00\n"
                                        "borderColor: #0000aa\n"));
    restartHost(hostDirectory(), longPath);
    if (HasFatalFailure())
        return;
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#000000 #ffffff border #000000")
        << "the style was read from the file that the cut path names";
    for (const norvane::HostCall& call : norvane::callsTo("ReadColor"))
        EXPECT_NE(call.arguments[0], cutPath);
}

TEST_F(StyleInputTest, StylePathThatFitsExactlyIsRead) {
    std::string directory = hostDirectory();
    while (directory.size() < 100)
        directory = makeSubdirectory(directory, "deeper");
    ASSERT_FALSE(directory.empty());
    const std::string path = directory + std::string(259 - directory.size() - 6, 's') + ".style";
    ASSERT_EQ(path.size(), 259u);
    ASSERT_TRUE(writeWholeFile(path, "toolbar.color: #aa0000\ntoolbar.colorTo: #00aa00\n"
                                     "borderColor: #0000aa\n"));
    restartHost(hostDirectory(), path);
    if (HasFatalFailure())
        return;
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#aa0000 #00aa00 border #0000aa");
}

namespace {

struct MissingStyleCase {
    const char* name;
    // Prepares the style the host names; returns false when it cannot.
    bool (*prepare)(const std::string& styleFile);
};

bool emptyStyle(const std::string& styleFile) {
    return writeWholeFile(styleFile, "");
}

bool noStyleFile(const std::string& styleFile) {
    return DeleteFileA(styleFile.c_str()) != 0;
}

bool directoryInstead(const std::string& styleFile) {
    return DeleteFileA(styleFile.c_str()) && CreateDirectoryA(styleFile.c_str(), nullptr);
}

bool garbageStyle(const std::string& styleFile) {
    std::string text(1 << 20, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>((i * 7919u) >> 3);
    return writeWholeFile(styleFile, text);
}

}  // namespace

class MissingStyleTest : public StyleInputTest,
                         public testing::WithParamInterface<MissingStyleCase> {};

TEST_P(MissingStyleTest, EveryKeyTakesItsDefault) {
    ASSERT_TRUE(GetParam().prepare(styleFile()));
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#000000 #ffffff border #000000");
    const std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    ASSERT_EQ(parses.size(), 1u);
    EXPECT_EQ(parses[0].arguments[0], "Flat Gradient Vertical");
    norvane::reconfigure();
    EXPECT_EQ(norvane::callsTo("ParseItem").size(), 2u);
    EXPECT_TRUE(IsWindow(clockWindow()));
    if (std::string(GetParam().name) == "DirectoryInstead")
        RemoveDirectoryA(styleFile().c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MissingStyleTest,
    testing::Values(MissingStyleCase{"EveryKeyMissing", emptyStyle},
                    MissingStyleCase{"NoStyleFile", noStyleFile},
                    MissingStyleCase{"DirectoryInstead", directoryInstead},
                    MissingStyleCase{"OneMiBOfGarbage", garbageStyle}),
    [](const testing::TestParamInfo<MissingStyleCase>& info) { return std::string(info.param.name); });
