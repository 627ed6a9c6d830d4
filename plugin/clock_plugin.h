// The one record that holds all of the plug-in's state while it runs, and the
// globals beside it.
#pragma once

#include <windows.h>

#include "config/settings_file_state.h"
#include "config/settings_writer.h"
#include "face/face_background.h"
#include "face/face_time.h"
#include "host/norvane_api.h"

class LiveRecord;

constexpr int kLabelSize = 1024;
constexpr int kTooltipTextSize = 128;
constexpr UINT kUpdateTimerId = 1;

class ClockPlugin {
public:
    explicit ClockPlugin(HINSTANCE module);
    ~ClockPlugin();

    int createClockWindow();
    void destroyClockWindow();

    void locateSettingsFile();
    void readSettings();
    // The user changed these choices: the file is written with them, its other lines
    // kept as they stand on disk. The only way into the settings file.
    void saveChoices(SettingsLines lines);
    void writeSettings();  // every value, as the record holds it
    void chosenValues(SettingsValues& values) const;  // the record's, as the file's lines
    // At each tick: one look at the settings file; an edit of it is read once it
    // stands still, and shown (config/settings_watch.cpp).
    void watchSettingsFile();
    void retryPendingReplace(const FileStamp& stamp);
    void settlePendingReplace();
    void dropPendingReplace();
    void readStyle();

    void paintClock(HWND window);
    // Timer 1 is armed for the start of the next second: at start-up, and again at
    // every tick, which tells whether the face is to be painted anew: the second on
    // it has ended.
    bool startUpdateTimer();
    bool tickUpdateTimer();
    void giveWayToFullScreen();
    void showContextMenu();

    void startDrag();
    void windowMoved(const WINDOWPOS& position);
    void finishDrag();

    // The face's size: the width and height read, or the smallest face where they
    // are smaller. The fields keep the values as read, and so does the file.
    int faceWidth() const;
    int faceHeight() const;
    // Where the clock floats on the desktop as it is now: at its saved place, or on
    // the primary monitor while that place lies on no monitor.
    POINT floatingPlace() const;
    bool savedPlaceOnAMonitor() const;
    void placeOnDesktop();

    bool resizeWindow(int wantedWidth, int wantedHeight);
    void fitToSettings();
    int widthForLabel() const;  // the width the label asks for with auto resize
    void fitWidthToLabel();
    void clearLabel();

    // The window is layered while translucency is on, the platform offers layered
    // windows and the clock floats: never in the slit.
    bool shouldBeLayered() const;
    void makeTranslucent();
    void makeOpaque();
    void joinSlit();
    void leaveSlit();
    void followSlitSetting(bool wasInSlit);
    void restack();  // on top of other windows or not, as alwaysOnTop says
    // The values just read from the settings file, these lines of them changed, shown
    // on the window at once; the clock was in the slit or not as `wasInSlit` says.
    void showSettings(SettingsLines changed, bool wasInSlit);

    // The window's text and the tooltip take the face's time after a paint
    // (window/spoken_time.cpp).
    void showFaceTimeAsText();
    // The tooltip that shows the face's time in digits and the date, made on the
    // first mouse move over the clock (window/tooltip.cpp).
    void addTooltip();
    void removeTooltip();
    void relayMouseToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void showFaceTimeInTooltip();
    void keepTooltipOnTop();

    HINSTANCE hInstance;
    HWND hwnd;
    HWND hwndHost;

    int xpos;  // the saved place: where the user left the floating clock
    int ypos;
    int width;
    int height;

    bool alwaysOnTop;
    bool snapWindow;
    bool transparency;
    int alpha;
    bool autoResize;
    bool layeredCapable;

    COLORREF backColor;
    COLORREF backColorTo;
    COLORREF borderColor;
    int bevelWidth;
    int borderWidth;
    StyleItem* styleItem;

    char labelText[kLabelSize];
    int fontHeight;
    int timerInterval;

    int markedRed;
    int markedGreen;
    int markedBlue;
    int unmarkedRed;
    int unmarkedGreen;
    int unmarkedBlue;
    int circleSize;

    char rcFile[MAX_PATH];
    char styleFile[MAX_PATH];

    SYSTEMTIME now;  // the local time of the last face painted
    FaceBackground background;  // the face without its dots, as last drawn

    Menu* menuMain;
    Menu* menuConfig;
    Menu* menuSettings;

    bool ending;  // endPlugin is tearing this record down

    bool dragging;         // between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
    POINT placeBeforeDrag;  // the saved place when the drag began

    SettingsFileState settingsFile;
    bool settingsNotKeptReported;  // the host's log has been told of a failed write

    bool steppedBack;      // hidden by a tick for a full-screen program of another process

    char textTime[kFaceTimeTextSize];     // the time the window's text holds now

    bool tooltipTried;                    // the first mouse move has tried to make it
    HWND tooltip;                         // null until made, and where it could not be
    WCHAR tooltipText[kTooltipTextSize];  // what the tooltip holds now

private:
    bool faceReady(HDC windowDc, const FaceKey& key, const RECT& part);
    bool drawFacePart(HDC windowDc, SIZE face, const RECT& part);
    void setFirstRunValues();
    void createSettingsFile(const char* modulePath);
    void reportSettingsNotKept();
    void takeChoices(const SettingsValues& values);
    bool saveOptionThroughHost(SettingsLine line);
    bool takeFileAsItIs(const FileStamp& stamp);
    void showEdit();
    void writeChoices();
    SettingsWrite writeValues(bool onlyIfUnchanged);
    void fileNowHolds(const SettingsValues& values);
    void placeAtSize();
    bool registerWindowClass();
    void registerWithHost(UINT message);
    void joinSlitIfWanted();
    void applyStartupTranslucency();
    void registerForHostMessages();
    void makeSticky();
    void stackOnTopIfWanted();
    void showWindow();
    void requestFirstPaint();
    void undoStartWithoutTimer(const LiveRecord& live);
};

extern ClockPlugin* g_plugin;
extern bool g_inSlit;
extern HWND g_hSlit;

extern const char kWindowClassName[];

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void handleBroadcastCommand(const char* text);
BOOL setLayeredAttributes(HWND window, COLORREF colourKey, BYTE alpha, DWORD flags);
