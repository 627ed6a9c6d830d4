#include "face/face_time.h"

namespace {

void putTwoDigits(int value, char* at) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

FaceTime faceTimeOf(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return FaceTime{0, 0, 0};
    return FaceTime{hour, minute, second};
}

void formatFaceTime(const FaceTime& time, char (&text)[kFaceTimeTextSize]) {
    const FaceTime shown = faceTimeOf(time.hour, time.minute, time.second);
    putTwoDigits(shown.hour, text);
    text[2] = ':';
    putTwoDigits(shown.minute, text + 3);
    text[5] = ':';
    putTwoDigits(shown.second, text + 6);
    text[8] = '\0';
}
