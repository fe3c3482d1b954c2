// A set of texts many workers ask and add to at once: spread over stripes,
// each under a lock of its own, so that two workers seldom wait for each
// other. The texts lie one after another in large blocks and the stripes
// find them by hash in flat tables: adding one allocates nothing of its
// own, and a set of many texts goes at once. A copy copies the texts.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BriefMutex.h"

class StripedSet {
public:
    StripedSet() = default;
    StripedSet(const StripedSet& other) { *this = other; }
    StripedSet& operator=(const StripedSet& other);

    bool Has(std::string_view text) const;
    void Add(std::string_view text);
    void Clear();

private:
    // One stripe's texts.
    class Texts {
    public:
        bool Has(std::string_view text, std::size_t hash) const;
        void Add(std::string_view text, std::size_t hash);
        template <class Fn>
        void ForEach(Fn&& fn) const {
            for (const Slot& s : slots_)
                if (s.text.data()) fn(s.text, s.hash);
        }
        void Clear();

    private:
        struct Slot {
            std::size_t hash = 0;
            std::string_view text;  // null data: empty slot
        };
        std::string_view Keep(std::string_view text);
        // Into the first free slot from the one its hash names.
        void Place(const Slot& slot);
        std::vector<Slot> slots_;  // a power of two, at most half full
        std::size_t count_ = 0;
        std::vector<std::unique_ptr<char[]>> blocks_;
        std::size_t used_ = 0, blockSize_ = 0;  // of the last block
    };
    static constexpr std::size_t kStripes = 32;
    struct alignas(64) Stripe {
        mutable BriefMutex m;
        Texts texts;
    };
    static std::size_t HashOf(std::string_view text) { return std::hash<std::string_view>()(text); }

    std::array<Stripe, kStripes> stripes_;
};
