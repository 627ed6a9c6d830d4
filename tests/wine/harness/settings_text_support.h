// Settings texts as the tests expect the plug-in to write them.
#pragma once

#include <string>
#include <utility>
#include <vector>

using Settings = std::vector<std::pair<std::string, std::string>>;

// The whole file as the plug-in writes it: the translucency, slit and auto-resize
// lines end in CR LF, every other line in LF.
std::string writtenText(const Settings& settings);

// `text` with the value of the first line for `key` replaced; the line keeps its end.
// A key that is not in the text fails the test.
std::string withValue(std::string text, const std::string& key, const std::string& value);

const char* boolText(bool value);
