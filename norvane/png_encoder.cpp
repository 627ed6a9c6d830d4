#include "norvane/png_encoder.h"

#include <algorithm>
#include <array>

namespace norvane {
namespace {

// Larger images are refused: a screenshot of a window never comes near this.
const size_t kMaximumImageBytes = 256u * 1024u * 1024u;
const size_t kStoredBlockBytes = 65535;

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

void appendBigEndian(std::string* out, std::uint32_t value) {
    out->push_back(static_cast<char>(value >> 24));
    out->push_back(static_cast<char>(value >> 16));
    out->push_back(static_cast<char>(value >> 8));
    out->push_back(static_cast<char>(value));
}

void appendLittleEndian16(std::string* out, unsigned value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void appendChunk(std::string* png, const char type[5], const std::string& data) {
    appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const size_t typeAt = png->size();
    png->append(type, 4);
    png->append(data);
    const auto* checked = reinterpret_cast<const unsigned char*>(png->data() + typeAt);
    appendBigEndian(png, crc32(checked, 4 + data.size()));
}

// The image rows, each led by filter type 0 (none), as one zlib stream.
std::string zlibStoredStream(const std::string& raw) {
    std::string stream;
    stream.reserve(raw.size() + raw.size() / kStoredBlockBytes * 5 + 16);
    stream.push_back(0x78);  // deflate, 32 KiB window
    stream.push_back(0x01);  // no preset dictionary; makes the header a multiple of 31
    size_t at = 0;
    do {
        const size_t length = std::min(kStoredBlockBytes, raw.size() - at);
        const bool last = at + length == raw.size();
        stream.push_back(last ? 0x01 : 0x00);  // BFINAL, BTYPE 00 (stored)
        appendLittleEndian16(&stream, static_cast<unsigned>(length));
        appendLittleEndian16(&stream, static_cast<unsigned>(~length & 0xFFFF));
        stream.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    appendBigEndian(&stream,
                    adler32(reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
    return stream;
}

}  // namespace

std::uint32_t crc32(const unsigned char* data, size_t size, std::uint32_t crc) {
    const auto& table = crcTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const unsigned char* data, size_t size) {
    const std::uint32_t modulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % modulus;
        b = (b + a) % modulus;
    }
    return b << 16 | a;
}

std::string encodePng(int width, int height, const unsigned char* rgb) {
    if (width <= 0 || height <= 0 || rgb == nullptr) return {};
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    if (rowBytes + 1 > kMaximumImageBytes / static_cast<size_t>(height)) return {};

    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        raw.push_back(0);
        raw.append(reinterpret_cast<const char*>(rgb) + rowBytes * static_cast<size_t>(row),
                   rowBytes);
    }

    std::string header;
    appendBigEndian(&header, static_cast<std::uint32_t>(width));
    appendBigEndian(&header, static_cast<std::uint32_t>(height));
    header.push_back(8);  // bits per channel
    header.push_back(2);  // colour type: RGB
    header.push_back(0);  // compression: deflate
    header.push_back(0);  // filter method
    header.push_back(0);  // no interlace

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(&png, "IHDR", header);
    appendChunk(&png, "IDAT", zlibStoredStream(raw));
    appendChunk(&png, "IEND", std::string());
    return png;
}

}  // namespace norvane
