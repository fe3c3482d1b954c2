// Many lines of text in blocks: each line costs its bytes and eight more,
// appending one allocates nothing of its own, and a growing store never
// copies what it holds. The results lists and the export keep their lines
// here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class LineStore {
public:
    LineStore() = default;
    LineStore(const LineStore& other) { *this = other; }
    LineStore& operator=(const LineStore& other);
    LineStore(LineStore&&) noexcept = default;
    LineStore& operator=(LineStore&&) noexcept = default;

    // Lines longer than kMaxLine (16 MiB) are cut there.
    static constexpr std::size_t kMaxLine = (std::size_t{1} << 24) - 1;

    // Throws std::length_error when the store would outgrow what a line's
    // reference can address (512 GiB).
    void Append(std::string_view line);
    // Takes the last line back.
    void PopBack();
    std::string_view operator[](std::size_t i) const {
        const std::uint64_t ref = refs_[i];
        return std::string_view(blocks_[ref >> kBlockShift].get() + ((ref >> kLengthBits) & kOffsetMask),
                                ref & kLengthMask);
    }
    std::size_t Size() const { return refs_.size(); }
    bool Empty() const { return refs_.empty(); }
    // The bytes of the lines (without what the blocks leave unused).
    std::size_t Bytes() const { return bytes_; }
    void Reserve(std::size_t lines, std::size_t bytes);
    // Gives the memory back.
    void Clear();

private:
    // A line's reference: its block number, its offset in the block and its
    // length, each in a field of its own. The offset runs up to the block
    // size itself: an empty line may start where a full block ends.
    static constexpr unsigned kLengthBits = 24;
    static constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << kLengthBits) - 1;
    static constexpr unsigned kBlockBits = 22;  // 4 MiB blocks
    static constexpr std::uint64_t kBlockSize = std::uint64_t{1} << kBlockBits;
    static constexpr unsigned kOffsetBits = kBlockBits + 1;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
    static constexpr unsigned kBlockShift = kLengthBits + kOffsetBits;
    // 2^17 blocks: 512 GiB of lines.
    static constexpr std::size_t kMaxBlocks = std::size_t{1} << (64 - kBlockShift);
    static_assert(kMaxLine <= kLengthMask && kBlockShift < 64);

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::uint64_t> refs_;
    std::uint64_t used_ = 0;  // bytes used in the last block
    std::size_t bytes_ = 0;
};
