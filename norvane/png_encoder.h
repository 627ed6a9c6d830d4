// A small PNG writer for screenshots: 8-bit RGB, no filtering, and a zlib stream of
// stored (uncompressed) deflate blocks, so no compression library is needed.
// Platform-free, so it builds natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace norvane {

// CRC-32 as PNG and zip use it (reflected polynomial 0xEDB88320). Pass the result
// of an earlier call as `crc` to continue over more bytes.
std::uint32_t crc32(const unsigned char* data, size_t size, std::uint32_t crc = 0);

// Adler-32 as zlib uses it.
std::uint32_t adler32(const unsigned char* data, size_t size);

// The PNG file of an image `width` by `height` pixels whose rows of width * 3 bytes
// (red, green, blue) follow each other from the top. Empty when the size is not
// positive, the pixels are null, or the image is too large for one buffer.
std::string encodePng(int width, int height, const unsigned char* rgb);

}  // namespace norvane
