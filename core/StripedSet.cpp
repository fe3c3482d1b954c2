#include "core/StripedSet.h"

#include <algorithm>

namespace {

constexpr std::size_t kTextBlock = 64 * 1024;

}  // namespace

StripedSet& StripedSet::operator=(const StripedSet& other) {
    if (this == &other) return *this;
    for (std::size_t i = 0; i < kStripes; ++i) {
        const std::scoped_lock lock(stripes_[i].m, other.stripes_[i].m);
        stripes_[i].texts.Clear();
        other.stripes_[i].texts.ForEach(
            [&](std::string_view text, std::size_t hash) { stripes_[i].texts.Add(text, hash); });
    }
    return *this;
}

bool StripedSet::Has(std::string_view text) const {
    const std::size_t hash = HashOf(text);
    const Stripe& s = stripes_[hash % kStripes];
    const std::lock_guard lock(s.m);
    return s.texts.Has(text, hash);
}

void StripedSet::Add(std::string_view text) {
    const std::size_t hash = HashOf(text);
    Stripe& s = stripes_[hash % kStripes];
    const std::lock_guard lock(s.m);
    s.texts.Add(text, hash);
}

void StripedSet::Clear() {
    for (Stripe& s : stripes_) {
        const std::lock_guard lock(s.m);
        s.texts.Clear();
    }
}

bool StripedSet::Texts::Has(std::string_view text, std::size_t hash) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    // The stripe took the low bits: the table starts from the others.
    for (std::size_t at = (hash / kStripes) & mask;; at = (at + 1) & mask) {
        const Slot& s = slots_[at];
        if (!s.text.data()) return false;
        if (s.hash == hash && s.text == text) return true;
    }
}

void StripedSet::Texts::Add(std::string_view text, std::size_t hash) {
    if (Has(text, hash)) return;
    if ((count_ + 1) * 2 > slots_.size()) {
        std::vector<Slot> old(std::max<std::size_t>(16, slots_.size() * 2));
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.text.data()) Place(s);
    }
    Place({hash, Keep(text)});
    ++count_;
}

void StripedSet::Texts::Place(const Slot& slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = (slot.hash / kStripes) & mask;
    while (slots_[at].text.data()) at = (at + 1) & mask;
    slots_[at] = slot;
}

std::string_view StripedSet::Texts::Keep(std::string_view text) {
    // A text with nothing in it still needs an address: an empty slot has none.
    const std::size_t size = std::max<std::size_t>(text.size(), 1);
    if (blocks_.empty() || used_ + size > blockSize_) {
        blockSize_ = std::max(kTextBlock, size);
        blocks_.emplace_back(new char[blockSize_]);
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::copy(text.begin(), text.end(), at);
    used_ += size;
    return {at, text.size()};
}

void StripedSet::Texts::Clear() {
    slots_.clear();
    count_ = 0;
    blocks_.clear();
    used_ = blockSize_ = 0;
}
