// Reading the settings file through the host, key by key, so that the host's parser
// decides how a line is matched.
#pragma once

#include "config/settings_file_state.h"

// Every line's value; a missing key gives the value it reads as when missing.
void readSettingsValues(const char* file, SettingsValues& values);

// The same, for the file as `stamp`, taken just before, shows it; false, and the
// values left as they were, when the file is missing or cannot be read now.
bool readSettingsFile(const char* file, const FileStamp& stamp, SettingsValues& values);
