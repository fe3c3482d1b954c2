// What a run records for its undo, kept compact for millions of entries:
// the paths in blocks of lines, beside them a few numbers each. A path the
// run's Visual Log already keeps is not copied: the list names the line in
// the log's store and shares that store. The lists read like deques of the
// records (`_tagCreatedFolder`, `_tagCreatedFile`): appending, counting and
// walking them; an element comes back as a view of its path with its numbers.
#pragma once

#include <algorithm>
#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/LineStore.h"
#include "core/SharedLine.h"
#include "platform/Beneath.h"

// A folder a run made; Base indexes the run's bases.
struct _tagCreatedFolder {
    std::string Path;
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
};

// A file a run wrote, as it left it.
struct _tagCreatedFile {
    std::string Path;
    bool HasStamp = false;  // false: the run could not read it back; never deleted
    plat::FileStamp Stamp;
    std::uint32_t Base = 0;
};

namespace runrecord {

// The numbers of one entry, stored beside its path.
struct FolderFacts {
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
};
struct FileFacts {
    plat::FileStamp Stamp;
    std::uint32_t Base = 0;
    bool HasStamp = false;
};

// An element as the list gives it: the path is a view into the list.
struct FolderRef {
    std::string_view Path;
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
    operator _tagCreatedFolder() const { return {std::string(Path), Id, Base}; }
};
struct FileRef {
    std::string_view Path;
    bool HasStamp = false;
    plat::FileStamp Stamp;
    std::uint32_t Base = 0;
    operator _tagCreatedFile() const { return {std::string(Path), HasStamp, Stamp, Base}; }
};

template <class Record, class Facts, class Ref>
class List {
public:
    using value_type = Record;

    // Random access over the elements, which it gives by value (a view of
    // the path with the numbers): a random-access iterator as the ranges
    // know it, an input iterator to the older algorithms, which want a
    // reference to a stored element.
    class const_iterator {
    public:
        using iterator_concept = std::random_access_iterator_tag;
        using iterator_category = std::input_iterator_tag;
        using value_type = Ref;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Ref;

        const_iterator() = default;
        const_iterator(const List* list, std::size_t i) : list_(list), i_(i) {}
        Ref operator*() const { return (*list_)[i_]; }
        Ref operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++() { return *this += 1; }
        const_iterator operator++(int) { const_iterator old = *this; ++*this; return old; }
        const_iterator& operator--() { return *this -= 1; }
        const_iterator operator--(int) { const_iterator old = *this; --*this; return old; }
        const_iterator& operator+=(difference_type n) {
            i_ = static_cast<std::size_t>(static_cast<difference_type>(i_) + n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        difference_type operator-(const const_iterator& o) const {
            return static_cast<difference_type>(i_) - static_cast<difference_type>(o.i_);
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }
        auto operator<=>(const const_iterator& o) const { return i_ <=> o.i_; }
        std::size_t Index() const { return i_; }

    private:
        const List* list_ = nullptr;
        std::size_t i_ = 0;
    };
    using iterator = const_iterator;

    List() = default;
    List(const List&) = default;
    List(List&&) noexcept = default;
    // Whole or not at all: a copy that fails leaves the list as it was.
    List& operator=(const List& other) {
        if (this != &other) *this = List(other);
        return *this;
    }
    List& operator=(List&&) noexcept = default;
    List(std::initializer_list<Record> records) {
        for (const Record& r : records) push_back(r);
    }

    void push_back(const Record& r) { Append(r.Path, FactsOf(r)); }
    // A template so that a braced record never finds two overloads.
    template <class R>
        requires std::same_as<R, Ref>
    void push_back(const R& r) { Append(r.Path, FactsOf(r)); }
    // The path is copied into the list's own store.
    void Append(std::string_view path, const Facts& facts) {
        Own();
        if (!own_) own_ = std::make_shared<LineStore>();
        own_->Append(path);
        AddEntry(own_, own_->Size() - 1, facts);
    }
    // The path is `kept` where another holder keeps it, when it is kept
    // anywhere; else it is copied.
    void Append(const SharedLine& kept, std::string_view path, const Facts& facts) {
        Own();
        if (kept && kept.index <= kMaxLine)
            AddEntry(*kept.store, kept.index, facts);
        else
            Append(path, facts);
    }
    // Appends entry i of `other`, its path kept where `other` keeps it.
    void AppendEntryOf(const List& other, std::size_t i) {
        if (other.of_) return AppendEntryOf(*other.of_, other.first_ + i);
        Own();
        AddEntry(other.SegmentOf(i).store, other.lines_[i], other.facts_[i]);
    }
    // Entries first .. first + count - 1 of `of`, read where `of` keeps
    // them: nothing is copied, so `of` must stay unchanged while the view
    // (or a copy of it) is read. Appending to the view copies them first.
    static List ViewOf(const List& of, std::size_t first, std::size_t count) {
        if (of.of_) return ViewOf(*of.of_, of.first_ + first, count);
        List view;
        view.of_ = &of;
        view.first_ = first;
        view.count_ = count;
        return view;
    }
    // Appends another list's entries (only at the end), all or none.
    template <class It>
    void insert(const_iterator, It first, It last) {
        const std::size_t before = size();
        try {
            for (; first != last; ++first) push_back(*first);
        } catch (...) {
            Truncate(before);
            throw;
        }
    }

    Ref operator[](std::size_t i) const { return MakeRef(PathAt(i), FactsAt(i)); }
    Ref front() const { return (*this)[0]; }
    Ref back() const { return (*this)[size() - 1]; }
    const Facts& FactsAt(std::size_t i) const { return of_ ? of_->facts_[first_ + i] : facts_[i]; }
    std::string_view PathAt(std::size_t i) const {
        if (of_) return of_->PathAt(first_ + i);
        return (*StoreOf(i))[lines_[i]];
    }

    std::size_t size() const { return of_ ? count_ : facts_.size(); }
    // What clearing the list gives back, at least: its arrays and the
    // paths it keeps itself (not those it shares with another holder).
    double HeldBytes() const {
        double bytes = static_cast<double>(lines_.capacity() * sizeof(std::uint32_t) + facts_.capacity() * sizeof(Facts) +
                                           segments_.capacity() * sizeof(Segment));
        // The list's own segments hold its store too: only another holder keeps it.
        const auto mine = [this](const Segment& s) { return s.store.get() == own_.get(); };
        if (own_ && own_.use_count() == 1 + std::count_if(segments_.begin(), segments_.end(), mine))
            bytes += static_cast<double>(own_->HeldBytes());
        return bytes;
    }
    bool empty() const { return size() == 0; }
    void clear() {
        of_ = nullptr;
        first_ = count_ = 0;
        std::vector<Segment>().swap(segments_);
        own_.reset();
        std::vector<std::uint32_t>().swap(lines_);
        std::vector<Facts>().swap(facts_);
    }
    // Drops the entries from `n` on: an append that failed part-way undone.
    void Truncate(std::size_t n) noexcept {
        if (n >= size()) return;
        if (of_) {
            count_ = n;
            return;
        }
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(n), lines_.end());
        facts_.erase(facts_.begin() + static_cast<std::ptrdiff_t>(n), facts_.end());
        while (!segments_.empty() && segments_.back().first >= n) segments_.pop_back();
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    static FolderFacts FactsOf(const _tagCreatedFolder& r) { return {r.Id, r.Base}; }
    static FolderFacts FactsOf(const FolderRef& r) { return {r.Id, r.Base}; }
    static FileFacts FactsOf(const _tagCreatedFile& r) { return {r.Stamp, r.Base, r.HasStamp}; }
    static FileFacts FactsOf(const FileRef& r) { return {r.Stamp, r.Base, r.HasStamp}; }
    static FolderRef MakeRef(std::string_view path, const FolderFacts& f) { return {path, f.Id, f.Base}; }
    static FileRef MakeRef(std::string_view path, const FileFacts& f) {
        return {path, f.HasStamp, f.Stamp, f.Base};
    }

    // Entries from `first` on have their paths in `store`, up to the next run.
    struct Segment {
        std::size_t first;
        std::shared_ptr<const LineStore> store;
    };
    static constexpr std::size_t kMaxLine = ~std::uint32_t{0};

    // A view becomes a list of its own: built aside, so that a copy that
    // fails leaves the view as it was.
    void Own() {
        if (!of_) return;
        List own;
        own.lines_.reserve(count_);
        own.facts_.reserve(count_);
        for (std::size_t i = first_; i < first_ + count_; ++i) own.AppendEntryOf(*of_, i);
        *this = std::move(own);
    }
    // Room first, so that an entry is added whole or not at all.
    void AddEntry(const std::shared_ptr<const LineStore>& store, std::size_t line, const Facts& facts) {
        if (lines_.size() == lines_.capacity()) lines_.reserve(lines_.size() * 2 + 8);
        if (facts_.size() == facts_.capacity()) facts_.reserve(facts_.size() * 2 + 8);
        if (segments_.empty() || segments_.back().store.get() != store.get()) segments_.push_back({size(), store});
        lines_.push_back(static_cast<std::uint32_t>(line));
        facts_.push_back(facts);
    }
    const Segment& SegmentOf(std::size_t i) const {
        if (segments_.size() == 1) return segments_.front();
        const auto after = std::upper_bound(segments_.begin(), segments_.end(), i,
                                            [](std::size_t index, const Segment& s) { return index < s.first; });
        return *std::prev(after);
    }
    const LineStore* StoreOf(std::size_t i) const { return SegmentOf(i).store.get(); }

    std::vector<Segment> segments_;
    std::shared_ptr<LineStore> own_;     // the paths this list copied itself
    std::vector<std::uint32_t> lines_;   // each entry's line in its segment's store
    std::vector<Facts> facts_;
    // A view: the entries are of_'s from first_ on (see ViewOf).
    const List* of_ = nullptr;
    std::size_t first_ = 0, count_ = 0;
};

}  // namespace runrecord

using DEQ_CREATED_FOLDERS = runrecord::List<_tagCreatedFolder, runrecord::FolderFacts, runrecord::FolderRef>;
using DEQ_CREATED_FILES = runrecord::List<_tagCreatedFile, runrecord::FileFacts, runrecord::FileRef>;
static_assert(std::random_access_iterator<DEQ_CREATED_FOLDERS::const_iterator>);
static_assert(std::random_access_iterator<DEQ_CREATED_FILES::const_iterator>);
