// What the host's style can hand the plug-in: a toolbar description far longer than
// the working buffer, a style path longer than the record holds, no keys at all, or
// no style file. The clock starts and paints on the defaults or on a bounded copy.
#include <cctype>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "test_files.h"

namespace {

std::string lastGradientColours() {
    const std::vector<norvane::HostCall> gradients = norvane::callsTo("MakeGradient");
    if (gradients.empty())
        return "no gradient";
    const std::vector<std::string>& arguments = gradients.back().arguments;
    // The context, the rectangle and the kind come first; then the two colours.
    std::string colours = arguments[3] + " " + arguments[4] + " border " + arguments[9];
    for (char& c : colours)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return colours;
}

}  // namespace

class StyleInputTest : public PluginTest {
protected:
    void startAndPaint() {
        writeModuleSettings(settingsLines(floatingSettings()));
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
        paintNow();
        EXPECT_FALSE(paintPending());
        EXPECT_TRUE(g_gdi.liveObjects.empty());
    }
};

TEST_F(StyleInputTest, LongToolbarDescriptionIsCutToTheWorkingBuffer) {
    std::string description;
    while (description.size() < 5000)
        description += "Raised Gradient Horizontal Interlaced ";
    description.resize(5000);
    writeStyle("toolbar: " + description + "\ntoolbar.color: #102030\n");
    startAndPaint();
    const std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    ASSERT_EQ(parses.size(), 1u);
    EXPECT_EQ(parses[0].arguments[0], description.substr(0, 1023));
    EXPECT_EQ(lastGradientColours().substr(0, 7), "#102030");
}

// The 259 characters that fit of a 300-character style path name a real file with
// colours of its own: a cut path would read that file instead of the host's style.
TEST_F(StyleInputTest, StylePathLongerThanTheRecordReadsAsMissing) {
    std::string directory = hostDirectory();
    while (directory.size() < 100)
        directory = makeSubdirectory(directory, "deeper");
    ASSERT_FALSE(directory.empty());
    const std::string longPath = directory + std::string(300 - directory.size() - 6, 's') + ".style";
    ASSERT_EQ(longPath.size(), 300u);
    const std::string cutPath = longPath.substr(0, 259);
    ASSERT_TRUE(writeWholeFile(cutPath, "toolbar.color: #aa0000\ntoolbar.colorTo: #00aa00\n"
                                        "borderColor: #0000aa\n"));
    restartHost(hostDirectory(), longPath);
    if (HasFatalFailure())
        return;
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#000000 #ffffff border #000000")
        << "the style was read from the file that the cut path names";
    for (const norvane::HostCall& call : norvane::callsTo("ReadColor"))
        EXPECT_NE(call.arguments[0], cutPath);
}

TEST_F(StyleInputTest, StylePathThatFitsExactlyIsRead) {
    std::string directory = hostDirectory();
    while (directory.size() < 100)
        directory = makeSubdirectory(directory, "deeper");
    ASSERT_FALSE(directory.empty());
    const std::string path = directory + std::string(259 - directory.size() - 6, 's') + ".style";
    ASSERT_EQ(path.size(), 259u);
    ASSERT_TRUE(writeWholeFile(path, "toolbar.color: #aa0000\ntoolbar.colorTo: #00aa00\n"
                                     "borderColor: #0000aa\n"));
    restartHost(hostDirectory(), path);
    if (HasFatalFailure())
        return;
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#aa0000 #00aa00 border #0000aa");
}

namespace {

struct MissingStyleCase {
    const char* name;
    // Prepares the style the host names; returns false when it cannot.
    bool (*prepare)(const std::string& styleFile);
};

bool emptyStyle(const std::string& styleFile) {
    return writeWholeFile(styleFile, "");
}

bool noStyleFile(const std::string& styleFile) {
    return DeleteFileA(styleFile.c_str()) != 0;
}

bool directoryInstead(const std::string& styleFile) {
    return DeleteFileA(styleFile.c_str()) && CreateDirectoryA(styleFile.c_str(), nullptr);
}

bool garbageStyle(const std::string& styleFile) {
    std::string text(1 << 20, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>((i * 7919u) >> 3);
    return writeWholeFile(styleFile, text);
}

}  // namespace

class MissingStyleTest : public StyleInputTest,
                         public testing::WithParamInterface<MissingStyleCase> {};

TEST_P(MissingStyleTest, EveryKeyTakesItsDefault) {
    ASSERT_TRUE(GetParam().prepare(styleFile()));
    startAndPaint();
    EXPECT_EQ(lastGradientColours(), "#000000 #ffffff border #000000");
    const std::vector<norvane::HostCall> parses = norvane::callsTo("ParseItem");
    ASSERT_EQ(parses.size(), 1u);
    EXPECT_EQ(parses[0].arguments[0], "Flat Gradient Vertical");
    norvane::reconfigure();
    EXPECT_EQ(norvane::callsTo("ParseItem").size(), 2u);
    EXPECT_TRUE(IsWindow(clockWindow()));
    if (std::string(GetParam().name) == "DirectoryInstead")
        RemoveDirectoryA(styleFile().c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MissingStyleTest,
    testing::Values(MissingStyleCase{"EveryKeyMissing", emptyStyle},
                    MissingStyleCase{"NoStyleFile", noStyleFile},
                    MissingStyleCase{"DirectoryInstead", directoryInstead},
                    MissingStyleCase{"OneMiBOfGarbage", garbageStyle}),
    [](const testing::TestParamInfo<MissingStyleCase>& info) { return std::string(info.param.name); });
