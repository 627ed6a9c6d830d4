// Reading a fuzzer's bytes as the inputs of one call: numbers first, then texts
// separated by NUL bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    int number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | byte();
        int result;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    // The bytes up to the next NUL, or to the end.
    std::string text() {
        std::string text;
        while (at_ < size_ && data_[at_] != 0) text.push_back(static_cast<char>(data_[at_++]));
        if (at_ < size_) ++at_;
        return text;
    }

    // Everything not read yet, NUL bytes included.
    std::string rest() {
        std::string rest(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
        at_ = size_;
        return rest;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Stops the run with a crash the fuzzer reports, when a property does not hold.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) __builtin_trap(); \
    } while (0)
