// Many lines of text in blocks: each line costs its bytes and eight more,
// appending one allocates nothing of its own, and a growing store never
// copies what it holds. Its blocks grow from 4 KiB to 64 KiB, so that a
// store keeps little unused whatever its size (kMaxUnused). A copy shares the blocks and the references to the
// lines until either store changes: it costs nothing, and neither store
// writes where the other's lines are. The results lists and the export keep
// their lines here.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// The references of a store's lines in chunks that never move: a growing
// store neither copies its references nor touches new memory for a copy.
// The first chunk grows as a vector does up to a full chunk, so that a short
// list stays small; a long one keeps at most a chunk unused.
class LineRefs {
public:
    static constexpr unsigned kChunkBits = 12;  // 4 Ki references, 32 KiB
    static constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;
    static constexpr std::size_t kChunkMask = kChunk - 1;

    LineRefs() = default;
    LineRefs(const LineRefs& other);
    LineRefs& operator=(const LineRefs&) = delete;
    ~LineRefs();

    std::size_t size() const { return size_; }
    // The references its chunks have room for.
    std::size_t capacity() const { return capacity_; }
    // Reference i is Chunks()[i >> kChunkBits][i & kChunkMask]; the table
    // stays where it is until the next reference is added.
    std::uint64_t* const* Chunks() const { return chunks_.data(); }
    std::uint64_t operator[](std::size_t i) const { return chunks_[i >> kChunkBits][i & kChunkMask]; }
    std::uint64_t back() const { return (*this)[size_ - 1]; }
    void push_back(std::uint64_t ref) {
        if (size_ == capacity_) Grow(size_ + 1);
        chunks_[size_ >> kChunkBits][size_ & kChunkMask] = ref;
        ++size_;
    }
    void pop_back() { --size_; }
    void clear() { size_ = 0; }
    void reserve(std::size_t count) {
        if (count > capacity_) Grow(count);
    }

private:
    void Grow(std::size_t count);

    std::vector<std::uint64_t*> chunks_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

class LineStore {
public:
    LineStore() = default;
    LineStore(const LineStore& other);
    LineStore& operator=(const LineStore& other);
    LineStore(LineStore&&) noexcept = default;
    LineStore& operator=(LineStore&&) noexcept = default;

    // Lines longer than kMaxLine (16 MiB) are cut there.
    static constexpr std::size_t kMaxLine = (std::size_t{1} << 24) - 1;
    // The blocks: the first, and the most a block holds but for a longer line.
    static constexpr std::size_t kFirstBlock = std::size_t{4} << 10;
    static constexpr std::size_t kLastBlock = std::size_t{64} << 10;
    // The most a store's memory holds beside its lines' bytes and their
    // references: the unused end of its last block, of its last chunk of
    // references, and the first chunk's copy while it grows.
    static constexpr std::size_t kMaxUnused = kLastBlock + 2 * LineRefs::kChunk * sizeof(std::uint64_t);

    // Throws std::length_error when the store would outgrow what a line's
    // reference can address (512 GiB).
    void Append(std::string_view line);
    // Takes the last line back (and its bytes, when it is the last line this
    // store wrote and no copy shares them).
    void PopBack();

    // An empty store that holds this store's blocks: AppendLineOf takes this
    // store's lines into it without copying their bytes.
    LineStore SharingBlocks() const;
    // Appends line i of `source` without its first `skip` bytes: only a
    // reference when this store holds the block of that line (see
    // SharingBlocks), else a copy.
    void AppendLineOf(const LineStore& source, std::size_t i, std::size_t skip = 0) {
        // The common case here, for loops over a million lines.
        if (refs_ && refs_.use_count() == 1) {
            const std::uint64_t ref = source.Ref(i);
            const std::size_t block = ref >> kBlockShift;
            const std::uint64_t length = ref & kLengthMask;
            const std::uint64_t cut = skip < length ? skip : length;
            const std::uint64_t offset = ((ref >> kLengthBits) & kOffsetMask) + cut;
            if (block < blocks_.size() && blocks_[block].get() == source.blocks_[block].get() &&
                offset <= kBlockSize) {
                refs_->push_back((ref & ~((kOffsetMask << kLengthBits) | kLengthMask)) | (offset << kLengthBits) |
                                 (length - cut));
                chunks_ = refs_->Chunks();
                bytes_ += length - cut;
                lastWritten_ = kNoLine;
                return;
            }
        }
        AppendPartOf(source, i, skip);
    }

    // The same lines with every byte passed through map(char* out, const
    // char* in, std::size_t n), which writes n bytes: the bytes of the lines
    // are mapped in as few runs as they lie, into blocks of the copy's own,
    // and the references stay shared.
    template <class Map>
    LineStore MapBytes(Map map) const {
        LineStore mapped(*this);
        const std::vector<ByteRun> runs = Runs();
        std::vector<std::uint64_t> ends(blocks_.size(), 0);  // how far lines reach in each block
        for (const ByteRun& run : runs) ends[run.block] = std::max(ends[run.block], run.end);
        for (std::size_t b = 0; b < blocks_.size(); ++b)
            mapped.blocks_[b] = ends[b] == 0 ? nullptr : std::shared_ptr<char[]>(new char[ends[b]]);
        for (const ByteRun& run : runs)
            map(mapped.blocks_[run.block].get() + run.begin, blocks_[run.block].get() + run.begin, run.end - run.begin);
        return mapped;
    }
    // The same lines without their first `skip` bytes (all of a shorter
    // line), sharing this store's blocks.
    LineStore WithoutFirstBytes(std::size_t skip) const;

    // Calls f(std::string_view) with the bytes of lines [first, last) (all
    // lines), in order and in as few runs as they lie: lines stored one
    // right behind another come in one run. For scans that look at every
    // byte but not at line ends.
    template <class F>
    void ForEachRun(F f) const {
        ForEachRun(0, Size(), f);
    }
    template <class F>
    void ForEachRun(std::size_t first, std::size_t last, F f) const {
        const char* begin = nullptr;
        const char* end = nullptr;
        for (std::size_t i = first; i < last; ++i) {
            const std::string_view line = (*this)[i];
            if (line.data() != end) {
                if (end != begin) f(std::string_view(begin, static_cast<std::size_t>(end - begin)));
                begin = line.data();
            }
            end = line.data() + line.size();
        }
        if (end != begin) f(std::string_view(begin, static_cast<std::size_t>(end - begin)));
    }
    std::string_view operator[](std::size_t i) const {
        const std::uint64_t ref = Ref(i);
        return std::string_view(blocks_[ref >> kBlockShift].get() + ((ref >> kLengthBits) & kOffsetMask),
                                ref & kLengthMask);
    }
    std::size_t Size() const { return refs_ ? refs_->size() : 0; }
    bool Empty() const { return Size() == 0; }
    // The bytes of the lines (without what the blocks leave unused).
    std::size_t Bytes() const { return bytes_; }
    // What Clear gives back when no copy shares the store, at least: the
    // lines' bytes, the unused end of the last block and the reference
    // chunks whole (a list of thousands of lines leaves a tenth unused).
    std::size_t HeldBytes() const {
        std::size_t bytes = bytes_ + (refs_ ? refs_->capacity() : 0) * sizeof(std::uint64_t);
        if (!blocks_.empty() && blocks_.back().use_count() == 1) bytes += size_ - used_;
        return bytes;
    }
    void Reserve(std::size_t lines, std::size_t bytes);
    // Gives the memory back.
    void Clear();

private:
    // A line's reference: its block number, its offset in the block and its
    // length, each in a field of its own. The offset runs up to the block
    // size itself: an empty line may start where a full block ends.
    static constexpr unsigned kLengthBits = 24;
    static constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << kLengthBits) - 1;
    static constexpr unsigned kBlockBits = 16;  // offsets up to 64 KiB
    static constexpr std::uint64_t kBlockSize = std::uint64_t{1} << kBlockBits;
    static constexpr unsigned kOffsetBits = kBlockBits + 1;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
    static constexpr unsigned kBlockShift = kLengthBits + kOffsetBits;
    // 2^23 blocks: 512 GiB of lines.
    static constexpr std::size_t kMaxBlocks = std::size_t{1} << (64 - kBlockShift);
    static_assert(kMaxLine <= kLengthMask && kBlockShift < 64 && kLastBlock <= kBlockSize);

    std::vector<std::shared_ptr<char[]>> blocks_;
    // The references, shared with copies until a change (none: no line).
    std::shared_ptr<LineRefs> refs_;
    // Their chunks, read without going through refs_: a line is found in as
    // few steps as in one array. Set wherever refs_ is replaced or grows.
    std::uint64_t* const* chunks_ = nullptr;
    std::uint64_t Ref(std::size_t i) const {
        assert(chunks_ == refs_->Chunks());
        return chunks_[i >> LineRefs::kChunkBits][i & LineRefs::kChunkMask];
    }
    // Refs of this store's own, ready for a change.
    LineRefs& OwnRefs();
    void PushRef(std::uint64_t ref) {
        LineRefs& refs = OwnRefs();
        refs.push_back(ref);
        chunks_ = refs.Chunks();
    }
    // The bytes the lines lie in, in as few runs as they lie, in line order.
    struct ByteRun {
        std::size_t block;
        std::uint64_t begin, end;
    };
    std::vector<ByteRun> Runs() const;
    void AppendPartOf(const LineStore& source, std::size_t i, std::size_t skip);
    std::uint64_t used_ = 0;  // bytes used in the last block
    std::uint64_t size_ = 0;  // the last block's size (a shared one counts as full)
    std::size_t next_ = kFirstBlock;  // the next block's size
    // The reference of the line Append wrote last while it is the last line;
    // kNoLine otherwise.
    static constexpr std::uint64_t kNoLine = ~std::uint64_t{0};
    std::uint64_t lastWritten_ = kNoLine;
    std::size_t bytes_ = 0;
};
