#include "config/settings_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A file system of named files and a host directory, with a log of the lookups.
struct FakeFiles {
    std::set<std::string> files;
    std::string hostDirectory = "C:\\Norvane\\";
    std::string dataDirectory = "C:\\Users\\u\\AppData\\Pipwick\\";
    std::vector<std::string> lookups;
    int hostDirectoryCalls = 0;
};
FakeFiles* g_files = nullptr;

bool fakeExists(const char* path) {
    g_files->lookups.push_back(path);
    return g_files->files.count(path) != 0;
}

void fakeHostDirectory(char* buffer, int size) {
    ++g_files->hostDirectoryCalls;
    snprintf(buffer, size, "%s", g_files->hostDirectory.c_str());
}

void fakeDataDirectory(char* buffer, int size) {
    snprintf(buffer, size, "%s", g_files->dataDirectory.c_str());
}

class SettingsSearch : public ::testing::Test {
protected:
    void SetUp() override { g_files = &files; }
    void TearDown() override { g_files = nullptr; }

    bool find(const char* modulePath) {
        return findSettingsFile(modulePath, fileSystem(), rcFile);
    }

    bool newFileIn(SettingsPlace place, const char* modulePath) {
        return newSettingsFileIn(place, modulePath, fileSystem(), rcFile);
    }

    static SettingsFileSystem fileSystem() {
        return {fakeExists, fakeHostDirectory, fakeDataDirectory};
    }

    FakeFiles files;
    char rcFile[kSettingsPathSize] = "";
};

TEST_F(SettingsSearch, TriesSixCandidatesInOrder) {
    EXPECT_FALSE(find("C:\\Shell\\plugins\\Pipwick.dll"));
    EXPECT_EQ(files.lookups, (std::vector<std::string>{
                                 "C:\\Shell\\plugins\\Pipwick.rc",
                                 "C:\\Shell\\plugins\\Pipwickrc",
                                 "C:\\Norvane\\Pipwick.rc",
                                 "C:\\Norvane\\Pipwickrc",
                                 "C:\\Users\\u\\AppData\\Pipwick\\Pipwick.rc",
                                 "C:\\Users\\u\\AppData\\Pipwick\\Pipwickrc",
                             }));
    // Nothing found: the file to create is the module directory's.
    EXPECT_STREQ(rcFile, "C:\\Shell\\plugins\\Pipwick.rc");
}

TEST_F(SettingsSearch, FirstExistingCandidateWins) {
    files.files = {"C:\\P\\Pipwick.rc", "C:\\P\\Pipwickrc"};
    EXPECT_TRUE(find("C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\P\\Pipwick.rc");
    EXPECT_EQ(files.hostDirectoryCalls, 0);

    files.files = {"C:\\P\\Pipwickrc", "C:\\Norvane\\Pipwick.rc"};
    EXPECT_TRUE(find("C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\P\\Pipwickrc");

    files.files = {"C:\\Norvane\\Pipwickrc"};
    EXPECT_TRUE(find("C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\Norvane\\Pipwickrc");

    // The application data folder's file is found only where the other two have none.
    files.files = {"C:\\Users\\u\\AppData\\Pipwick\\Pipwick.rc", "C:\\Norvane\\Pipwickrc"};
    EXPECT_TRUE(find("C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\Norvane\\Pipwickrc");
    files.files = {"C:\\Users\\u\\AppData\\Pipwick\\Pipwickrc"};
    EXPECT_TRUE(find("C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\Users\\u\\AppData\\Pipwick\\Pipwickrc");
}

TEST_F(SettingsSearch, OnlyBackslashesSeparate) {
    find("C:/Shell/Pipwick.dll");
    EXPECT_EQ(files.lookups.front(), "CPipwick.rc");
    files.lookups.clear();
    find("X");
    EXPECT_EQ(files.lookups.front(), "XPipwick.rc");
    files.lookups.clear();
    // A backslash at index 0 is never looked at.
    find("\\Pipwick.dll");
    EXPECT_EQ(files.lookups.front(), "\\Pipwick.rc");
}

TEST_F(SettingsSearch, CandidatesThatDoNotFitCountAsAbsent) {
    // 249 characters of directory: "Pipwick.rc" makes 259 and fits, "Pipwickrc" 258.
    const std::string fits = "C:\\" + std::string(245, 'a') + "\\";
    ASSERT_EQ(fits.size(), 249u);
    find((fits + "P.dll").c_str());
    EXPECT_EQ(files.lookups[0], fits + "Pipwick.rc");
    EXPECT_STREQ(rcFile, (fits + "Pipwick.rc").c_str());

    // One more: "Pipwick.rc" would need 260 characters and a NUL; "Pipwickrc" still fits.
    files.lookups.clear();
    const std::string tooLong = "C:\\" + std::string(246, 'a') + "\\";
    find((tooLong + "P.dll").c_str());
    EXPECT_EQ(files.lookups[0], tooLong + "Pipwickrc");
    // The module directory cannot take the new file: it goes to the host's.
    EXPECT_STREQ(rcFile, "C:\\Norvane\\Pipwick.rc");
}

TEST_F(SettingsSearch, UnknownModulePathSearchesTheOtherPlaces) {
    files.dataDirectory = "";
    EXPECT_FALSE(find(nullptr));
    EXPECT_EQ(files.lookups, (std::vector<std::string>{"C:\\Norvane\\Pipwick.rc",
                                                       "C:\\Norvane\\Pipwickrc"}));
    EXPECT_STREQ(rcFile, "C:\\Norvane\\Pipwick.rc");

    files.hostDirectory = std::string(300, 'h');
    EXPECT_FALSE(find(nullptr));
    EXPECT_STREQ(rcFile, "");

    files.dataDirectory = "D:\\Data\\Pipwick\\";
    EXPECT_FALSE(find(nullptr));
    EXPECT_STREQ(rcFile, "D:\\Data\\Pipwick\\Pipwick.rc");
}

TEST_F(SettingsSearch, NewFileInEachPlaceIsItsPipwickRc) {
    EXPECT_TRUE(newFileIn(SettingsPlace::Module, "C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\P\\Pipwick.rc");
    EXPECT_TRUE(newFileIn(SettingsPlace::Host, "C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\Norvane\\Pipwick.rc");
    EXPECT_TRUE(newFileIn(SettingsPlace::Data, "C:\\P\\Pipwick.dll"));
    EXPECT_STREQ(rcFile, "C:\\Users\\u\\AppData\\Pipwick\\Pipwick.rc");

    // A place without a directory, or one too long for the file, has none.
    EXPECT_FALSE(newFileIn(SettingsPlace::Module, nullptr));
    EXPECT_STREQ(rcFile, "");
    files.dataDirectory = "";
    EXPECT_FALSE(newFileIn(SettingsPlace::Data, nullptr));
    files.hostDirectory = "C:\\" + std::string(250, 'h') + "\\";
    EXPECT_FALSE(newFileIn(SettingsPlace::Host, nullptr));
    EXPECT_STREQ(rcFile, "");
}

TEST(CutToDirectory, KeepsTheTrailingBackslash) {
    char path[64] = "C:\\a\\b.dll";
    cutToDirectory(path);
    EXPECT_STREQ(path, "C:\\a\\");
    char empty[4] = "";
    cutToDirectory(empty);
    EXPECT_STREQ(empty, "");
}

}  // namespace
