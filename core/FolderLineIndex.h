// A set of lines that are kept elsewhere, by their numbers (fewer than
// 2^32 of them), compared as the lines of a folder list are (SameFolderLine:
// byte for byte but for a drive letter's case). It keeps only a hash and a
// number per line, so a million lines cost no key strings, and it compares
// lines only when their hashes match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "core/PathTools.h"

// `At` gives the text of a number: std::string_view At(std::size_t).
template <class At>
class FolderLineIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit FolderLineIndex(At at, std::size_t expected = 0) : at_(std::move(at)) { Reserve(expected); }

    // The number of an equal text already held; else `number` is added
    // for `text` and npos returned.
    std::size_t FindOrAdd(std::string_view text, std::size_t number) { return FindOrAdd(text, number, Hash(text)); }
    // The same with the text's Hash worked out beforehand (see Prefetch).
    std::size_t FindOrAdd(std::string_view text, std::size_t number, std::uint64_t hash) {
        if ((size_ + 1) * 2 > slots_.size()) Grow();
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.number == 0) {
                slot = {Tag(hash), static_cast<std::uint32_t>(number + 1)};
                ++size_;
                return npos;
            }
            if (slot.tag == Tag(hash) && SameFolderLine(at_(slot.number - 1), text)) return slot.number - 1;
        }
    }

    // Long loops hash a text some steps ahead and have its slot fetched
    // into the cache meanwhile: the table is far larger than the cache.
    static std::uint64_t Hash(std::string_view text) {
        // Mixed, so that the low bits that pick a slot depend on every byte.
        std::uint64_t h = static_cast<std::uint64_t>(HashFolderLine(text));
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        return h ^ (h >> 33);
    }
    void Prefetch(std::uint64_t hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[hash & mask_]);
    }

    bool Contains(std::string_view text) const {
        if (size_ == 0) return false;
        const std::uint64_t hash = Hash(text);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (slot.number == 0) return false;
            if (slot.tag == Tag(hash) && SameFolderLine(at_(slot.number - 1), text)) return true;
        }
    }

    void Clear() {
        std::vector<Slot>().swap(slots_);
        mask_ = 0;
        size_ = 0;
    }
    std::size_t Size() const { return size_; }

private:
    // Eight bytes a slot, so that more of the table stays in the cache: the
    // hash's high half as a tag, the low bits pick the slot.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t number = 0;  // the text's number + 1; 0 is an empty slot
    };
    static std::uint32_t Tag(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

    void Reserve(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < expected * 2) capacity *= 2;
        if (capacity > slots_.size()) Rehash(capacity);
    }
    void Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }
    void Rehash(std::size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        mask_ = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.number == 0) continue;
            std::size_t i = Hash(at_(slot.number - 1)) & mask_;
            while (slots_[i].number != 0) i = (i + 1) & mask_;
            slots_[i] = slot;
        }
    }

    At at_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

template <class At>
FolderLineIndex<At> MakeFolderLineIndex(At at, std::size_t expected = 0) {
    return FolderLineIndex<At>(std::move(at), expected);
}
