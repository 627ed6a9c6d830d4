// Texts that arrive with HM_SET_LABEL and HM_BROADCAST: empty, at the edge of the
// working buffer, far beyond it, missing, and in memory this process cannot read.
// Each is copied bounded, or ignored; the host keeps running either way.
#include <string>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"

namespace {

struct LengthCase {
    const char* name;
    size_t length;
    int expectedWidth;  // what auto-resize makes of the label: 5 pixels a character
};

// "@Pipwick", blanks, and the command word ending at `length` characters.
std::string commandEndingAt(size_t length, const char* word) {
    std::string text = "@Pipwick";
    text.append(length - text.size() - std::string(word).size(), ' ');
    return text + word;
}

size_t writeBoolCalls() {
    return norvane::callsTo("WriteBool").size();
}

// Two pages: the first readable and writable, the second not readable at all.
class PageEdge {
public:
    PageEdge() {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        pageSize_ = system.dwPageSize;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * pageSize_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous = 0;
        if (base_ != nullptr)
            VirtualProtect(base_ + pageSize_, pageSize_, PAGE_NOACCESS, &previous);
    }
    ~PageEdge() {
        if (base_ != nullptr)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    bool valid() const { return base_ != nullptr; }
    // Places the bytes so that the last one is the last readable byte.
    const char* placeAtEnd(const std::string& bytes) {
        char* at = base_ + pageSize_ - bytes.size();
        bytes.copy(at, bytes.size());
        return at;
    }

private:
    SIZE_T pageSize_ = 0;
    char* base_ = nullptr;
};

// A text in pages that were given back to the system before the message is sent.
const char* freedText(const char* text) {
    char* pages = static_cast<char*>(
        VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (pages == nullptr)
        return nullptr;
    std::string(text).copy(pages, 4095);
    pages[4095] = '\0';
    VirtualFree(pages, 0, MEM_RELEASE);
    return pages;
}

}  // namespace

class MessageTextTest : public PluginTest {
protected:
    void startAutoResizing() {
        startFrom(withSetting(floatingSettings(), "Pipwick.autoResize:", "true"));
    }

    LRESULT sendText(UINT message, const char* text) {
        return SendMessageA(clockWindow(), message, 0, reinterpret_cast<LPARAM>(text));
    }

    int windowWidth() {
        RECT bounds;
        GetWindowRect(clockWindow(), &bounds);
        return bounds.right - bounds.left;
    }

    // Sends the broadcast and tells whether it toggled "Always On Top".
    bool broadcastActs(const char* text) {
        const size_t before = writeBoolCalls();
        EXPECT_EQ(sendText(HM_BROADCAST, text), 0);
        return writeBoolCalls() != before;
    }
};

class LabelLengthTest : public MessageTextTest, public testing::WithParamInterface<LengthCase> {};

TEST_P(LabelLengthTest, LabelIsCutAt1023Characters) {
    const LengthCase& label = GetParam();
    startAutoResizing();
    const std::string text(label.length, 'x');
    EXPECT_EQ(sendText(HM_SET_LABEL, text.c_str()), 0);
    EXPECT_EQ(windowWidth(), label.expectedWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, LabelLengthTest,
    testing::Values(LengthCase{"Empty", 0, 90}, LengthCase{"Fits", 1023, 5115},
                    LengthCase{"OneTooLong", 1024, 5115}, LengthCase{"Long", 65536, 5115}),
    [](const testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

TEST_F(MessageTextTest, BroadcastIsCutAt1023Characters) {
    startFrom(floatingSettings());
    EXPECT_FALSE(broadcastActs(""));
    EXPECT_TRUE(broadcastActs(commandEndingAt(1023, "AlwaysOnTop").c_str()))
        << "a command word that ends at the 1023rd character counts";
    EXPECT_FALSE(broadcastActs(commandEndingAt(1024, "AlwaysOnTop").c_str()))
        << "the cut leaves \"AlwaysOnTo\", which is no command";
    EXPECT_FALSE(broadcastActs(commandEndingAt(65536, "AlwaysOnTop").c_str()));
    std::string padded = "@Pipwick AlwaysOnTop";
    padded.append(65536 - padded.size(), ' ');
    EXPECT_TRUE(broadcastActs(padded.c_str())) << "the start of a long text still counts";
    padded[1023] = 'X';
    EXPECT_TRUE(broadcastActs(padded.c_str()));
}

TEST_F(MessageTextTest, NullTextsAreIgnored) {
    startAutoResizing();
    sendText(HM_SET_LABEL, "a label of some length");
    const int width = windowWidth();
    EXPECT_EQ(sendText(HM_SET_LABEL, nullptr), 0);
    EXPECT_EQ(windowWidth(), width) << "a missing label counted as an empty one";
    EXPECT_FALSE(broadcastActs(nullptr));
    EXPECT_TRUE(IsWindow(clockWindow()));
}

TEST_F(MessageTextTest, TextsInFreedPagesAreIgnored) {
    startAutoResizing();
    sendText(HM_SET_LABEL, "a label of some length");
    const int width = windowWidth();

    const char* label = freedText("x");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(sendText(HM_SET_LABEL, label), 0);
    EXPECT_EQ(windowWidth(), width);

    const char* command = freedText("@Pipwick AlwaysOnTop");
    ASSERT_NE(command, nullptr);
    EXPECT_FALSE(broadcastActs(command));
    EXPECT_TRUE(IsWindow(clockWindow()));
    EXPECT_TRUE(broadcastActs("@Pipwick AlwaysOnTop")) << "the clock stopped listening";
}

TEST_F(MessageTextTest, TextRunningIntoUnreadableMemoryIsIgnored) {
    startAutoResizing();
    PageEdge edge;
    ASSERT_TRUE(edge.valid());
    // The terminating zero is the last readable byte: the text is whole.
    EXPECT_TRUE(broadcastActs(edge.placeAtEnd(std::string("@Pipwick AlwaysOnTop") + '\0')));
    // No zero before the unreadable page: the text has no end this process can read.
    EXPECT_FALSE(broadcastActs(edge.placeAtEnd("@Pipwick AlwaysOnTop")));
    const int width = windowWidth();
    EXPECT_EQ(sendText(HM_SET_LABEL, edge.placeAtEnd(std::string(300, 'x'))), 0);
    EXPECT_EQ(windowWidth(), width);
    // A text longer than the buffer ends, for the plug-in, before the edge.
    EXPECT_EQ(sendText(HM_SET_LABEL, edge.placeAtEnd(std::string(1500, 'x'))), 0);
    EXPECT_EQ(windowWidth(), 5115);
    EXPECT_TRUE(IsWindow(clockWindow()));
}
