// The clock window's text, by which screen readers name a window: the time the face
// shows, as "hh:mm:ss", kept by the window system, so that every reader gets it, in
// this process or another, while the window shows no caption.
#include <string>

#include "full_screen_program.h"
#include "plugin_fixture.h"

class SpokenTimeTest : public PluginTest {
protected:
    // A floating clock that has painted its face at this time.
    void startAndPaintAt(int hour, int minute, int second) {
        fixLocalTime(hour, minute, second);
        startFrom(floatingSettings());
        if (!HasFatalFailure())
            paintNow();
    }

    std::string windowText(WPARAM size) {
        std::string text(size + 4, '#');
        const LRESULT copied = SendMessageA(clockWindow(), WM_GETTEXT, size,
                                            reinterpret_cast<LPARAM>(&text[0]));
        EXPECT_EQ(text.find_first_not_of('#', size), std::string::npos)
            << "wrote beyond the buffer it was given";
        return text.substr(0, static_cast<size_t>(copied));
    }

    // The caption the window system holds, read without asking the window.
    std::wstring storedCaption() {
        WCHAR caption[64] = L"";
        InternalGetWindowText(clockWindow(), caption, 64);
        return caption;
    }
};

TEST_F(SpokenTimeTest, TextIsTheTimeTheFaceShowsForEveryReader) {
    startAndPaintAt(12, 34, 56);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(windowText(64), "12:34:56");
    EXPECT_EQ(SendMessageA(clockWindow(), WM_GETTEXTLENGTH, 0, 0), 8);
    char text[64] = "";
    EXPECT_EQ(GetWindowTextA(clockWindow(), text, sizeof text), 8);
    EXPECT_STREQ(text, "12:34:56");
    EXPECT_EQ(storedCaption(), L"12:34:56");
    FullScreenProgram reader;
    ASSERT_TRUE(reader.start("text " + std::to_string(reinterpret_cast<ULONG_PTR>(clockWindow()))));
    GetWindowTextA(reader.window(), text, sizeof text);
    EXPECT_STREQ(text, "12:34:56") << "another process read another text";

    // The text is the face's: a new second counts once it is painted.
    fixLocalTime(9, 5, 7);
    EXPECT_EQ(windowText(64), "12:34:56");
    paintNow();
    EXPECT_EQ(windowText(64), "09:05:07");
    EXPECT_EQ(storedCaption(), L"09:05:07");
}

TEST_F(SpokenTimeTest, ShortOrMissingBuffersGetWhatFits) {
    startAndPaintAt(23, 59, 58);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(windowText(9), "23:59:58");
    EXPECT_EQ(windowText(5), "23:5");
    EXPECT_EQ(windowText(1), "");
    EXPECT_EQ(SendMessageA(clockWindow(), WM_GETTEXT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(clockWindow(), WM_GETTEXT, 64, 0), 0);
    EXPECT_TRUE(IsWindow(clockWindow()));
}
