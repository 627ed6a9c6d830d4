// The time of day the face shows, and the same time in digits.
#include "face/face_time.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string digitsOf(int hour, int minute, int second) {
    char text[kFaceTimeTextSize];
    formatFaceTime(faceTimeOf(hour, minute, second), text);
    return text;
}

}  // namespace

TEST(FaceTimeTest, DigitsOnTheTwentyFourHourClock) {
    EXPECT_EQ(digitsOf(0, 0, 0), "00:00:00");
    EXPECT_EQ(digitsOf(9, 5, 7), "09:05:07");
    EXPECT_EQ(digitsOf(12, 34, 56), "12:34:56");
    EXPECT_EQ(digitsOf(23, 59, 59), "23:59:59");
}

// What the face shows for a reading that is no time of day: midnight, as the dots.
TEST(FaceTimeTest, AReadingOutsideTheDayShowsAsMidnight) {
    for (const FaceTime& reading : {FaceTime{24, 0, 0}, FaceTime{0, 60, 0}, FaceTime{0, 0, 60},
                                    FaceTime{-1, 0, 0}, FaceTime{65535, 65535, 65535}}) {
        const FaceTime shown = faceTimeOf(reading.hour, reading.minute, reading.second);
        EXPECT_EQ(shown.hour, 0);
        EXPECT_EQ(shown.minute, 0);
        EXPECT_EQ(shown.second, 0);
        EXPECT_EQ(digitsOf(reading.hour, reading.minute, reading.second), "00:00:00");
    }
}
