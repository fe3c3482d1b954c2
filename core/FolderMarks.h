// Marks on folders, one per folder key, for an undo that climbs through
// millions of recorded folders: a slot keeps 32 bits of the key's hash and
// the record whose path gives the key, with a few bits beside; no key string
// is kept. When two hashes meet, the key is made again from the record's
// path. Slots are found by the hash scaled to the table (any size, no power
// of two), then probed one by one; the table grows to stay at most three
// quarters full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class FolderMarks {
public:
    using Record = std::uint32_t;
    static constexpr Record kNoRecord = ~Record{0};
    // The path behind a record, as keys are made from it, and how a path
    // becomes its key.
    using PathOf = std::function<std::string_view(Record)>;
    using KeyOf = void (*)(std::string_view path, std::string& key);

    FolderMarks(PathOf pathOf, KeyOf keyOf) : pathOf_(std::move(pathOf)), keyOf_(keyOf) {}
    static std::uint32_t HashOf(std::string_view key);

    // The slot marked for `key`, or the free slot where it would go. `text`,
    // when given, is the folder as spelled where it was met (its key is
    // `key`): a record spelled the same is found without making its key.
    std::size_t Find(std::string_view key, std::uint32_t hash, std::string_view text = {});
    bool Marked(std::size_t slot) const { return slots_[slot].record != kNoRecord; }
    // Has the slots where a Find of `hash` starts fetched into the cache:
    // long loops ask some keys ahead, the table being far larger than it.
    void Prefetch(std::uint32_t hash) const {
        if (slots_.empty()) return;
        const std::size_t slot = SlotOf(hash);
        __builtin_prefetch(&slots_[slot]);
        __builtin_prefetch(&bits_[slot]);
    }
    // Marks the key in the free slot Find gave; the slot the mark ends in
    // (the table may have grown).
    std::size_t Add(std::size_t slot, std::uint32_t hash, Record record);
    unsigned char& Bits(std::size_t slot) { return bits_[slot]; }
    Record RecordOf(std::size_t slot) const { return slots_[slot].record; }
    void SetRecord(std::size_t slot, Record record) { slots_[slot].record = record; }
    // Drops the given bits from every mark.
    void ClearBits(unsigned char bits);
    // Room for `count` marks.
    void Reserve(std::size_t count);
    std::size_t Size() const { return count_; }
    // Every mark gone, and the room it took.
    void Clear();

private:
    struct Slot {
        std::uint32_t hash = 0;
        Record record = kNoRecord;
    };
    std::size_t SlotOf(std::uint32_t hash) const;

    PathOf pathOf_;
    KeyOf keyOf_;
    std::vector<Slot> slots_;
    std::vector<unsigned char> bits_;  // parallel to slots_
    std::size_t count_ = 0;
    std::string slotKey_;
};
