// The settings as the plug-in reads them: a missing key takes its default, a
// position beyond the primary screen starts at 0 (the file keeps it), and whatever
// else a user, another program or a broken disk can leave in the file: sizes that
// are zero, negative or absurd, positions off every screen, colour and translucency
// components out of range, texts that are not numbers, and files that are not
// settings files at all.
// The clock starts, paints within what the screen can show, keeps every value it
// read, and writes the file back whole.
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "face/face_plan.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

struct SizeCase {
    const char* name;
    int width;
    int height;
    int circleSize;
};

struct PositionCase {
    const char* name;
    int x;
    int y;
    int width;
};

struct ColourCase {
    const char* name;
    int red, green, blue;
    int alpha;
};

Settings sizedSettings(int width, int height, int circleSize) {
    Settings settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.position.width:", std::to_string(width));
    settings = withSetting(settings, "Pipwick.position.height:", std::to_string(height));
    settings = withSetting(settings, "Pipwick.size.circlesize:", std::to_string(circleSize));
    return settings;
}

std::string valueOf(const Settings& settings, const std::string& key) {
    for (const auto& line : settings) {
        if (line.first == key)
            return line.second;
    }
    return std::string();
}

// The settings as the plug-in holds them when nothing could be read: every key at
// the value a reader falls back to.
Settings missingKeyValues() {
    return {
        {"Pipwick.position.x:", "10"},
        {"Pipwick.position.y:", "10"},
        {"Pipwick.position.width:", "200"},
        {"Pipwick.position.height:", "200"},
        {"Pipwick.size.circlesize:", "4"},
        {"Pipwick.color.unmarked.red:", "255"},
        {"Pipwick.color.unmarked.green:", "255"},
        {"Pipwick.color.unmarked.blue:", "255"},
        {"Pipwick.color.marked.red:", "0"},
        {"Pipwick.color.marked.green:", "0"},
        {"Pipwick.color.marked.blue:", "0"},
        {"Pipwick.alwaysOnTop:", "true"},
        {"Pipwick.snapWindow:", "true"},
        {"Pipwick.transparency:", "false"},
        {"Pipwick.transparency.alpha:", "200"},
        {"Pipwick.inSlit:", "false"},
        {"Pipwick.autoResize:", "true"},
        {"Pipwick.timerInterval:", "5"},
    };
}

// Bytes that are not a settings file: a fixed pseudo-random sequence over every byte
// value, NUL, CR, LF and colons included.
std::string garbage(size_t size) {
    std::string text(size, '\0');
    unsigned state = 12345u;
    for (char& c : text) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    return text;
}

}  // namespace

class SettingsReadTest : public PluginTest {
protected:
    // A paint that ran to its end, released what it made but the kept face (a context
    // and a bitmap), and asked GDI for no surface larger than all screens together.
    void expectSoundPaint() {
        const size_t bitmapsBefore = g_gdiSizes.bitmaps.size();
        paintNow();
        EXPECT_FALSE(paintPending()) << "the paint did not complete";
        const int kept = static_cast<int>(g_gdi.liveObjects.size()) / 2;
        EXPECT_LE(kept, 1) << "the paint kept an object alive";
        EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted + kept);
        EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted + kept);
        const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        for (size_t i = bitmapsBefore; i < g_gdiSizes.bitmaps.size(); ++i) {
            const BitmapRequest& bitmap = g_gdiSizes.bitmaps[i];
            EXPECT_LE(bitmap.width, screenWidth) << "a surface wider than every screen";
            EXPECT_LE(bitmap.height, screenHeight) << "a surface taller than every screen";
            EXPECT_GE(bitmap.width, 0);
            EXPECT_GE(bitmap.height, 0);
        }
        // A dot too large to show is left out, not drawn for minutes.
        EXPECT_LE(g_gdiSizes.widestEllipse, kLargestDrawnDot) << "an oversized dot was drawn";
        EXPECT_LE(g_gdiSizes.tallestEllipse, kLargestDrawnDot) << "an oversized dot was drawn";
    }

    void expectSaneWindowRect() {
        RECT bounds;
        ASSERT_TRUE(GetWindowRect(clockWindow(), &bounds));
        EXPECT_LE(bounds.left, bounds.right) << "the window's rectangle is inverted";
        EXPECT_LE(bounds.top, bounds.bottom) << "the window's rectangle is inverted";
    }
};

TEST_F(SettingsReadTest, MissingKeysTakeTheirDefaults) {
    writeModuleSettings("Pipwick.size.circlesize: 7\n");
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(300, 40);
    EXPECT_EQ(moduleSettings(),
              "Pipwick.size.circlesize: 7\n"
              "Pipwick.position.x: 300\n"
              "Pipwick.position.y: 40\n"
              "Pipwick.position.width: 200\n"
              "Pipwick.position.height: 200\n"
              "Pipwick.color.unmarked.red: 255\n"
              "Pipwick.color.unmarked.green: 255\n"
              "Pipwick.color.unmarked.blue: 255\n"
              "Pipwick.color.marked.red: 0\n"
              "Pipwick.color.marked.green: 0\n"
              "Pipwick.color.marked.blue: 0\n"
              "Pipwick.alwaysOnTop: true\n"
              "Pipwick.snapWindow: true\n"
              "Pipwick.transparency: false\r\n"
              "Pipwick.transparency.alpha: 200\r\n"
              "Pipwick.inSlit: false\r\n"
              "Pipwick.autoResize: true\r\n"
              "Pipwick.timerInterval: 5\n");
}

// On a desktop of one monitor, the window starts within its size: a coordinate at or
// beyond it starts at 0, anything less (negative included) stays. The file keeps the
// position as it was.

struct ClampCase {
    const char* name;
    int x, y;
    int expectedX, expectedY;
};

class ScreenClampTest : public PluginTest, public testing::WithParamInterface<ClampCase> {};

TEST_P(ScreenClampTest, PositionIsClampedToTheScreenSize) {
    const ClampCase& clamp = GetParam();
    useMonitors({{0, 0, 800, 600}});
    if (HasFatalFailure())
        return;
    auto settings = withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(clamp.x));
    const std::string text =
        settingsLines(withSetting(settings, "Pipwick.position.y:", std::to_string(clamp.y)));
    writeModuleSettings(text);

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, clamp.expectedX);
    EXPECT_EQ(bounds.top, clamp.expectedY);

    // Where the window starts is not the user's choice: the file keeps the position.
    widenClockWindow(1);
    stopPlugin();
    EXPECT_EQ(moduleSettings(), text);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ScreenClampTest,
    testing::Values(ClampCase{"XAtScreenWidth", 800, 20, 0, 20},
                    ClampCase{"YAtScreenHeight", 20, 600, 20, 0},
                    ClampCase{"BothBeyond", 900, 700, 0, 0},
                    ClampCase{"OneLessStays", 799, 599, 799, 599},
                    ClampCase{"NegativeStays", -5, -7, -5, -7}),
    [](const testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });

class BadSizeTest : public SettingsReadTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(BadSizeTest, StartsPaintsBoundedAndKeepsTheValues) {
    const SizeCase& size = GetParam();
    fixLocalTime(23, 59, 59);
    const Settings settings = sizedSettings(size.width, size.height, size.circleSize);
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    installGdiSizeRecords();
    if (HasFatalFailure())
        return;
    expectSaneWindowRect();
    expectSoundPaint();
    // A window with a client area paints a face; one without has nothing to paint.
    RECT client;
    GetClientRect(clockWindow(), &client);
    if (!IsRectEmpty(&client)) {
        EXPECT_FALSE(g_gdiSizes.bitmaps.empty()) << "the paint never drew";
    }

    // A move writes the file back: the values stand as they were read.
    moveClockWindow(300, 40);
    Settings moved = withSetting(settings, "Pipwick.position.x:", "300");
    moved = withSetting(moved, "Pipwick.position.y:", "40");
    EXPECT_EQ(moduleSettings(), writtenText(moved));
    expectSoundPaint();
    EXPECT_TRUE(IsWindow(clockWindow()));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BadSizeTest,
    testing::Values(SizeCase{"WidthZero", 0, 200, 4}, SizeCase{"HeightZero", 200, 0, 4},
                    SizeCase{"WidthNegative", -200, 200, 4},
                    SizeCase{"HeightNegative", 200, -50, 4},
                    SizeCase{"Width100000", 100000, 200, 4},
                    SizeCase{"Height100000", 200, 100000, 4},
                    SizeCase{"WidthLargest", INT_MAX, 200, 4},
                    SizeCase{"HeightLargest", 200, INT_MAX, 4},
                    SizeCase{"BothLargest", INT_MAX, INT_MAX, 4},
                    SizeCase{"BothSmallest", INT_MIN, INT_MIN, 4},
                    SizeCase{"CircleZero", 200, 200, 0},
                    SizeCase{"CircleNegative", 200, 200, -40},
                    SizeCase{"CircleLargerThanFace", 200, 200, 500},
                    SizeCase{"Circle100000", 200, 200, 100000},
                    SizeCase{"Circle10Million", 200, 200, 10000000},
                    SizeCase{"Circle100Million", 200, 200, 100000000},
                    SizeCase{"CircleLargest", 200, 200, INT_MAX},
                    SizeCase{"CircleSmallest", 200, 200, INT_MIN},
                    SizeCase{"AllLargest", INT_MAX, INT_MAX, INT_MAX}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

// A width or height too small for a face that shows all twenty dots apart reads as
// the smallest such face, 36 by 24; the file keeps the values as written.

struct SmallSizeCase {
    const char* name;
    int width, height;
    int expectedWidth, expectedHeight;
};

class SmallestFaceTest : public SettingsReadTest, public testing::WithParamInterface<SmallSizeCase> {};

TEST_P(SmallestFaceTest, TooSmallASizeReadsAsTheSmallestFace) {
    const SmallSizeCase& size = GetParam();
    const Settings settings = sizedSettings(size.width, size.height, 4);
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    installGdiSizeRecords();
    if (HasFatalFailure())
        return;
    const RECT bounds = windowBounds(clockWindow());
    EXPECT_EQ(bounds.right - bounds.left, size.expectedWidth);
    EXPECT_EQ(bounds.bottom - bounds.top, size.expectedHeight);

    paintNow();
    ASSERT_EQ(g_gdiSizes.ellipses, 20);
    const std::set<int> columns(g_gdiSizes.ellipseLefts.begin(), g_gdiSizes.ellipseLefts.end());
    EXPECT_EQ(columns.size(), 6u) << "columns of dots fell together";
    EXPECT_LE(*columns.rbegin() + 4, size.expectedWidth) << "the last column lies outside the face";

    moveClockWindow(300, 40);
    Settings moved = withSetting(settings, "Pipwick.position.x:", "300");
    moved = withSetting(moved, "Pipwick.position.y:", "40");
    EXPECT_EQ(moduleSettings(), writtenText(moved));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SmallestFaceTest,
    testing::Values(SmallSizeCase{"WidthZero", 0, 200, 36, 200},
                    SmallSizeCase{"HeightNegative", 200, -50, 200, 24},
                    SmallSizeCase{"OneBelowTheSmallest", 35, 23, 36, 24},
                    SmallSizeCase{"TheSmallest", 36, 24, 36, 24},
                    SmallSizeCase{"BothSmallest", INT_MIN, INT_MIN, 36, 24}),
    [](const testing::TestParamInfo<SmallSizeCase>& info) { return std::string(info.param.name); });

class FarPositionTest : public SettingsReadTest,
                        public testing::WithParamInterface<PositionCase> {};

TEST_P(FarPositionTest, StartsPaintsAndStaysWithinReach) {
    const PositionCase& position = GetParam();
    Settings settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.position.x:", std::to_string(position.x));
    settings = withSetting(settings, "Pipwick.position.y:", std::to_string(position.y));
    settings = withSetting(settings, "Pipwick.position.width:", std::to_string(position.width));
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    installGdiSizeRecords();
    if (HasFatalFailure())
        return;
    expectSaneWindowRect();
    expectSoundPaint();

    // Some part of the window lies on a screen, so the user can reach it.
    RECT bounds;
    ASSERT_TRUE(GetWindowRect(clockWindow(), &bounds));
    const RECT screens = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT onScreen;
    EXPECT_TRUE(IntersectRect(&onScreen, &bounds, &screens))
        << "the clock lies off every screen at " << bounds.left << ", " << bounds.top;

    // What is not a position stays as read: the size goes back unchanged. Away from
    // its saved place, the clock takes a new one from a drag.
    SendMessageA(clockWindow(), WM_ENTERSIZEMOVE, 0, 0);
    moveClockWindow(300, 40);
    SendMessageA(clockWindow(), WM_EXITSIZEMOVE, 0, 0);
    const std::string written = moduleSettings();
    EXPECT_NE(written.find("Pipwick.position.width: " + std::to_string(position.width) + "\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("Pipwick.position.x: 300\n"), std::string::npos) << written;
}

INSTANTIATE_TEST_SUITE_P(
    Positions, FarPositionTest,
    testing::Values(PositionCase{"FarLeft", -100000, 50, 200},
                    PositionCase{"FarAbove", 50, -100000, 200},
                    PositionCase{"SmallestBoth", INT_MIN, INT_MIN, 200},
                    PositionCase{"LargestBoth", INT_MAX, INT_MAX, 200},
                    PositionCase{"JustLeftOfTheScreen", -200, 50, 200},
                    PositionCase{"SmallestWithLargestWidth", INT_MIN, 50, INT_MAX},
                    PositionCase{"LargestWidthAtTheRightEdge", 1000, 50, INT_MAX}),
    [](const testing::TestParamInfo<PositionCase>& info) { return std::string(info.param.name); });

// A window partly off the left of the screen stays where the user put it.
TEST_F(SettingsReadTest, PartlyVisiblePositionsStayAsRead) {
    Settings settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.position.x:", "-150");
    settings = withSetting(settings, "Pipwick.position.y:", "-20");
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    RECT bounds;
    ASSERT_TRUE(GetWindowRect(clockWindow(), &bounds));
    EXPECT_EQ(bounds.left, -150);
    EXPECT_EQ(bounds.top, -20);
    widenClockWindow(1);
    EXPECT_NE(moduleSettings().find("Pipwick.position.x: -150\n"), std::string::npos)
        << moduleSettings();
}

class ColourRangeTest : public SettingsReadTest,
                        public testing::WithParamInterface<ColourCase> {};

TEST_P(ColourRangeTest, UsedWithinRangeAndTheFileKeepsTheValue) {
    const ColourCase& colour = GetParam();
    Settings settings = floatingSettings();
    for (const char* key : {"Pipwick.color.marked.red:", "Pipwick.color.unmarked.red:"})
        settings = withSetting(settings, key, std::to_string(colour.red));
    for (const char* key : {"Pipwick.color.marked.green:", "Pipwick.color.unmarked.green:"})
        settings = withSetting(settings, key, std::to_string(colour.green));
    for (const char* key : {"Pipwick.color.marked.blue:", "Pipwick.color.unmarked.blue:"})
        settings = withSetting(settings, key, std::to_string(colour.blue));
    settings = withSetting(settings, "Pipwick.transparency:", "true");
    settings = withSetting(settings, "Pipwick.transparency.alpha:", std::to_string(colour.alpha));
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);

    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    // An alpha beyond a byte takes the nearest end.
    EXPECT_EQ(alpha, colour.alpha < 0 ? 0 : colour.alpha > 255 ? 255 : colour.alpha);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    moveClockWindow(300, 40);
    Settings moved = withSetting(settings, "Pipwick.position.x:", "300");
    moved = withSetting(moved, "Pipwick.position.y:", "40");
    EXPECT_EQ(moduleSettings(), writtenText(moved));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourRangeTest,
    testing::Values(ColourCase{"Negative", -1, -255, -256, -1},
                    ColourCase{"BeyondAByte", 256, 511, 1000, 300},
                    ColourCase{"Extremes", INT_MIN, INT_MAX, INT_MIN, INT_MAX},
                    ColourCase{"SmallestAlpha", 0, 0, 0, INT_MIN}),
    [](const testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

// Values that are not numbers read as their key's missing value; every other line
// is read as written.
TEST_F(SettingsReadTest, ValuesThatAreNotNumbersReadAsMissing) {
    Settings settings = floatingSettings();
    Settings text = withSetting(settings, "Pipwick.position.width:", "wide");
    text = withSetting(text, "Pipwick.position.height:", "12abc");
    text = withSetting(text, "Pipwick.size.circlesize:", "");
    text = withSetting(text, "Pipwick.color.marked.red:", "99999999999999999999");
    text = withSetting(text, "Pipwick.transparency.alpha:", "0x10");
    text = withSetting(text, "Pipwick.alwaysOnTop:", "yes");
    writeModuleSettings(settingsLines(text));
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);

    moveClockWindow(300, 40);
    Settings expected = withSetting(settings, "Pipwick.position.x:", "300");
    expected = withSetting(expected, "Pipwick.position.y:", "40");
    expected = withSetting(expected, "Pipwick.position.width:", "200");
    expected = withSetting(expected, "Pipwick.position.height:", "200");
    expected = withSetting(expected, "Pipwick.size.circlesize:", "4");
    expected = withSetting(expected, "Pipwick.color.marked.red:", "0");
    expected = withSetting(expected, "Pipwick.transparency.alpha:", "200");
    expected = withSetting(expected, "Pipwick.alwaysOnTop:", "true");
    EXPECT_EQ(moduleSettings(), writtenText(expected));
}

namespace {

struct BrokenFileCase {
    const char* name;
    std::string (*text)();
    // The settings that reading it gives, before the position of the test's move.
    Settings (*readsAs)();
    // The file the move writes, from the text of the eighteen lines alone; none, those.
    std::string (*writtenBack)(std::string lines) = nullptr;
};

std::string oneMiBOfGarbage() {
    return garbage(1 << 20);
}

// Every line there, but run together without a single line end: one line, whose
// first key holds everything after it.
std::string withoutLineEnds() {
    std::string text;
    for (const auto& line : floatingSettings())
        text += line.first + " " + line.second + " ";
    return text;
}

// NUL bytes inside two values and between two lines.
std::string withNulBytes() {
    const std::string nul(1, '\0');
    std::string text = settingsLines(floatingSettings());
    const std::string width = "Pipwick.position.width: 200";
    text.replace(text.find(width), width.size(), "Pipwick.position.width: 3" + nul + "00");
    const std::string red = "Pipwick.color.unmarked.red: 255\n";
    text.replace(text.find(red), red.size(), "Pipwick.color.unmarked.red: " + nul + "255\n" + nul);
    return text;
}

Settings nulBytesReadAs() {
    Settings settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.position.width:", "200");
    // A NUL before a value, or before a key, hides it: the two colour components
    // read as missing, as on a first start.
    settings = withSetting(settings, "Pipwick.color.unmarked.red:", "255");
    return withSetting(settings, "Pipwick.color.unmarked.green:", "255");
}

// Half a settings file, cut in the middle of a line, as a failed copy leaves it.
std::string cutInHalf() {
    const std::string text = settingsLines(floatingSettings());
    return text.substr(0, text.find("Pipwick.color.marked.green:") + 10);
}

Settings cutInHalfReadsAs() {
    Settings settings = missingKeyValues();
    for (const char* key : {"Pipwick.position.x:", "Pipwick.position.y:",
                            "Pipwick.position.width:", "Pipwick.position.height:",
                            "Pipwick.size.circlesize:", "Pipwick.color.unmarked.red:",
                            "Pipwick.color.unmarked.green:", "Pipwick.color.unmarked.blue:",
                            "Pipwick.color.marked.red:"})
        settings = withSetting(settings, key, valueOf(floatingSettings(), key));
    return settings;
}

}  // namespace

class BrokenFileTest : public SettingsReadTest,
                       public testing::WithParamInterface<BrokenFileCase> {};

TEST_P(BrokenFileTest, ReadsWhatIsThereAndWritesAWholeFileBack) {
    const BrokenFileCase& broken = GetParam();
    writeModuleSettings(broken.text());
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    pumpMessages();

    moveClockWindow(300, 40);
    Settings expected = withSetting(broken.readsAs(), "Pipwick.position.x:", "300");
    expected = withSetting(expected, "Pipwick.position.y:", "40");
    const std::string lines = writtenText(expected);
    EXPECT_EQ(moduleSettings(), broken.writtenBack ? broken.writtenBack(lines) : lines);
    EXPECT_EQ(filesIn(moduleDirectory()), (std::vector<std::string>{"Pipwick.dll", "Pipwick.rc"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFileTest,
    testing::Values(BrokenFileCase{"OneMiBOfGarbage", oneMiBOfGarbage, missingKeyValues},
                    BrokenFileCase{"WithoutLineEnds", withoutLineEnds, missingKeyValues},
                    // The line whose key a NUL hides stays; the key follows at the end.
                    BrokenFileCase{"WithNulBytes", withNulBytes, nulBytesReadAs,
                                   [](std::string lines) {
                                       const std::string green = "Pipwick.color.unmarked.green:";
                                       lines.insert(lines.find(green), 1, '\0');
                                       return lines + green + " 255\n";
                                   }},
                    // The line cut short stays, with a line end after it.
                    BrokenFileCase{"CutInHalf", cutInHalf, cutInHalfReadsAs,
                                   [](std::string lines) {
                                       return lines.insert(lines.find("Pipwick.color.marked.green:"),
                                                           "Pipwick.co\n");
                                   }}),
    [](const testing::TestParamInfo<BrokenFileCase>& info) { return std::string(info.param.name); });
