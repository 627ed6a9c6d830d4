// The settings file as the plug-in writes it: the first start's file, the rewrite
// of every known key in fixed order, and writes under faults: read-only, held open
// for writing by someone else, its directory gone, the disk full part-way through a
// write, a lost delayed write, a refused replace. Each time the old file stays byte
// for byte with nothing beside it, the clock keeps running on its values in memory,
// and the next good write succeeds with the latest of them.
#include <cstring>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "tests/common/first_run_settings.h"
#include "window_probes.h"

using SettingsFileTest = PluginTest;

TEST_F(SettingsFileTest, FirstStartCreatesTheDefaultFileInTheModuleDirectory) {
    ASSERT_EQ(startPlugin(), 0);
    pumpMessages();
    EXPECT_EQ(moduleSettings(), kFirstRunSettings);
    EXPECT_EQ(filesIn(moduleDirectory()), (std::vector<std::string>{"Pipwick.dll", "Pipwick.rc"}));
    EXPECT_FALSE(fileExists(hostPath("Pipwick.rc")));
    EXPECT_FALSE(fileExists(hostPath("Pipwickrc")));

    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds = windowBounds(window);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.right - bounds.left, 200);
    EXPECT_EQ(bounds.bottom - bounds.top, 200);
}

TEST_F(SettingsFileTest, FirstStartThroughTheSlitEntryStaysOutOfTheSlit) {
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    EXPECT_TRUE(norvane::slitMessages().empty());
    EXPECT_EQ(moduleSettings(), kFirstRunSettings);
}

TEST_F(SettingsFileTest, RewriteKeepsEveryLineInItsPlaceAndTheKnownOnesInTheirForm) {
    const std::string text =
        "# my clock\r\n"
        "Pipwick.timerInterval: 9\r\n"
        "Pipwick.autoResize: false\r\n"
        "Pipwick.inSlit: false\n"
        "Pipwick.transparency.alpha: 99\n"
        "Pipwick.transparency: false\n"
        "Pipwick.snapWindow: false\n"
        "Pipwick.alwaysOnTop: false\n"
        "Pipwick.color.marked.blue: 3\n"
        "Pipwick.color.marked.green: 2\n"
        "Pipwick.color.marked.red: 1\n"
        "Pipwick.color.unmarked.blue: 6\n"
        "Pipwick.color.unmarked.green: 5\n"
        "Pipwick.color.unmarked.red: 300\n"
        "Pipwick.size.circlesize: 6\n"
        "Pipwick.unknown: kept?\n"
        "Pipwick.position.height: 150\n"
        "Pipwick.position.width: 180\n"
        "Pipwick.position.y: 70\n"
        "Pipwick.position.x: 60\n";
    writeModuleSettings(text);
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(310, 45);
    // Only the place changes, and the known lines take the clock's line ends.
    std::string expected = withValue(withValue(text, "Pipwick.position.y:", "45"),
                                     "Pipwick.position.x:", "310");
    for (const char* key : {"inSlit: false", "transparency.alpha: 99", "transparency: false"})
        expected.replace(expected.find(key), std::strlen(key) + 1, std::string(key) + "\r\n");
    expected.replace(expected.find("timerInterval: 9\r\n"), 18, "timerInterval: 9\n");
    EXPECT_EQ(moduleSettings(), expected);
}

// A settings write that fails part-way leaves the old file as it was and no
// temporary file beside it; the next write that can succeed does.

namespace {

enum class WriteFailure { WriteOfLineSeven, CreateOfTheFile };

struct WriteFailureCase {
    const char* name;
    WriteFailure failure;
};

}  // namespace

class SettingsWriteFailureTest : public PluginTest,
                                 public testing::WithParamInterface<WriteFailureCase> {
protected:
    void requestFailure(WriteFailure failure) {
        if (failure == WriteFailure::WriteOfLineSeven)
            g_files.failWriteContaining = "Pipwick.color.unmarked.green:";
        else
            g_files.failCreate = true;
    }

    void clearFailures() {
        g_files.failWriteContaining.clear();
        g_files.failCreate = false;
    }

    bool failureHappened(WriteFailure failure) const {
        if (failure == WriteFailure::WriteOfLineSeven)
            return g_files.failedWrites == 1;
        return !g_files.opens.empty() && g_files.opens.back().result == INVALID_HANDLE_VALUE;
    }
};

TEST_P(SettingsWriteFailureTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const WriteFailureCase& failure = GetParam();
    writeModuleSettings(settingsLines(floatingSettings()));
    ASSERT_EQ(startPlugin(), 0);
    pumpMessages();
    moveClockWindow(250, 60);
    std::string before = moduleSettings();
    ASSERT_NE(before.find("Pipwick.position.x: 250\n"), std::string::npos) << before;
    std::vector<std::string> filesBefore = filesIn(moduleDirectory());

    requestFailure(failure.failure);
    moveClockWindow(300, 40);
    ASSERT_TRUE(failureHappened(failure.failure)) << "the write never reached the failing call";
    EXPECT_EQ(moduleSettings(), before);
    EXPECT_EQ(filesIn(moduleDirectory()), filesBefore);
    EXPECT_EQ(filesBefore, (std::vector<std::string>{"Pipwick.dll", "Pipwick.rc"}));

    clearFailures();
    moveClockWindow(320, 70);
    std::string after = moduleSettings();
    EXPECT_NE(after.find("Pipwick.position.x: 320\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Pipwick.position.y: 70\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Pipwick.timerInterval: 5\n"), std::string::npos) << after;
    EXPECT_EQ(filesIn(moduleDirectory()), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SettingsWriteFailureTest,
    testing::Values(WriteFailureCase{"WriteOfLineSeven", WriteFailure::WriteOfLineSeven},
                    WriteFailureCase{"CreateOfTheFile", WriteFailure::CreateOfTheFile}),
    [](const testing::TestParamInfo<WriteFailureCase>& info) { return std::string(info.param.name); });

// The file under faults of the file system and of other programs.

namespace {

struct FaultCase {
    const char* name;
    DiskFault fault;
};

Settings movedTo(Settings settings, int x, int y) {
    settings = withSetting(settings, "Pipwick.position.x:", std::to_string(x));
    return withSetting(settings, "Pipwick.position.y:", std::to_string(y));
}

}  // namespace

class FileFaultTest : public PluginTest {
protected:
    void startFloating() {
        startFrom(floatingSettings());
        moveClockWindow(250, 60);
        ASSERT_EQ(moduleSettings(), writtenText(movedTo(floatingSettings(), 250, 60)));
        before_ = moduleSettings();
        filesBefore_ = filesIn(moduleDirectory());
    }

    // The fault has been met: the file and its directory are as before.
    void expectOldFileKept() {
        EXPECT_EQ(moduleSettings(), before_) << "the old settings file changed";
        EXPECT_EQ(filesIn(moduleDirectory()), filesBefore_) << "a file was left beside it";
        EXPECT_TRUE(IsWindow(clockWindow()));
    }

    // The next write brings the latest values, the toggled option among them.
    void expectNextWriteSucceeds(bool snapWindow) {
        moveClockWindow(320, 70);
        Settings expected = movedTo(floatingSettings(), 320, 70);
        expected = withSetting(expected, "Pipwick.snapWindow:", snapWindow ? "true" : "false");
        EXPECT_EQ(moduleSettings(), writtenText(expected));
        EXPECT_EQ(filesIn(moduleDirectory()), filesBefore_);
    }

    void installDiskFaults() {
        g_diskFaults = DiskFaultRecords{};
        redirectAll(diskFaultRedirections());
    }

    std::string before_;
    std::vector<std::string> filesBefore_;
};

TEST_F(FileFaultTest, ReadOnlyFileIsKeptAndTheOptionLivesOnInMemory) {
    startFloating();
    const std::string path = modulePath("Pipwick.rc");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    moveClockWindow(300, 40);
    expectOldFileKept();
    norvane::broadcast("@Pipwick SnapWindowToEdge");
    expectOldFileKept();

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    expectNextWriteSucceeds(true);
}

// Another program has the file open for writing and has locked it: the replace is
// refused for as long as it holds on, and the next write takes the place of the one
// that waits.
TEST_F(FileFaultTest, FileHeldOpenForWritingIsKept) {
    startFloating();
    HANDLE holder = CreateFileA(modulePath("Pipwick.rc").c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(LockFile(holder, 0, 0, static_cast<DWORD>(before_.size()), 0));
    moveClockWindow(300, 40);
    norvane::broadcast("@Pipwick SnapWindowToEdge");
    UnlockFile(holder, 0, 0, static_cast<DWORD>(before_.size()), 0);
    CloseHandle(holder);
    EXPECT_EQ(moduleSettings(), before_);
    expectNextWriteSucceeds(true);
}

// The same, with the file held by a second process, as an editor or a backup
// program would hold it. The shell's thread never sleeps for it, and the clock's next
// tick after the holder lets go puts the newest settings in place.
TEST_F(FileFaultTest, FileHeldOpenByAnotherProcessIsWrittenOnceItLetsGo) {
    startFloating();
    g_fileCalls = FileCallRecords{};
    redirectFlushAndSleepWhereImported(module());
    const std::string suffix = std::to_string(GetCurrentProcessId());
    const std::string readyName = "PipwickTestHolderReady" + suffix;
    const std::string releaseName = "PipwickTestHolderRelease" + suffix;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
    ASSERT_NE(ready, nullptr);
    ASSERT_NE(release, nullptr);
    char program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, program, sizeof program), 0u);
    std::string command = std::string("\"") + program + "\" --hold-file \"" +
                          modulePath("Pipwick.rc") + "\" " + readyName + " " + releaseName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &holder));
    // Ready, or ended without holding the file: no wait here is bounded by a time, so
    // that a slow machine cannot fail the test (ctest's limit guards against a hang).
    const HANDLE readyOrEnded[2] = {ready, holder.hProcess};
    const bool holding =
        WaitForMultipleObjects(2, readyOrEnded, FALSE, INFINITE) == WAIT_OBJECT_0;
    if (holding) {
        moveClockWindow(300, 40);
        norvane::broadcast("@Pipwick SnapWindowToEdge");
    }
    SetEvent(release);
    EXPECT_EQ(WaitForSingleObject(holder.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(holder.hProcess, &exitCode);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);
    CloseHandle(release);
    ASSERT_TRUE(holding) << "the second process never held the file";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(moduleSettings(), before_);
    SendMessageA(clockWindow(), WM_TIMER, 1, 0);
    EXPECT_EQ(moduleSettings(),
              writtenText(withSetting(movedTo(floatingSettings(), 300, 40), "Pipwick.snapWindow:", "true")));
    EXPECT_EQ(filesIn(moduleDirectory()), filesBefore_);
    EXPECT_EQ(g_fileCalls.sleeps, 0);
    expectNextWriteSucceeds(true);
}

// The file lives in the host's directory, which is removed while the clock runs and
// made again later.
TEST_F(FileFaultTest, RemovedDirectoryIsWrittenAgainOnceItIsBack) {
    writeHostSettings(settingsLines(floatingSettings()));
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    moveClockWindow(250, 60);
    ASSERT_EQ(fileContent(hostPath("Pipwick.rc")), writtenText(movedTo(floatingSettings(), 250, 60)));

    removeDirectoryTree(hostDirectory());
    ASSERT_FALSE(fileExists(hostPath("Pipwick.rc")));
    moveClockWindow(300, 40);
    norvane::broadcast("@Pipwick AutoResize");
    EXPECT_TRUE(IsWindow(clockWindow()));
    EXPECT_EQ(filesIn(moduleDirectory()), (std::vector<std::string>{"Pipwick.dll"}));

    ASSERT_TRUE(CreateDirectoryA(hostDirectory().c_str(), nullptr));
    moveClockWindow(320, 70);
    Settings expected = withSetting(movedTo(floatingSettings(), 320, 70), "Pipwick.autoResize:", "true");
    EXPECT_EQ(fileContent(hostPath("Pipwick.rc")), writtenText(expected));
    EXPECT_EQ(filesIn(hostDirectory()), (std::vector<std::string>{"Pipwick.rc"}));
}

class DiskFaultTest : public FileFaultTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(DiskFaultTest, FailedWriteKeepsTheOldFile) {
    startFloating();
    installDiskFaults();
    if (HasFatalFailure())
        return;
    g_diskFaults.fault = GetParam().fault;
    // The faults reach the plug-in's own writes; the host's one-key writes do not
    // pass its imports and are left out here.
    moveClockWindow(300, 40);
    moveClockWindow(310, 50);
    EXPECT_GT(g_diskFaults.faultsInjected, 0) << "the write never met the fault";
    if (GetParam().fault == DiskFault::ReplaceBusy) {
        // A busy file is tried once per write; the newest write waits for a later try.
        EXPECT_EQ(g_diskFaults.replaceAttempts, 2);
        EXPECT_EQ(moduleSettings(), before_);
    } else {
        expectOldFileKept();
    }

    g_diskFaults.fault = DiskFault::None;
    expectNextWriteSucceeds(false);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DiskFaultTest,
    testing::Values(FaultCase{"HalfWrittenThenFull", DiskFault::HalfWrittenThenFull},
                    FaultCase{"ShortWrite", DiskFault::ShortWrite},
                    FaultCase{"CloseLosesTheData", DiskFault::CloseLosesTheData},
                    FaultCase{"ReplaceRefused", DiskFault::ReplaceRefused},
                    FaultCase{"ReplaceBusy", DiskFault::ReplaceBusy},
                    FaultCase{"TemporaryDiskFull", DiskFault::TemporaryDiskFull}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// A folder where the user may not create files, holding a settings file the user may
// write: the file is rewritten where it stands, whole, and nothing is left beside it.
TEST_F(FileFaultTest, FolderClosedToNewFilesRewritesTheFileInPlace) {
    startFloating();
    installDiskFaults();
    if (HasFatalFailure())
        return;
    g_diskFaults.fault = DiskFault::TemporaryRefused;
    moveClockWindow(300, 40);
    EXPECT_GT(g_diskFaults.faultsInjected, 0) << "the write never met the closed folder";
    EXPECT_EQ(moduleSettings(), writtenText(movedTo(floatingSettings(), 300, 40)));
    // A shorter text than the one before leaves none of the old one's end behind.
    moveClockWindow(3, 4);
    EXPECT_EQ(moduleSettings(), writtenText(movedTo(floatingSettings(), 3, 4)));
    EXPECT_EQ(filesIn(moduleDirectory()), filesBefore_);

    // A read-only file stays the user's to keep, even so.
    const std::string path = modulePath("Pipwick.rc");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    moveClockWindow(300, 40);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(moduleSettings(), writtenText(movedTo(floatingSettings(), 3, 4)));
}

// A settings file marked hidden, or hidden and system, stays so after it is
// replaced.
TEST_F(FileFaultTest, HiddenAndSystemFilesStaySoWhenReplaced) {
    startFloating();
    const std::string path = modulePath("Pipwick.rc");
    for (const DWORD marks : {DWORD{FILE_ATTRIBUTE_HIDDEN},
                              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
        SCOPED_TRACE("attributes " + std::to_string(marks));
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), marks));
        ASSERT_EQ(GetFileAttributesA(path.c_str()) & marks, marks)
            << "the file system keeps no such attributes";
        moveClockWindow(300 + static_cast<int>(marks), 40);
        EXPECT_EQ(moduleSettings(), writtenText(movedTo(floatingSettings(), 300 + static_cast<int>(marks), 40)));
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & marks, marks);
        EXPECT_EQ(filesIn(moduleDirectory()), filesBefore_);
    }
}
