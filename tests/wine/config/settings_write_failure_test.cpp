// A settings write that fails part-way leaves the old file as it was and no
// temporary file beside it; the next write that can succeed does.
#include "plugin_fixture.h"
#include "test_files.h"

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
