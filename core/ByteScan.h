// Looking at texts eight or sixteen bytes at a time, for the loops that see
// every byte of a million lines: a text's bytes as words (the first byte
// lowest), and as vectors of sixteen bytes compared with the compiler's
// vector operators.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace bytescan {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

inline std::uint64_t Load8(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    return w;
}

constexpr std::uint64_t Broadcast(char c) { return kOnes * static_cast<unsigned char>(c); }

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
