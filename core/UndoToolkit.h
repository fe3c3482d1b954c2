// What every undo shares: the folders runs work beneath, as the undo finds
// them again (a run records each folder once and its records index the
// list, UndoBaseIndex; an undo opens each recorded base again, once, and
// works beneath it only while it is the very folder the run worked beneath,
// UndoBaseOpener), and the removal of a file the run left that goes by the
// layer's one test of it (plat::IsUnchanged).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Beneath.h"

// A folder a run worked beneath, as it was opened then.
struct _tagUndoBase {
    std::string Path;
    plat::FileIdentity Id;
};
using VEC_UNDO_BASES = std::vector<_tagUndoBase>;

// The run's side: the index of a base, added when the list lacks it (the
// bases of earlier runs kept in the list are found again by a lookup).
class UndoBaseIndex {
public:
    explicit UndoBaseIndex(VEC_UNDO_BASES& bases);
    std::uint32_t IndexOf(const plat::Beneath& base) { return IndexOf(base.Folder(), base.Identity()); }
    // The same for a base given by its folder text and identity.
    std::uint32_t IndexOf(const std::string& folder, const plat::FileIdentity& id);

private:
    VEC_UNDO_BASES& bases_;
    std::unordered_map<std::string, std::uint32_t> byPath_;  // the last base of each path
};

// The undo's side: each base opened and checked at its first use. Only the
// bases used last stay open (each holds the folders it resolved last), so
// that an undo beneath many thousand folders never runs out of handles; a
// base let go is opened and checked again at its next use.
class UndoBaseOpener {
public:
    static constexpr std::size_t kOpenBases = 64;

    explicit UndoBaseOpener(VEC_UNDO_BASES bases = {});
    // Reads a list that outlives it and does not change meanwhile: each
    // worker of an undo has an opener of its own over the one list.
    explicit UndoBaseOpener(const VEC_UNDO_BASES* shared);
    UndoBaseOpener(UndoBaseOpener&& other) noexcept;
    UndoBaseOpener& operator=(UndoBaseOpener&&) = delete;
    void Reset(VEC_UNDO_BASES bases);
    const VEC_UNDO_BASES& Bases() const { return *list_; }
    // The base, or null when it is gone or is another folder now.
    plat::Beneath* Get(std::uint32_t index);
    // The same with whatever it resolved before let go: a rename or a copy
    // since may have moved the folders below it.
    plat::Beneath* Fresh(std::uint32_t index);

private:
    VEC_UNDO_BASES bases_;
    const VEC_UNDO_BASES* list_ = &bases_;
    // Opens the base and checks it is the very folder; false closes it again.
    bool OpenChecked(std::uint32_t index);

    std::unordered_map<std::uint32_t, plat::Beneath> opened_;  // the bases used; at most kOpenBases open
    std::vector<unsigned char> state_;  // 0 not tried, 1 usable, 2 not
    // The open bases, the oldest first. Not a deque: moving one allocates,
    // and a move that cannot fail is what lets a vector of openers grow.
    std::vector<std::uint32_t> openOrder_;
};

// What an undo found at a file a run recorded.
enum class AsLeft { Removed, Missing, Changed, Failed };
// Removes the file a run left at `path` beneath `base` (null: its base is
// gone) when it is that file unchanged (`left`; null: the run could not
// read it back, so it stays), or the file this undo put there (`also`).
AsLeft RemoveFileAsLeft(plat::Beneath* base, const std::string& path, const plat::FileStamp* left,
                        const plat::FileStamp* also = nullptr);
