// The folder kept for Pipwick in the user's application data folder, where the
// settings file lives when neither the plug-in's folder nor the host's takes a new
// file (Program Files, a locked-down PC). That folder always takes the user's files.
#pragma once

// "<application data>\Pipwick\" as the host can open it, ending in a backslash, into
// buffer; empty when the application data folder is unknown or cannot be so written.
// The folder itself may not exist yet.
void pipwickDataDirectory(char* buffer, int size);

// Makes the folder that holds the file at path; true when it exists afterwards.
bool makeFolderOf(const char* path);
