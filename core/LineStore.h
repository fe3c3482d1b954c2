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

    void Append(std::string_view line);
    // Takes the last line back.
    void PopBack();
    std::string_view operator[](std::size_t i) const {
        const std::uint64_t ref = refs_[i];
        const std::uint64_t start = ref >> kLengthBits;
        return std::string_view(blocks_[start >> kBlockBits].get() + (start & kBlockMask), ref & kLengthMask);
    }
    std::size_t Size() const { return refs_.size(); }
    bool Empty() const { return refs_.empty(); }
    // The bytes of the lines (without what the blocks leave unused).
    std::size_t Bytes() const { return bytes_; }
    void Reserve(std::size_t lines, std::size_t bytes);
    // Gives the memory back.
    void Clear();

private:
    // A line's reference: where it starts (block number and offset, as one
    // number) and its length.
    static constexpr unsigned kLengthBits = 24;
    static constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << kLengthBits) - 1;
    static constexpr unsigned kBlockBits = 22;  // 4 MiB blocks
    static constexpr std::uint64_t kBlockSize = std::uint64_t{1} << kBlockBits;
    static constexpr std::uint64_t kBlockMask = kBlockSize - 1;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::uint64_t> refs_;
    std::uint64_t used_ = 0;  // bytes used in the last block
    std::size_t bytes_ = 0;
};
