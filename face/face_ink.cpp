#include "face/face_ink.h"

#include <cstring>

namespace {

bool highContrastOn() {
    HIGHCONTRASTA contrast;
    std::memset(&contrast, 0, sizeof contrast);
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

// In high contrast a set bit takes the text colour and a clear bit the window colour,
// ringed in the text colour so that it stands out on any toolbar.
FaceInk faceInkNow(COLORREF fileMarked, COLORREF fileUnmarked) {
    if (!highContrastOn()) return FaceInk{fileMarked, fileUnmarked, RGB(0, 0, 0)};
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    return FaceInk{text, GetSysColor(COLOR_WINDOW), text};
}
