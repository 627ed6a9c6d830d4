// The host's settings and style functions: the host's directory and style path,
// and key reads and boolean writes over files on disk, read afresh on each call.
#include "norvane/host_internal.h"

#include <algorithm>
#include <cstring>

#include "host/norvane_api.h"
#include "norvane/settings_lookup.h"

namespace norvane {
namespace {

// ReadString's answer stays valid until the next ReadString.
std::string s_stringResult;

// The value of `key` in `file`; false when the file cannot be read or lacks the key.
bool readValue(const char* file, const char* key, std::string* text, std::string_view* value) {
    if (readWholeFile(file, text) != FileRead::kRead) return false;
    return findValue(*text, key, value);
}

}  // namespace
}  // namespace norvane

using norvane::recordingCalls;
using norvane::recordCall;
using norvane::textArgument;

NORVANE_API char* GetNorvanePath(char* buffer, int size) {
    if (recordingCalls()) {
        recordCall("GetNorvanePath",
                   {norvane::pointerText(buffer), norvane::numberArgument(size)});
    }
    if (buffer == nullptr || size <= 0) return buffer;
    const std::string& directory = norvane::hostDirectory();
    const size_t length = std::min(directory.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, directory.data(), length);
    buffer[length] = '\0';
    return buffer;
}

NORVANE_API bool FileExists(const char* path) {
    if (recordingCalls()) recordCall("FileExists", {textArgument(path)});
    if (path == nullptr || *path == '\0') return false;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

NORVANE_API int ReadInt(const char* file, const char* key, int defaultValue) {
    if (recordingCalls()) {
        recordCall("ReadInt", {textArgument(file), textArgument(key),
                               norvane::numberArgument(defaultValue)});
    }
    std::string text;
    std::string_view value;
    if (!norvane::readValue(file, key, &text, &value)) return defaultValue;
    return norvane::integerOr(value, defaultValue);
}

NORVANE_API bool ReadBool(const char* file, const char* key, bool defaultValue) {
    if (recordingCalls()) {
        recordCall("ReadBool", {textArgument(file), textArgument(key),
                                norvane::boolArgument(defaultValue)});
    }
    std::string text;
    std::string_view value;
    if (!norvane::readValue(file, key, &text, &value)) return defaultValue;
    return norvane::booleanOr(value, defaultValue);
}

NORVANE_API const char* ReadString(const char* file, const char* key, const char* defaultValue) {
    if (recordingCalls()) {
        recordCall("ReadString",
                   {textArgument(file), textArgument(key), textArgument(defaultValue)});
    }
    std::string text;
    std::string_view value;
    // Built aside first: the default may be the previous answer itself.
    std::string result;
    if (norvane::readValue(file, key, &text, &value)) {
        result.assign(value.data(), value.size());
    } else if (defaultValue != nullptr) {
        result = defaultValue;
    }
    norvane::s_stringResult = std::move(result);
    return norvane::s_stringResult.c_str();
}

NORVANE_API COLORREF ReadColor(const char* file, const char* key, const char* defaultText) {
    if (recordingCalls()) {
        recordCall("ReadColor",
                   {textArgument(file), textArgument(key), textArgument(defaultText)});
    }
    std::string text;
    std::string_view value;
    if (!norvane::readValue(file, key, &text, &value)) value = std::string_view();
    return norvane::colourOr(value, defaultText);
}

NORVANE_API bool WriteBool(const char* file, const char* key, bool value) {
    if (recordingCalls()) {
        recordCall("WriteBool",
                   {textArgument(file), textArgument(key), norvane::boolArgument(value)});
    }
    std::string text;
    // A file that exists but cannot be read is never replaced: its contents would
    // be lost. A missing one is created with the one line.
    if (norvane::readWholeFile(file, &text) == norvane::FileRead::kFailed) return false;
    std::string updated;
    if (!norvane::withKeyValue(text, key, value ? "true" : "false", &updated)) return false;
    if (updated == text) return true;  // the file says so already
    return norvane::replaceFileContents(file, updated);
}

NORVANE_API const char* stylePath(const char* other) {
    if (recordingCalls()) recordCall("stylePath", {textArgument(other)});
    return norvane::hostStyleFile().c_str();
}
