#include "core/LineStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

LineStore& LineStore::operator=(const LineStore& other) {
    if (this == &other) return *this;
    Clear();
    Reserve(other.Size(), other.Bytes());
    for (std::size_t i = 0; i < other.Size(); ++i) Append(other[i]);
    return *this;
}

void LineStore::Append(std::string_view line) {
    const std::size_t length = std::min(line.size(), kMaxLine);
    if (blocks_.empty() || used_ + length > kBlockSize) {
        if (blocks_.size() >= kMaxBlocks) throw std::length_error("LineStore: too many lines");
        // A line longer than a block gets a block of its own.
        const std::size_t size = std::max<std::size_t>(kBlockSize, length);
        blocks_.push_back(std::unique_ptr<char[]>(new char[size]));
        used_ = 0;
    }
    const std::uint64_t block = blocks_.size() - 1;
    refs_.push_back((block << kBlockShift) | (used_ << kLengthBits) | length);
    if (length > 0) std::memcpy(blocks_.back().get() + used_, line.data(), length);
    used_ = length > kBlockSize ? kBlockSize : used_ + length;
    bytes_ += length;
}

void LineStore::PopBack() {
    const std::uint64_t ref = refs_.back();
    refs_.pop_back();
    bytes_ -= ref & kLengthMask;
    if ((ref >> kBlockShift) == blocks_.size() - 1) used_ = (ref >> kLengthBits) & kOffsetMask;
}

void LineStore::Reserve(std::size_t lines, std::size_t) { refs_.reserve(lines); }

void LineStore::Clear() {
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    std::vector<std::uint64_t>().swap(refs_);
    used_ = 0;
    bytes_ = 0;
}
