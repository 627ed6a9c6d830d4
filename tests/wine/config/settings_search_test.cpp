// Where the plug-in finds its settings file: the first of four candidates that
// exists, in the module's directory and then in the host's, for reads and writes
// alike. Candidates at and beyond the length the record holds (259 characters and
// the NUL): one of 259 characters is used, one of 260 or 300 counts as absent even
// when the file exists, and a module path without a backslash still finds a place
// for its file. Files beyond MAX_PATH are made through the wide-character calls,
// which have no such limit.
#include <algorithm>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "test_files.h"

// Search order of the four candidates.

enum Candidate { ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot };

struct SearchCase {
    const char* name;
    std::vector<Candidate> present;
    Candidate expected;
};

class SettingsSearchTest : public PluginTest, public testing::WithParamInterface<SearchCase> {
protected:
    std::string pathOf(Candidate candidate) const {
        switch (candidate) {
        case ModuleRc:
            return modulePath("Pipwick.rc");
        case ModuleRcWithoutDot:
            return modulePath("Pipwickrc");
        case HostRc:
            return hostPath("Pipwick.rc");
        case HostRcWithoutDot:
            return hostPath("Pipwickrc");
        }
        return std::string();
    }

    // Each candidate puts the window at its own x: 101, 102, 103, 104.
    static int xOf(Candidate candidate) { return 101 + static_cast<int>(candidate); }
};

TEST_P(SettingsSearchTest, UsesTheFirstExistingCandidateForReadsAndWrites) {
    const SearchCase& search = GetParam();
    std::vector<std::pair<Candidate, std::string>> written;
    for (Candidate candidate : search.present) {
        std::string text = settingsLines(
            withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(xOf(candidate))));
        ASSERT_TRUE(writeWholeFile(pathOf(candidate), text));
        written.emplace_back(candidate, text);
    }

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, xOf(search.expected));

    moveClockWindow(333, 44);
    for (const auto& file : written) {
        std::string now = fileContent(pathOf(file.first));
        if (file.first == search.expected) {
            EXPECT_NE(now.find("Pipwick.position.x: 333\n"), std::string::npos) << now;
            EXPECT_NE(now.find("Pipwick.position.y: 44\n"), std::string::npos) << now;
        } else {
            EXPECT_EQ(now, file.second) << "a file that was not chosen changed: "
                                        << pathOf(file.first);
        }
    }
    // Nothing is created where no file was.
    for (Candidate candidate : {ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot}) {
        bool wasWritten = std::any_of(written.begin(), written.end(),
                                      [candidate](const auto& file) { return file.first == candidate; });
        if (!wasWritten) {
            EXPECT_FALSE(fileExists(pathOf(candidate))) << pathOf(candidate);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, SettingsSearchTest,
    testing::Values(
        SearchCase{"AllFour", {ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot}, ModuleRc},
        SearchCase{"BothInModule", {ModuleRc, ModuleRcWithoutDot}, ModuleRc},
        SearchCase{"ModuleBeforeHost", {ModuleRcWithoutDot, HostRc}, ModuleRcWithoutDot},
        SearchCase{"BothInHost", {HostRc, HostRcWithoutDot}, HostRc},
        SearchCase{"OnlyHostRc", {HostRc}, HostRc},
        SearchCase{"OnlyHostRcWithoutDot", {HostRcWithoutDot}, HostRcWithoutDot}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

namespace {

std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// A directory under `base` whose path (with its trailing backslash) is `length`
// characters long, made of components short enough for any file system.
std::string directoryOfLength(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() < length) {
        const size_t room = length - path.size();
        const size_t name = room > 101 ? 100 : room - 1;
        if (name == 0)
            return std::string();  // one character left cannot hold a name and a backslash
        path += std::string(name, 'd') + "\\";
        CreateDirectoryW(wide(path).c_str(), nullptr);
    }
    return path.size() == length ? path : std::string();
}

bool writeWide(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written,
                              nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok;
}

bool existsWide(const std::string& path) {
    return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string settingsAt(int x) {
    return settingsLines(withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(x)));
}

int windowLeft(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    return bounds.left;
}

struct LengthCase {
    const char* name;
    size_t candidateLength;  // of the "Pipwick.rc" candidate
    bool fits;
};

std::string caseName(const testing::TestParamInfo<LengthCase>& info) {
    return info.param.name;
}

const LengthCase kLengths[] = {
    {"Exactly259", 259, true},
    {"Exactly260", 260, false},
    {"Length300", 300, false},
};

}  // namespace

class PathLengthTest : public PluginTest, public testing::WithParamInterface<LengthCase> {
protected:
    std::string longDirectory(size_t candidateLength) {
        const size_t directoryLength = candidateLength - std::string("Pipwick.rc").size();
        return directoryOfLength(moduleDirectory() + "long\\", directoryLength);
    }
};

class ModulePathLengthTest : public PathLengthTest {};

TEST_P(ModulePathLengthTest, LongModuleCandidatesAreUsedOnlyWhenTheyFit) {
    const LengthCase& length = GetParam();
    CreateDirectoryA((moduleDirectory() + "long").c_str(), nullptr);
    const std::string directory = longDirectory(length.candidateLength);
    ASSERT_FALSE(directory.empty());
    const std::string candidate = directory + "Pipwick.rc";
    ASSERT_EQ(candidate.size(), length.candidateLength);
    ASSERT_TRUE(writeWide(candidate, settingsAt(123)));
    writeHostSettings(settingsAt(222));
    // A module name shorter than "Pipwick.rc", so that the module path itself fits
    // where its 259-character candidate does.
    g_platform.modulePath = directory + "clock.dll";

    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_EQ(windowLeft(clockWindow()), length.fits ? 123 : 222);
    moveClockWindow(300, 40);
    const std::string used = length.fits ? fileContent(candidate) : fileContent(hostPath("Pipwick.rc"));
    EXPECT_NE(used.find("Pipwick.position.x: 300\n"), std::string::npos) << used;
    if (!length.fits) {
        EXPECT_TRUE(existsWide(candidate));
        for (const norvane::HostCall& call : norvane::callsTo("FileExists"))
            EXPECT_LT(call.arguments[0].size(), 260u) << call.arguments[0];
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ModulePathLengthTest, testing::ValuesIn(kLengths), caseName);

class HostPathLengthTest : public PathLengthTest {};

TEST_P(HostPathLengthTest, LongHostCandidatesAreUsedOnlyWhenTheyFit) {
    const LengthCase& length = GetParam();
    CreateDirectoryA((moduleDirectory() + "long").c_str(), nullptr);
    const std::string directory = longDirectory(length.candidateLength);
    ASSERT_FALSE(directory.empty());
    const std::string candidate = directory + "Pipwick.rc";
    ASSERT_EQ(candidate.size(), length.candidateLength);
    ASSERT_TRUE(writeWide(candidate, settingsAt(123)));
    restartHost(directory, styleFile());
    if (HasFatalFailure())
        return;

    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    if (length.fits) {
        EXPECT_EQ(windowLeft(clockWindow()), 123);
        EXPECT_FALSE(fileExists(modulePath("Pipwick.rc")));
    } else {
        // Nothing found: a first start, whose file goes into the module's directory.
        EXPECT_EQ(windowLeft(clockWindow()), 10);
        EXPECT_TRUE(fileExists(modulePath("Pipwick.rc")));
        EXPECT_TRUE(existsWide(candidate));
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, HostPathLengthTest, testing::ValuesIn(kLengths), caseName);

// "Pipwick.dll" alone: the directory is its first character, so the candidates are
// "PPipwick.rc" and "PPipwickrc", relative to the current directory, where the first
// start then puts its file.
class ModulePathTest : public PluginTest {};

TEST_F(ModulePathTest, WithoutABackslashItsFirstCharacterIsTheDirectory) {
    const std::string workDirectory = makeSubdirectory(hostDirectory(), "work");
    ASSERT_FALSE(workDirectory.empty());
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(workDirectory.c_str()));
    g_platform.modulePath = "Pipwick.dll";

    // The relative file is written again whenever the window moves, its teardown
    // included: the current directory stays the work directory until the clock stops.
    const int started = startPlugin();
    const bool windowAlive = IsWindow(clockWindow()) != FALSE;
    if (started == 0)
        stopPlugin();
    SetCurrentDirectoryA(previous);
    ASSERT_EQ(started, 0);
    EXPECT_TRUE(windowAlive);
    std::vector<std::string> asked;
    for (const norvane::HostCall& call : norvane::callsTo("FileExists"))
        asked.push_back(call.arguments[0]);
    ASSERT_GE(asked.size(), 4u);
    EXPECT_EQ(asked[0], "PPipwick.rc");
    EXPECT_EQ(asked[1], "PPipwickrc");
    EXPECT_EQ(asked[2], hostPath("Pipwick.rc"));
    EXPECT_EQ(asked[3], hostPath("Pipwickrc"));
    EXPECT_TRUE(fileExists(workDirectory + "PPipwick.rc"));
}
