#include "bench/bare_write.h"

#include <windows.h>

#include <cstdio>

#include "bench/measure.h"

namespace bench {
namespace {

std::vector<char> fileContents(const std::string& path) {
    std::vector<char> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + read);
    }
    std::fclose(file);
    return bytes;
}

bool writeDurably(const std::string& path, const std::vector<char>& bytes) {
    const std::string temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return whole && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

BareWrite::BareWrite(const std::string& file) : bytes_(fileContents(file)) {
    const std::size_t slash = file.find_last_of("\\/");
    target_ = (slash == std::string::npos ? std::string() : file.substr(0, slash + 1)) +
              "bare-write.txt";
}

BareWrite::~BareWrite() {
    DeleteFileA(target_.c_str());
}

double BareWrite::timedWrite() const {
    const double start = nowMicroseconds();
    writeDurably(target_, bytes_);
    return nowMicroseconds() - start;
}

}  // namespace bench
