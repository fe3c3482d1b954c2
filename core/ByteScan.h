// Looking at texts eight or sixteen bytes at a time, for the loops that see
// every byte of a million lines: a text's bytes as words (the first byte
// lowest) with tests that answer for all eight bytes of a word at once, and
// as vectors of sixteen bytes compared with the compiler's vector operators.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace bytescan {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;

inline std::uint64_t Load8(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    return w;
}

// The last `n` (< 8) bytes of a text; the bytes beyond are zero.
inline std::uint64_t LoadTail(const char* p, std::size_t n) {
    std::uint64_t w = 0;
    for (std::size_t i = 0; i < n; ++i) w |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return w;
}

constexpr std::uint64_t Broadcast(char c) { return kOnes * static_cast<unsigned char>(c); }

// 0x80 in each byte that equals `c`, 0 in the others.
inline std::uint64_t BytesEqual(std::uint64_t w, char c) {
    const std::uint64_t x = w ^ Broadcast(c);
    return ~(((x & kLows) + kLows) | x | kLows);
}

// Nonzero when any byte equals `c` (cheaper than BytesEqual when the
// places do not matter).
inline std::uint64_t AnyByteEqual(std::uint64_t w, char c) {
    const std::uint64_t x = w ^ Broadcast(c);
    return (x - kOnes) & ~x & kHighs;
}

// The ASCII capitals of the word lowered; bytes from 0x80 on stay.
inline std::uint64_t LowerAscii(std::uint64_t w) {
    const std::uint64_t seven = w & kLows;
    const std::uint64_t fromA = seven + Broadcast(static_cast<char>(0x80 - 'A'));  // high bit: byte >= 'A'
    const std::uint64_t pastZ = seven + Broadcast(static_cast<char>(0x7F - 'Z'));  // high bit: byte > 'Z'
    const std::uint64_t capitals = fromA & ~pastZ & ~w & kHighs;
    return w | (capitals >> 2);
}

using Bytes16 = unsigned char __attribute__((vector_size(16)));
// What comparing two Bytes16 gives: -1 where true, 0 where false.
using Mask16 = signed char __attribute__((vector_size(16)));

inline Bytes16 Load16(const char* p) {
    Bytes16 v;
    std::memcpy(&v, p, 16);
    return v;
}

// True when any element of a comparison's result is true.
template <class Mask>
bool AnyOf(Mask m) {
    static_assert(sizeof(Mask) == 16);
    std::uint64_t half[2];
    std::memcpy(half, &m, 16);
    return (half[0] | half[1]) != 0;
}

// Calls f(at, next) for each sixteen bytes of the text (`at`) with the
// sixteen behind them shifted by one (`next`), so that it can look at
// neighbours; bytes past the end read as zero.
template <class F>
void ForEachVector(std::string_view text, F f) {
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; i + 17 <= n; i += 16) f(Load16(p + i), Load16(p + i + 1));
    if (i == n) return;
    char tail[32] = {};
    std::memcpy(tail, p + i, n - i);
    f(Load16(tail), Load16(tail + 1));
}

}  // namespace bytescan
