// The time of day the face shows, and the same time in digits for those who read it
// rather than count dots: the tooltip and the window's text.
#pragma once

struct FaceTime {
    int hour;    // 0 to 23
    int minute;  // 0 to 59
    int second;  // 0 to 59
};

// A reading of the clock as the face shows it. A reading that is no time of day
// shows as midnight, every dot unmarked.
FaceTime faceTimeOf(int hour, int minute, int second);

// "hh:mm:ss" on the 24-hour clock: eight characters and the terminating zero. A
// reading that is no time of day is written as the face shows it.
constexpr int kFaceTimeTextSize = 9;
void formatFaceTime(const FaceTime& time, char (&text)[kFaceTimeTextSize]);
