// The bare durable write that every write of the benchmark is compared with: the
// least a write must do to survive a power cut. A temporary file is created, written,
// flushed to the disk and closed, then renamed over the target.
#pragma once

#include <string>
#include <vector>

namespace bench {

class BareWrite {
public:
    // Writes as many bytes as `file` holds now, to a file of its own beside it.
    explicit BareWrite(const std::string& file);
    ~BareWrite();
    BareWrite(const BareWrite&) = delete;
    BareWrite& operator=(const BareWrite&) = delete;

    // One whole write, timed in microseconds.
    double timedWrite() const;

private:
    std::string target_;
    std::vector<char> bytes_;
};

}  // namespace bench
