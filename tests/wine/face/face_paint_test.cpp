// The clock face as the shipped DLL paints it: the window's pixels read back after
// a paint at a fixed time, compared with the face its table describes, also where
// the window lies partly off the screen; the GDI objects that thousands of paints
// make and release; and paints whose GDI calls fail.
#include <float.h>

#include <ostream>
#include <string>
#include <vector>

#include "face_expectation.h"
#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "pixels.h"
#include "plugin_fixture.h"
#include "redirections.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);

struct FaceCase {
    const char* name;
    int width, height, circleSize;
    Rgb marked, unmarked;
    int hour, minute, second;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const FaceCase& face, std::ostream* out) {
    *out << face.name;
}

}  // namespace

class FacePaintTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        writeStyle(kSolidToolbarStyle);
    }

    // The clock window shows `face` on the solid toolbar.
    void expectWindowShows(const ExpectedFace& face, int height) {
        const WindowPixels pixels = WindowPixels::capture(clockWindow());
        ASSERT_TRUE(pixels.valid());
        expectFaceShown(pixels, face, height, kSolidToolbarColour);
    }

    void startWith(int width, int height, int circleSize, Rgb marked, Rgb unmarked) {
        writeModuleSettings(settingsLines(faceSettings(width, height, circleSize, marked, unmarked)));
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
    }

    int gradientCalls() const {
        return static_cast<int>(norvane::callsTo("MakeGradient").size());
    }
};

class FacePixelsTest : public FacePaintTest, public testing::WithParamInterface<FaceCase> {};

TEST_P(FacePixelsTest, DotsAndLinesFollowThePlan) {
    const FaceCase& face = GetParam();
    fixLocalTime(face.hour, face.minute, face.second);
    startWith(face.width, face.height, face.circleSize, face.marked, face.unmarked);
    if (HasFatalFailure())
        return;

    paintNow();
    EXPECT_FALSE(paintPending());
    EXPECT_GT(g_clock.calls, 0);

    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    ASSERT_EQ(pixels.width(), face.width);
    ASSERT_EQ(pixels.height(), face.height);
    const ExpectedFace plan =
        expectedFace(face.width, face.height, face.circleSize, plainColour(face.marked),
                     plainColour(face.unmarked), face.hour, face.minute, face.second);
    expectFaceShown(pixels, plan, face.height, kSolidToolbarColour);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FacePixelsTest,
    testing::Values(
        FaceCase{"Large_RedOnGreen_235959", 200, 200, 12, {200, 30, 40}, {20, 220, 60}, 23, 59, 59},
        FaceCase{"Large_BlackOnWhite_123456", 200, 200, 12, {0, 0, 0}, {255, 255, 255}, 12, 34, 56},
        FaceCase{"Small_BlackOnWhite_235959", 100, 60, 8, {0, 0, 0}, {255, 255, 255}, 23, 59, 59},
        FaceCase{"Small_RedOnGreen_200000", 100, 60, 8, {200, 30, 40}, {20, 220, 60}, 20, 0, 0},
        FaceCase{"Small_RedOnGreen_074817", 100, 60, 8, {200, 30, 40}, {20, 220, 60}, 7, 48, 17}),
    [](const testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.name); });

// At 90 pixels, the narrowest width auto-resizing leaves, 90 x 0.7 falls just short of
// 63 as a double: the seconds' tens column lies at 62. Decimal integer arithmetic
// (90 * 70 / 100) would put it at 63, a pixel off.
TEST_F(FacePaintTest, NinetyPixelsWidePutsTheSecondsTensColumnAtSixtyTwo) {
    fixLocalTime(23, 59, 59);
    startWith(90, 60, 6, {0, 0, 0}, {255, 255, 255});
    if (HasFatalFailure())
        return;

    paintNow();
    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    const ExpectedFace plan = expectedFace(90, 60, 6, kBlack, RGB(255, 255, 255), 23, 59, 59);
    const ExpectedDot& firstSecondsTensDot = plan.dots[2 + 4 + 3 + 4];
    ASSERT_EQ(firstSecondsTensDot.left, 62);
    EXPECT_EQ(plan.lineX[0], 29);
    EXPECT_EQ(plan.lineX[1], 59);
    expectFaceShown(pixels, plan, 60, kSolidToolbarColour);
}

// A paint makes its calls in a fixed order: the time, the dots over the kept face
// with the one DC brush, and one copy to the window; it makes nothing.
TEST_F(FacePaintTest, PaintMakesItsCallsInOrder) {
    fixLocalTime(12, 34, 56);
    startWith(200, 200, 12, {0, 0, 0}, {255, 255, 255});
    if (HasFatalFailure())
        return;
    redirectAll(paintCallRedirections());
    if (HasFatalFailure())
        return;
    pumpMessages();

    g_paintCalls = PaintCallRecords{};
    g_paintCalls.recording = true;
    paintNow();
    g_paintCalls.recording = false;

    std::vector<std::string> expected = {
        "GetClientRect", "BeginPaint", "GetLocalTime", "GetStockObject", "SelectObject",
    };
    for (int dot = 0; dot < 20; ++dot) {
        expected.push_back("SetDCBrushColor");
        expected.push_back("Ellipse");
    }
    for (const char* name : {"BitBlt", "EndPaint"})
        expected.push_back(name);
    EXPECT_EQ(g_paintCalls.names, expected);
}

// A window made larger than the face by someone else: the face stays as planned and
// the rest of the client area shows the toolbar's colour.
TEST_F(FacePaintTest, ClientBeyondTheFaceShowsTheToolbarColour) {
    fixLocalTime(23, 59, 59);
    startWith(100, 60, 8, {0, 0, 0}, {255, 255, 255});
    if (HasFatalFailure())
        return;
    SetWindowPos(clockWindow(), nullptr, 0, 0, 160, 110,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    paintNow();

    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    ASSERT_EQ(pixels.width(), 160);
    ASSERT_EQ(pixels.height(), 110);
    for (const POINT outside : {POINT{100, 0}, POINT{130, 30}, POINT{159, 109}, POINT{0, 60},
                                POINT{50, 85}, POINT{99, 109}}) {
        EXPECT_EQ(colourText(pixels.at(outside.x, outside.y)), colourText(kSolidToolbarColour))
            << "at " << outside.x << ", " << outside.y;
    }
    const ExpectedFace plan = expectedFace(100, 60, 8, kBlack, RGB(255, 255, 255), 23, 59, 59);
    expectFaceShown(pixels, plan, 60, kSolidToolbarColour);
}

// Only the part on screen is painted, and in its place: the surface of such a paint
// starts at the screen's edge, not at the window's.
TEST_F(FacePaintTest, PartlyVisibleWindowPaintsItsVisiblePartInPlace) {
    fixLocalTime(23, 59, 59);
    writeStyle("toolbar: Flat Solid\ntoolbar.color: #3c5a78\ntoolbar.colorTo: #3c5a78\n"
               "bevelWidth: 0\nborderWidth: 0\n");
    const auto settings = withSetting(faceSettings(200, 200, 12, {200, 0, 0}, {255, 100, 255}),
                                      "Pipwick.position.x:", "-60");
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    installGdiSizeRecords();
    if (HasFatalFailure())
        return;
    paintNow();
    ASSERT_FALSE(g_gdiSizes.bitmaps.empty());
    // The system decides how much of the part off screen it clips away; some of it
    // goes, so the surface starts right of the window's edge.
    EXPECT_LT(g_gdiSizes.bitmaps.back().width, 200) << "the surface covers the part off screen";

    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    const ExpectedFace face =
        expectedFace(200, 200, 12, RGB(200, 0, 0), RGB(255, 100, 255), 23, 59, 59);
    int checked = 0;
    for (size_t i = 0; i < face.dots.size(); ++i) {
        const ExpectedDot& dot = face.dots[i];
        if (dot.left < 70)
            continue;  // off the screen, or too near its edge
        const int x = (dot.left + dot.right) / 2;
        const int y = (dot.top + dot.bottom) / 2;
        EXPECT_EQ(colourText(pixels.at(x, y)), colourText(dot.fill)) << "dot " << i;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}


TEST_F(FacePaintTest, NoLocalTimeLeavesEveryDotUnmarked) {
    const Rgb marked{200, 30, 40};
    const Rgb unmarked{20, 220, 60};
    g_clock.noTimeOfDay = true;
    startWith(200, 200, 12, marked, unmarked);
    if (HasFatalFailure())
        return;

    const int clockCallsBefore = g_clock.calls;
    paintNow();
    EXPECT_GT(g_clock.calls, clockCallsBefore);
    EXPECT_FALSE(paintPending()) << "the paint did not complete";

    // Midnight's plan has every dot unmarked.
    const ExpectedFace plan =
        expectedFace(200, 200, 12, plainColour(marked), plainColour(unmarked), 0, 0, 0);
    expectWindowShows(plan, 200);
}

TEST_F(FacePaintTest, ColourComponentsPaintTheirLowByteOnly) {
    // 256 paints 0, 300 paints 44, -1 and 511 paint 255, 456 paints 200.
    fixLocalTime(23, 59, 59);
    startWith(200, 200, 12, {256, 300, -1}, {-1, 511, 456});
    if (HasFatalFailure())
        return;

    paintNow();
    const ExpectedFace plan =
        expectedFace(200, 200, 12, RGB(0, 44, 255), RGB(255, 255, 200), 23, 59, 59);
    expectWindowShows(plan, 200);
}

// "ReadSettings" applies no position, but the next paint uses the colours and the
// dot size it read.
TEST_F(FacePaintTest, PaintAfterReadSettingsShowsTheNewColoursAndDotSize) {
    fixLocalTime(12, 34, 56);
    startWith(200, 200, 12, {0, 0, 0}, {255, 255, 255});
    if (HasFatalFailure())
        return;
    paintNow();
    writeModuleSettings(
        settingsLines(faceSettings(200, 200, 8, {200, 30, 40}, {20, 220, 60})));
    norvane::broadcast("@Pipwick ReadSettings");
    paintNow();

    const ExpectedFace face =
        expectedFace(200, 200, 8, RGB(200, 30, 40), RGB(20, 220, 60), 12, 34, 56);
    expectWindowShows(face, 200);
}

// The host draws the background once for thousands of paints, which make no GDI
// object: the kept face is one context and one bitmap. A style change and a resize each have it drawn once more, and show, and so does a display
// change; the end releases it.
TEST_F(FacePaintTest, BackgroundIsDrawnOncePerStyleAndSizeAndReleasedAtTheEnd) {
    fixLocalTime(12, 34, 56);
    startFrom(withSetting(faceSettings(100, 60, 8, {0, 0, 0}, {255, 255, 255}),
                          "Pipwick.autoResize:", "true"));
    if (HasFatalFailure())
        return;
    paintNow();
    const GdiRecords before = g_gdi;
    const int gradientsBefore = gradientCalls();
    ASSERT_EQ(before.liveObjects.size(), 2u);

    const int kPaints = 3000;  // any object a paint keeps shows as a steady surplus
    for (int i = 0; i < kPaints; ++i)
        paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore);
    EXPECT_EQ(g_gdi.contextsCreated, before.contextsCreated);
    EXPECT_EQ(g_gdi.bitmapsCreated, before.bitmapsCreated);
    EXPECT_EQ(g_gdi.liveObjects, before.liveObjects);

    const COLORREF restyled = RGB(0xa0, 0xb0, 0xc0);
    writeStyle("toolbar: Flat Solid\ntoolbar.color: #a0b0c0\nbevelWidth: 0\nborderWidth: 0\n");
    SendMessageA(clockWindow(), HM_RECONFIGURE, 0, 0);
    paintNow();
    paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore + 1);
    const ExpectedFace small = expectedFace(100, 60, 8, kBlack, RGB(255, 255, 255), 12, 34, 56);
    expectFaceShown(WindowPixels::capture(clockWindow()), small, 60, restyled);

    SendMessageA(clockWindow(), HM_SET_LABEL, 0,
                 reinterpret_cast<LPARAM>("a label of 29 characters here"));  // 5 pixels each
    paintNow();
    paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore + 2);
    const ExpectedFace wide = expectedFace(145, 60, 8, kBlack, RGB(255, 255, 255), 12, 34, 56);
    expectFaceShown(WindowPixels::capture(clockWindow()), wide, 60, restyled);
    SendMessageA(clockWindow(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore + 3);
    EXPECT_EQ(g_gdi.liveObjects.size(), 2u);
    stopPlugin();
    EXPECT_TRUE(g_gdi.liveObjects.empty()) << g_gdi.liveObjects.size() << " objects still alive";
}

// The dots drawn over the last second's dots leave the very pixels of a face drawn
// afresh, where the dots overlap too.
TEST_F(FacePaintTest, DotsOverTheLastSecondsMatchAFreshFace) {
    fixLocalTime(23, 59, 59);
    startWith(100, 60, 30, {200, 30, 40}, {20, 220, 60});
    if (HasFatalFailure())
        return;
    paintNow();
    fixLocalTime(20, 0, 0);
    paintNow();
    const WindowPixels painted = WindowPixels::capture(clockWindow());
    stopPlugin();
    startWith(100, 60, 30, {200, 30, 40}, {20, 220, 60});
    if (HasFatalFailure())
        return;
    paintNow();
    const WindowPixels fresh = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(painted.valid() && fresh.valid());
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(colourText(painted.at(x, y)), colourText(fresh.at(x, y))) << x << ", " << y;
}

// On a gradient with a bevel and a border, every pixel that the lines and dots leave
// alone is the host's background as MakeGradient draws it, after the time changed.
TEST_F(FacePaintTest, GradientBackgroundShowsAsTheHostDrawsIt) {
    const char kStyle[] = "Raised Gradient Diagonal Bevel1";
    writeStyle(std::string("toolbar: ") + kStyle + "\ntoolbar.color: #204060\n"
               "toolbar.colorTo: #c0e0f0\nborderColor: #802010\nbevelWidth: 2\nborderWidth: 3\n");
    fixLocalTime(7, 48, 17);
    startWith(150, 90, 10, {0, 0, 0}, {255, 255, 255});
    paintNow();
    fixLocalTime(23, 59, 59);
    paintNow();
    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());

    HDC screen = GetDC(nullptr);
    HDC host = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 150, 90);
    ReleaseDC(nullptr, screen);
    HGDIOBJ before = SelectObject(host, bitmap);
    StyleItem item = {};
    ParseItem(kStyle, &item);
    MakeGradient(host, RECT{0, 0, 150, 90}, item.gradientType, RGB(0x20, 0x40, 0x60),
                 RGB(0xc0, 0xe0, 0xf0), item.interlaced != 0, item.bevelStyle,
                 item.bevelPosition, 2, RGB(0x80, 0x20, 0x10), 3);
    const ExpectedFace face = expectedFace(150, 90, 10, kBlack, RGB(255, 255, 255), 23, 59, 59);
    int compared = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 150; ++x) {
            bool drawnOver = x == face.lineX[0] || x == face.lineX[1];
            for (const ExpectedDot& dot : face.dots)
                drawnOver = drawnOver || (x >= dot.left - 1 && x <= dot.right &&
                                          y >= dot.top - 1 && y <= dot.bottom);
            if (drawnOver)
                continue;
            ++compared;
            ASSERT_EQ(colourText(pixels.at(x, y)), colourText(GetPixel(host, x, y)))
                << "at " << x << ", " << y;
        }
    EXPECT_GT(compared, 10000);
    DeleteObject(SelectObject(host, before));
    DeleteDC(host);
}

// A paint whose off-screen surface cannot be made draws nothing and keeps nothing,
// and the next paint draws the face again. The failing paint runs at a time whose
// dots differ from those on screen, so anything it drew would show.
class FaceSurfaceFailureTest : public FacePaintTest,
                               public testing::WithParamInterface<bool> {};

TEST_P(FaceSurfaceFailureTest, FailedPaintDrawsNothingAndTheNextRecovers) {
    const bool failContext = GetParam();
    const Rgb marked{200, 30, 40};
    const Rgb unmarked{20, 220, 60};
    fixLocalTime(0, 0, 0);
    startWith(200, 200, 12, marked, unmarked);
    if (HasFatalFailure())
        return;
    installGdiFailures();
    if (HasFatalFailure())
        return;
    paintNow();
    const ExpectedFace midnight =
        expectedFace(200, 200, 12, plainColour(marked), plainColour(unmarked), 0, 0, 0);
    const ExpectedFace late = expectedFace(200, 200, 12, plainColour(marked),
                                           plainColour(unmarked), 23, 59, 59);
    // Hour tens, weight 2: unmarked at midnight, marked at 23:59:59.
    const ExpectedDot& probe = midnight.dots[0];
    const int probeX = (probe.left + probe.right) / 2;
    const int probeY = (probe.top + probe.bottom) / 2;
    ASSERT_NE(late.dots[0].fill, probe.fill);
    ASSERT_EQ(colourText(WindowPixels::capture(clockWindow()).at(probeX, probeY)),
              colourText(probe.fill));

    fixLocalTime(23, 59, 59);
    SendMessageA(clockWindow(), HM_RECONFIGURE, 0, 0);  // the background must be drawn anew
    if (failContext)
        g_gdiFailures.failNextContexts = 1;
    else
        g_gdiFailures.failNextBitmaps = 1;
    const int gradientsBefore = gradientCalls();
    paintNow();
    EXPECT_EQ(g_gdiFailures.failedContexts + g_gdiFailures.failedBitmaps, 1)
        << "the paint did not ask for its surface";
    EXPECT_FALSE(paintPending()) << "the failed paint did not complete";
    EXPECT_EQ(gradientCalls(), gradientsBefore) << "a background was painted without a surface";
    EXPECT_TRUE(g_gdi.liveObjects.empty()) << "the failed paint kept an object alive";
    EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted);
    EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted);
    const WindowPixels afterFailure = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(afterFailure.valid());
    expectFaceShown(afterFailure, midnight, 200, kSolidToolbarColour);

    paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore + 1);
    const WindowPixels recovered = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(recovered.valid());
    expectFaceShown(recovered, late, 200, kSolidToolbarColour);
    EXPECT_EQ(g_gdi.liveObjects.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, FaceSurfaceFailureTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "NoContext" : "NoBitmap");
                         });

// GDI failing again and again: paints whose off-screen context or bitmap cannot be
// made draw nothing and complete, the paints between them draw the whole face, and
// every object made is released.
class GdiFaultTest : public FacePaintTest {};

TEST_F(GdiFaultTest, EveryOtherPaintFailsAndEachGoodOneDrawsAgain) {
    fixLocalTime(12, 34, 56);
    startFrom(floatingSettings());
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
        const int gradientsBefore = gradientCalls();
        SendMessageA(clockWindow(), HM_RECONFIGURE, 0, 0);
        paintNow();
        EXPECT_FALSE(paintPending()) << "the paint did not complete";
        EXPECT_EQ(gradientCalls() - gradientsBefore, fail ? 0 : 1);
        EXPECT_EQ(g_gdi.liveObjects.size(), fail ? 0u : 2u);
    }
    EXPECT_EQ(g_gdiFailures.failedContexts, 10);
    EXPECT_EQ(g_gdiFailures.failedBitmaps, 10);
    EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted);
    EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted);
}

TEST_F(GdiFaultTest, LongOutageEndsWithTheNextPaint) {
    startFrom(floatingSettings());
    installGdiFailures();
    if (HasFatalFailure())
        return;
    g_gdiFailures.failNextContexts = 200;
    g_gdiFailures.failNextBitmaps = 200;
    SendMessageA(clockWindow(), HM_RECONFIGURE, 0, 0);
    const int gradientsBefore = gradientCalls();
    for (int paint = 0; paint < 200; ++paint)
        paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore);
    EXPECT_EQ(g_gdiFailures.failedContexts, 200);
    EXPECT_TRUE(g_gdi.liveObjects.empty()) << "bitmaps made while no context could be were kept";
    g_gdiFailures.failNextContexts = 0;
    g_gdiFailures.failNextBitmaps = 0;
    paintNow();
    EXPECT_EQ(gradientCalls(), gradientsBefore + 1);
    EXPECT_EQ(g_gdi.liveObjects.size(), 2u);
}

// A host may leave its x87 unit at 64-bit precision, as programs built with MinGW
// do. At 20,490 pixels, 0.7 of the width is 14,342.99999999999818 as a double; rounded
// first to 64 bits and then to 53, it would come out as exactly 14,343. The seconds'
// tens column must stand at 14,342 all the same, and the host's control word must be
// as it was.
TEST_F(FacePaintTest, ColumnsAreTheDoubleProductWhateverTheHostsX87Precision) {
    fixLocalTime(23, 59, 59);
    startWith(20490, 40, 4, {0, 0, 0}, {255, 255, 255});
    if (HasFatalFailure())
        return;
    installGdiSizeRecords();
    if (HasFatalFailure())
        return;
#ifndef _WIN64
    const unsigned int hostPrecision = _controlfp(0, 0) & _MCW_PC;
    _controlfp(_PC_64, _MCW_PC);
#endif
    paintNow();
#ifndef _WIN64
    const unsigned int precisionAfterPaint = _controlfp(0, 0) & _MCW_PC;
    _controlfp(hostPrecision, _MCW_PC);
    EXPECT_EQ(precisionAfterPaint, static_cast<unsigned int>(_PC_64));
#endif

    // Hours' tens 2 dots, hours 4, minutes' tens 3, minutes 4: the seconds' tens
    // column's three dots come next.
    ASSERT_EQ(g_gdiSizes.ellipseLefts.size(), 20u);
    for (int dot = 13; dot < 16; ++dot)
        EXPECT_EQ(g_gdiSizes.ellipseLefts[dot], 14342) << "dot " << dot;
    EXPECT_EQ(g_gdiSizes.ellipseLefts[0], 1434);    // 0.07 of the width
    EXPECT_EQ(g_gdiSizes.ellipseLefts[19], 17211);  // 0.84 of the width
}

// A date that a 32-bit time_t cannot hold: the paint shows that moment's time.
TEST_F(FacePaintTest, ShowsTheTimeAfter2038) {
    const Rgb marked{200, 30, 40};
    const Rgb unmarked{20, 220, 60};
    g_clock.localTime = SYSTEMTIME{2040, 2, 3, 29, 13, 47, 35, 0};
    startWith(200, 200, 12, marked, unmarked);
    if (HasFatalFailure())
        return;
    paintNow();

    const ExpectedFace plan = expectedFace(200, 200, 12, plainColour(marked),
                                           plainColour(unmarked), 13, 47, 35);
    expectWindowShows(plan, 200);
}
