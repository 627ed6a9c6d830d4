#include "settings_text_support.h"

#include <gtest/gtest.h>

std::string writtenText(const Settings& settings) {
    std::string text;
    for (const auto& line : settings) {
        const bool crlf = line.first == "Pipwick.transparency:" ||
                          line.first == "Pipwick.transparency.alpha:" ||
                          line.first == "Pipwick.inSlit:" || line.first == "Pipwick.autoResize:";
        text += line.first + " " + line.second + (crlf ? "\r\n" : "\n");
    }
    return text;
}

std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const std::string start = key + " ";
    size_t at = text.compare(0, start.size(), start) == 0 ? 0 : text.find("\n" + start);
    if (at == std::string::npos) {
        ADD_FAILURE() << key << " is not in the file:\n" << text;
        return text;
    }
    if (at != 0)
        ++at;
    const size_t from = at + start.size();
    const size_t end = text.find_first_of("\r\n", from);
    return text.replace(from, end == std::string::npos ? std::string::npos : end - from, value);
}

const char* boolText(bool value) {
    return value ? "true" : "false";
}
