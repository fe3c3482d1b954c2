#include "core/FolderMarks.h"

std::uint32_t FolderMarks::HashOf(std::string_view key) {
    const std::uint64_t h = std::hash<std::string_view>{}(key);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

std::size_t FolderMarks::SlotOf(std::uint32_t hash) const {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * slots_.size()) >> 32);
}

std::size_t FolderMarks::Find(std::string_view key, std::uint32_t hash, std::string_view text) {
    if (slots_.empty()) Reserve(64);
    for (std::size_t i = SlotOf(hash);; i = i + 1 == slots_.size() ? 0 : i + 1) {
        const Slot& slot = slots_[i];
        if (slot.record == kNoRecord) return i;
        if (slot.hash != hash) continue;
        // The same spelling gives the same key; another is keyed to compare.
        const std::string_view recorded = pathOf_(slot.record);
        if (!text.empty() && recorded == text) return i;
        keyOf_(recorded, slotKey_);
        if (slotKey_ == key) return i;
    }
}

void FolderMarks::Reserve(std::size_t count) {
    const std::size_t size = count + count / 3 + 64;
    if (size <= slots_.size()) return;
    std::vector<Slot> oldSlots(size);
    std::vector<unsigned char> oldBits(size, 0);
    oldSlots.swap(slots_);
    oldBits.swap(bits_);
    for (std::size_t k = 0; k < oldSlots.size(); ++k) {
        if (oldSlots[k].record == kNoRecord) continue;
        std::size_t i = SlotOf(oldSlots[k].hash);
        while (slots_[i].record != kNoRecord) i = i + 1 == slots_.size() ? 0 : i + 1;
        slots_[i] = oldSlots[k];
        bits_[i] = oldBits[k];
    }
}

std::size_t FolderMarks::Add(std::size_t slot, std::uint32_t hash, Record record) {
    if ((count_ + 1) * 4 > slots_.size() * 3) {
        Reserve(count_ * 2);
        slot = SlotOf(hash);
        while (slots_[slot].record != kNoRecord) slot = slot + 1 == slots_.size() ? 0 : slot + 1;
    }
    slots_[slot] = {hash, record};
    bits_[slot] = 0;
    ++count_;
    return slot;
}

void FolderMarks::ClearBits(unsigned char bits) {
    for (unsigned char& b : bits_) b &= static_cast<unsigned char>(~bits);
}

void FolderMarks::Clear() {
    std::vector<Slot>().swap(slots_);
    std::vector<unsigned char>().swap(bits_);
    count_ = 0;
}
