#include "core/LineStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

LineRefs::LineRefs(const LineRefs& other) {
    reserve(other.size_);
    for (std::size_t c = 0; c * kChunk < other.size_; ++c)
        std::memcpy(chunks_[c], other.chunks_[c], std::min(kChunk, other.size_ - c * kChunk) * sizeof(std::uint64_t));
    size_ = other.size_;
}

LineRefs::~LineRefs() {
    for (std::uint64_t* chunk : chunks_) delete[] chunk;
}

void LineRefs::Grow(std::size_t count) {
    if (capacity_ < kChunk) {
        // The first chunk, moved into a larger one: at most a chunk's worth.
        const std::size_t grown = std::min(kChunk, std::max({count, capacity_ * 2, std::size_t{16}}));
        std::unique_ptr<std::uint64_t[]> chunk(new std::uint64_t[grown]);
        if (chunks_.empty()) chunks_.reserve(1);
        if (size_ > 0) std::memcpy(chunk.get(), chunks_[0], size_ * sizeof(std::uint64_t));
        if (chunks_.empty())
            chunks_.push_back(chunk.release());
        else
            delete[] std::exchange(chunks_[0], chunk.release());
        capacity_ = grown;
    }
    while (capacity_ < count) {
        std::unique_ptr<std::uint64_t[]> chunk(new std::uint64_t[kChunk]);
        chunks_.push_back(chunk.get());
        chunk.release();
        capacity_ += kChunk;
    }
}

LineStore::LineStore(const LineStore& other)
    : blocks_(other.blocks_), refs_(other.refs_), chunks_(other.chunks_), bytes_(other.bytes_) {}

LineRefs& LineStore::OwnRefs() {
    if (!refs_)
        refs_ = std::make_shared<LineRefs>();
    else if (refs_.use_count() > 1)
        refs_ = std::make_shared<LineRefs>(*refs_);
    chunks_ = refs_->Chunks();
    return *refs_;
}

LineStore LineStore::SharingBlocks() const {
    LineStore shared;
    shared.blocks_ = blocks_;  // its own lines go to blocks of its own (size_ 0)
    return shared;
}

void LineStore::AppendPartOf(const LineStore& source, std::size_t i, std::size_t skip) {
    const std::uint64_t ref = source.Ref(i);
    const std::size_t block = ref >> kBlockShift;
    const std::uint64_t length = ref & kLengthMask;
    skip = std::min<std::size_t>(skip, length);
    const std::uint64_t offset = ((ref >> kLengthBits) & kOffsetMask) + skip;
    // A place past a block's size (in a line longer than a block) has no
    // reference: such a part is copied.
    if (block >= blocks_.size() || blocks_[block] != source.blocks_[block] || offset > kBlockSize) {
        Append(source[i].substr(skip));
        return;
    }
    PushRef((static_cast<std::uint64_t>(block) << kBlockShift) | (offset << kLengthBits) | (length - skip));
    bytes_ += length - skip;
    lastWritten_ = kNoLine;
}

std::vector<LineStore::ByteRun> LineStore::Runs() const {
    std::vector<ByteRun> runs;
    for (std::size_t i = 0; i < Size(); ++i) {
        const std::uint64_t ref = Ref(i);
        const std::size_t block = ref >> kBlockShift;
        const std::uint64_t begin = (ref >> kLengthBits) & kOffsetMask, end = begin + (ref & kLengthMask);
        if (!runs.empty() && runs.back().block == block && runs.back().end == begin)
            runs.back().end = end;
        else if (end > begin)
            runs.push_back({block, begin, end});
    }
    return runs;
}

LineStore LineStore::WithoutFirstBytes(std::size_t skip) const {
    LineStore cut = SharingBlocks();
    if (Empty()) return cut;
    // Usually every line holds the bytes to cut and its rest stays within
    // its block: each reference then moves by the same amount, in one pass.
    const LineRefs& refs = *refs_;
    LineRefs& out = cut.OwnRefs();
    out.reserve(refs.size());
    const std::uint64_t moved = (static_cast<std::uint64_t>(skip) << kLengthBits) - skip;
    bool fits = skip <= kBlockSize;
    for (std::size_t i = 0; i < refs.size(); ++i) {
        const std::uint64_t ref = refs[i];
        fits &= (ref & kLengthMask) >= skip && ((ref >> kLengthBits) & kOffsetMask) + skip <= kBlockSize;
        out.push_back(ref + moved);  // neither field overflows into the next when it fits
    }
    cut.chunks_ = out.Chunks();
    if (fits) {
        cut.bytes_ = bytes_ - skip * refs.size();
        return cut;
    }
    out.clear();
    for (std::size_t i = 0; i < refs.size(); ++i) cut.AppendPartOf(*this, i, skip);
    return cut;
}

LineStore& LineStore::operator=(const LineStore& other) {
    if (this != &other) *this = LineStore(other);
    return *this;
}

void LineStore::Append(std::string_view line) {
    const std::size_t length = std::min(line.size(), kMaxLine);
    if (blocks_.empty() || used_ + length > size_) {
        if (blocks_.size() >= kMaxBlocks) throw std::length_error("LineStore: too many lines");
        // A line longer than a block gets a block of its own.
        const std::size_t size = std::max(next_, length);
        blocks_.push_back(std::shared_ptr<char[]>(new char[size]));
        used_ = 0;
        size_ = size;
        next_ = std::min(next_ * 2, kLastBlock);
    }
    const std::uint64_t block = blocks_.size() - 1;
    lastWritten_ = (block << kBlockShift) | (used_ << kLengthBits) | length;
    PushRef(lastWritten_);
    if (length > 0) std::memcpy(blocks_.back().get() + used_, line.data(), length);
    // A line longer than a block fills its own: the next line's offset stays
    // within the offsets' reach.
    if (length > kBlockSize) size_ = kBlockSize;
    used_ = length > kBlockSize ? kBlockSize : used_ + length;
    bytes_ += length;
}

void LineStore::PopBack() {
    LineRefs& refs = OwnRefs();
    const std::uint64_t ref = refs.back();
    refs.pop_back();
    bytes_ -= ref & kLengthMask;
    // Only bytes this store wrote last are taken back, and only when no copy
    // shares them: no other line can be there.
    if (ref == lastWritten_ && blocks_.back().use_count() == 1) used_ = (ref >> kLengthBits) & kOffsetMask;
    lastWritten_ = kNoLine;
}

void LineStore::Reserve(std::size_t lines, std::size_t) {
    OwnRefs().reserve(lines);
    chunks_ = refs_->Chunks();
}

void LineStore::Clear() {
    std::vector<std::shared_ptr<char[]>>().swap(blocks_);
    refs_.reset();
    chunks_ = nullptr;
    used_ = size_ = 0;
    next_ = kFirstBlock;
    bytes_ = 0;
    lastWritten_ = kNoLine;
}
