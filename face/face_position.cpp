#include "face/face_position.h"

#include <cstdint>
#include <cstring>

// A double is sign, 11 bits of biased exponent and 52 stored bits of the significand:
// a normal one is (2^52 + stored bits) * 2^(biased exponent - 1075). On the x87 unit
// at 64-bit precision the product would be rounded twice, to 64 bits and then to 53,
// and could land on the whole number above it (20,490 * 0.7, for one); here it is
// formed exactly and rounded once, to nearest with ties to even, as IEEE-754 does.

namespace {

constexpr int kSignificandBits = 53;
constexpr int kExponentBias = 1075;  // 1023, plus the 52 stored bits
constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << 52;

// An unsigned integer of up to 128 bits: high * 2^64 + low.
struct Wide {
    std::uint64_t high;
    std::uint64_t low;
};

// A 32-bit factor times a 53-bit one, in 32-bit parts so that no part's product
// leaves 64 bits: the result has at most 84.
Wide multiply(std::uint64_t small, std::uint64_t significand) {
    const std::uint64_t lowPart = small * (significand & 0xFFFFFFFFu);
    const std::uint64_t highPart = small * (significand >> 32);
    Wide product;
    product.low = lowPart + (highPart << 32);
    product.high = (highPart >> 32) + (product.low < lowPart ? 1 : 0);
    return product;
}

int bitLength(std::uint64_t value) {
    int length = 0;
    for (; value != 0; value >>= 1) ++length;
    return length;
}

int bitLength(const Wide& value) {
    return value.high != 0 ? 64 + bitLength(value.high) : bitLength(value.low);
}

// The product rounded to 53 significant bits: the result times 2^*dropped is the
// double nearest to it.
std::uint64_t roundToDouble(const Wide& product, int* dropped) {
    const int extra = bitLength(product) - kSignificandBits;
    *dropped = extra > 0 ? extra : 0;
    if (extra <= 0) return product.low;
    // At most 31 bits are dropped, all of them from the low word.
    std::uint64_t kept = (product.low >> extra) | (product.high << (64 - extra));
    const std::uint64_t rest = product.low & ((std::uint64_t{1} << extra) - 1);
    const std::uint64_t half = std::uint64_t{1} << (extra - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
    return kept;
}

}  // namespace

int facePosition(int dimension, double fraction) {
    std::uint64_t bits;
    std::memcpy(&bits, &fraction, sizeof bits);
    const bool fractionNegative = (bits >> 63) != 0;
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    // Zero and the subnormals give products far below 1; a magnitude of 1 or more,
    // the infinities and NaN are outside what this is for.
    if (biasedExponent == 0 || biasedExponent >= 1023) return 0;

    const std::uint64_t significand = (bits & (kHiddenBit - 1)) | kHiddenBit;
    const std::uint64_t magnitude = dimension < 0
        ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(dimension))
        : static_cast<std::uint64_t>(dimension);
    int dropped = 0;
    const std::uint64_t rounded = roundToDouble(multiply(magnitude, significand), &dropped);

    // The rounded product is rounded * 2^(dropped - scale); a magnitude below 1
    // makes scale at least 53 and dropped at most 31, so this is a right shift.
    const int scale = kExponentBias - biasedExponent;
    const int shift = scale - dropped;
    const std::uint64_t whole = shift >= 64 ? 0 : rounded >> shift;
    // Below 2^31: the dimension is at most 2^31 and the fraction below 1.
    const int position = static_cast<int>(whole);
    return (dimension < 0) != fractionNegative ? -position : position;
}
