#include "norvane/edge_snap.h"
#include "norvane/gradient_pixels.h"
#include "norvane/png_encoder.h"
#include "norvane/style_words.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using norvane::Colour;
using norvane::GradientRequest;

const Colour kRed = 0x0000FF;
const Colour kBlue = 0xFF0000;
const Colour kGrey = 0x808080;

GradientRequest plain(int type, long long width, long long height) {
    GradientRequest request;
    request.width = width;
    request.height = height;
    request.gradientType = type;
    request.from = kRed;
    request.to = kBlue;
    return request;
}

TEST(HostGradientPixels, LinearKindsRunFromStartToEnd) {
    const GradientRequest vertical = plain(norvane::kGradientVertical, 10, 11);
    EXPECT_EQ(norvane::gradientPixel(vertical, 4, 0), kRed);
    EXPECT_EQ(norvane::gradientPixel(vertical, 4, 10), kBlue);
    EXPECT_EQ(norvane::gradientPixel(vertical, 9, 5), 0x800080u);

    const GradientRequest horizontal = plain(norvane::kGradientHorizontal, 11, 3);
    EXPECT_EQ(norvane::gradientPixel(horizontal, 0, 2), kRed);
    EXPECT_EQ(norvane::gradientPixel(horizontal, 10, 0), kBlue);

    const GradientRequest diagonal = plain(norvane::kGradientDiagonal, 5, 5);
    EXPECT_EQ(norvane::gradientPixel(diagonal, 0, 0), kRed);
    EXPECT_EQ(norvane::gradientPixel(diagonal, 4, 4), kBlue);
    EXPECT_EQ(norvane::gradientPixel(diagonal, 4, 0), norvane::gradientPixel(diagonal, 0, 4));

    const GradientRequest cross = plain(norvane::kGradientCrossDiagonal, 5, 5);
    EXPECT_EQ(norvane::gradientPixel(cross, 4, 0), kRed);
    EXPECT_EQ(norvane::gradientPixel(cross, 0, 4), kBlue);
}

TEST(HostGradientPixels, CentredKindsReachTheEndColourInTheMiddle) {
    for (int type : {norvane::kGradientPipeCross, norvane::kGradientElliptic,
                     norvane::kGradientRectangle, norvane::kGradientPyramid}) {
        const GradientRequest request = plain(type, 9, 9);
        EXPECT_EQ(norvane::gradientPixel(request, 4, 4), kBlue) << type;
        EXPECT_EQ(norvane::gradientPixel(request, 0, 0), kRed) << type;
    }
    // A pipe cross keeps the end colour along both centre lines.
    const GradientRequest pipes = plain(norvane::kGradientPipeCross, 9, 9);
    EXPECT_EQ(norvane::gradientPixel(pipes, 4, 0), kBlue);
    EXPECT_EQ(norvane::gradientPixel(pipes, 8, 4), kBlue);
    // A rectangle gradient has the start colour on the whole outer ring.
    const GradientRequest rectangle = plain(norvane::kGradientRectangle, 9, 9);
    EXPECT_EQ(norvane::gradientPixel(rectangle, 4, 0), kRed);
}

TEST(HostGradientPixels, SolidAndUnknownKindsUseTheStartColour) {
    for (int type : {static_cast<int>(norvane::kGradientSolid), -1, 99}) {
        const GradientRequest request = plain(type, 4, 4);
        EXPECT_EQ(norvane::gradientPixel(request, 3, 3), kRed) << type;
    }
}

TEST(HostGradientPixels, InterlacingDarkensOddRowsOnly) {
    GradientRequest request = plain(norvane::kGradientSolid, 4, 4);
    request.from = kGrey;
    request.interlaced = true;
    EXPECT_EQ(norvane::gradientPixel(request, 1, 0), kGrey);
    EXPECT_EQ(norvane::gradientPixel(request, 1, 1), 0x606060u);
    EXPECT_EQ(norvane::gradientPixel(request, 1, 2), kGrey);
}

TEST(HostGradientPixels, RaisedBevelIsLightTopLeftAndDarkBottomRight) {
    GradientRequest request = plain(norvane::kGradientSolid, 10, 10);
    request.from = kGrey;
    request.bevelStyle = norvane::kBevelRaised;
    request.bevelWidth = 2;
    const Colour light = 0xBFBFBF, dark = 0x404040;
    EXPECT_EQ(norvane::gradientPixel(request, 5, 0), light);
    EXPECT_EQ(norvane::gradientPixel(request, 0, 5), light);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 1), light);  // two pixels thick
    EXPECT_EQ(norvane::gradientPixel(request, 5, 2), kGrey);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 9), dark);
    EXPECT_EQ(norvane::gradientPixel(request, 8, 5), dark);
    EXPECT_EQ(norvane::gradientPixel(request, 9, 0), light);  // shared corner

    request.bevelStyle = norvane::kBevelSunken;
    EXPECT_EQ(norvane::gradientPixel(request, 5, 0), dark);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 9), light);

    request.bevelStyle = norvane::kBevelFlat;
    EXPECT_EQ(norvane::gradientPixel(request, 5, 0), kGrey);
}

TEST(HostGradientPixels, BorderCoversTheEdgeAndTheBevelLiesInsideIt) {
    GradientRequest request = plain(norvane::kGradientSolid, 10, 10);
    request.from = kGrey;
    request.bevelStyle = norvane::kBevelRaised;
    request.bevelWidth = 1;
    request.borderColour = 0x123456;
    request.borderWidth = 1;
    EXPECT_EQ(norvane::gradientPixel(request, 5, 0), 0x123456u);
    EXPECT_EQ(norvane::gradientPixel(request, 9, 9), 0x123456u);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 1), 0xBFBFBFu);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 2), kGrey);

    request.bevelPosition = 2;
    EXPECT_EQ(norvane::gradientPixel(request, 5, 1), kGrey);
    EXPECT_EQ(norvane::gradientPixel(request, 5, 2), 0xBFBFBFu);
    EXPECT_EQ(norvane::gradientPixel(request, 7, 7), 0x404040u);
}

TEST(HostGradientPixels, HugeWidthsAndTinyRectanglesStaySound) {
    GradientRequest request = plain(norvane::kGradientVertical, 1, 1);
    request.bevelStyle = norvane::kBevelRaised;
    request.bevelWidth = INT_MAX;
    request.borderWidth = INT_MAX;
    request.borderColour = 0x010203;
    EXPECT_EQ(norvane::gradientPixel(request, 0, 0), 0x010203u);

    request.borderWidth = 0;
    request.width = 1LL << 40;
    request.height = 1LL << 40;
    // The start colour, red, lightened by the top side of the bevel.
    EXPECT_EQ(norvane::gradientPixel(request, 0, 0), 0x7F7FFFu);
}

TEST(HostGradientPixels, FillWritesDibOrderForTheRequestedPart) {
    GradientRequest request = plain(norvane::kGradientHorizontal, 3, 2);
    std::vector<std::uint32_t> pixels(4, 0xDEADBEEF);
    norvane::fillGradientPixels(request, 1, 1, 2, 1, pixels.data());
    EXPECT_EQ(pixels[0], 0x800080u);  // the middle column: half red, half blue
    EXPECT_EQ(pixels[1], 0x0000FFu);  // blue in the lowest byte of a DIB pixel
    EXPECT_EQ(pixels[2], 0xDEADBEEFu);
    norvane::fillGradientPixels(request, 0, 0, 0, 5, pixels.data());
    norvane::fillGradientPixels(request, 0, 0, 2, 2, nullptr);
}

const norvane::SnapArea kScreen = {0, 0, 1280, 800};

struct Point {
    int x;
    int y;
};

Point snapped(int x, int y, int width, int height, int distance = 10) {
    norvane::snapToEdges(kScreen, distance, width, height, &x, &y);
    return {x, y};
}

TEST(HostEdgeSnap, SnapsEachAxisWhenAnEdgeIsWithinTheDistance) {
    Point p = snapped(7, 300, 100, 50);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 300);
    p = snapped(1175, 745, 100, 50);  // right edge 5 px away, bottom edge 5 px away
    EXPECT_EQ(p.x, 1180);
    EXPECT_EQ(p.y, 750);
    p = snapped(-10, 755, 100, 50);  // a little past the edges
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 750);
}

TEST(HostEdgeSnap, LeavesDistantWindowsAndZeroDistancesAlone) {
    Point p = snapped(11, 300, 100, 50);
    EXPECT_EQ(p.x, 11);
    p = snapped(5, 5, 100, 50, 0);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
    p = snapped(5, 5, 100, 50, -3);
    EXPECT_EQ(p.x, 5);
}

TEST(HostEdgeSnap, AWindowAsWideAsTheScreenGoesToTheLeftEdge) {
    const Point p = snapped(4, 0, 1280, 50);
    EXPECT_EQ(p.x, 0);
}

TEST(HostEdgeSnap, ExtremeValuesDoNotOverflow) {
    Point p = snapped(INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 800 - INT_MAX);
    norvane::snapToEdges(kScreen, 10, 5, 5, nullptr, nullptr);
}

TEST(HostChecksums, KnownValues) {
    const char digits[] = "123456789";
    const auto* bytes = reinterpret_cast<const unsigned char*>(digits);
    EXPECT_EQ(norvane::crc32(bytes, 9), 0xCBF43926u);
    EXPECT_EQ(norvane::crc32(bytes + 4, 5, norvane::crc32(bytes, 4)), 0xCBF43926u);
    EXPECT_EQ(norvane::crc32(bytes, 0), 0u);
    const char word[] = "Wikipedia";
    EXPECT_EQ(norvane::adler32(reinterpret_cast<const unsigned char*>(word), 9), 0x11E60398u);
    EXPECT_EQ(norvane::adler32(bytes, 0), 1u);
}

std::uint32_t bigEndianAt(const std::string& data, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(data[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + 3]));
}

// Walks the chunks of a PNG, checking each CRC; returns the IDAT payload.
std::string checkedImageData(const std::string& png, int* chunkCount) {
    EXPECT_EQ(png.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)), 0);
    std::string data;
    size_t at = 8;
    *chunkCount = 0;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = bigEndianAt(png, at);
        const auto* typed = reinterpret_cast<const unsigned char*>(png.data() + at + 4);
        EXPECT_EQ(norvane::crc32(typed, 4 + length), bigEndianAt(png, at + 8 + length));
        if (png.compare(at + 4, 4, "IDAT") == 0) data.append(png, at + 8, length);
        at += 12 + length;
        ++*chunkCount;
    }
    EXPECT_EQ(at, png.size());
    return data;
}

// Reads back the stored deflate blocks of a zlib stream.
std::string inflateStored(const std::string& stream) {
    std::string raw;
    size_t at = 2;
    bool last = false;
    while (!last && at + 5 <= stream.size()) {
        last = (stream[at] & 1) != 0;
        const unsigned length = static_cast<unsigned char>(stream[at + 1]) |
                                static_cast<unsigned char>(stream[at + 2]) << 8;
        const unsigned inverse = static_cast<unsigned char>(stream[at + 3]) |
                                 static_cast<unsigned char>(stream[at + 4]) << 8;
        EXPECT_EQ(length ^ 0xFFFFu, inverse);
        raw.append(stream, at + 5, length);
        at += 5 + length;
    }
    EXPECT_TRUE(last);
    EXPECT_EQ(at + 4, stream.size());
    EXPECT_EQ(bigEndianAt(stream, at),
              norvane::adler32(reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
    return raw;
}

TEST(HostPng, SmallImageHasHeaderRowsAndValidChecksums) {
    const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    const std::string png = norvane::encodePng(2, 2, rgb);
    int chunks = 0;
    const std::string stream = checkedImageData(png, &chunks);
    EXPECT_EQ(chunks, 3);
    EXPECT_EQ(bigEndianAt(png, 16), 2u);  // IHDR width
    EXPECT_EQ(bigEndianAt(png, 20), 2u);  // IHDR height
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    EXPECT_EQ((static_cast<unsigned char>(stream[0]) * 256 + static_cast<unsigned char>(stream[1])) % 31, 0);
    const std::string raw = inflateStored(stream);
    const std::string expected("\0\xff\0\0\0\xff\0\0\0\0\xff\x0a\x14\x1e", 14);
    EXPECT_EQ(raw, expected);
}

TEST(HostPng, LargeImagesSpanSeveralStoredBlocks) {
    const int width = 300, height = 100;  // 90100 bytes of rows: two blocks
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7);
    int chunks = 0;
    const std::string raw =
        inflateStored(checkedImageData(norvane::encodePng(width, height, rgb.data()), &chunks));
    ASSERT_EQ(raw.size(), static_cast<size_t>(height) * (width * 3 + 1));
    EXPECT_EQ(raw[0], 0);
    EXPECT_EQ(std::memcmp(raw.data() + 1, rgb.data(), width * 3), 0);
    const size_t lastRow = static_cast<size_t>(height - 1);
    EXPECT_EQ(raw[lastRow * (width * 3 + 1)], 0);
    EXPECT_EQ(std::memcmp(raw.data() + lastRow * (width * 3 + 1) + 1,
                          rgb.data() + lastRow * width * 3, width * 3),
              0);
}

TEST(HostPng, RefusesImpossibleImages) {
    const unsigned char pixel[3] = {1, 2, 3};
    EXPECT_TRUE(norvane::encodePng(0, 1, pixel).empty());
    EXPECT_TRUE(norvane::encodePng(1, -1, pixel).empty());
    EXPECT_TRUE(norvane::encodePng(1, 1, nullptr).empty());
    EXPECT_TRUE(norvane::encodePng(INT_MAX, INT_MAX, pixel).empty());
}

}  // namespace
