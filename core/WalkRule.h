// What a walk does with each entry it meets, decided here for every walk of
// every page, its count and its run alike: a file it takes, a folder it
// enters, or an entry it passes over. An entry passed over is counted under
// the page's other reasons and named with its reason, so no page passes
// over in silence what another page names, and a count meets what its run
// meets.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Beneath.h"

// How a walk takes the entries that are no folder: by opening them (it
// measures or copies them) or by their names alone (it deletes, renames or
// compares them). No walk opens a link, a FIFO, a socket or a device, but
// one that goes by names takes each as the entry it is.
enum class WalkTakes : unsigned char { Opened, ByName };

// Why a walk passes over an entry.
enum class PassedBy : unsigned char {
    Unsayable,        // no drive path can say its name: named by its folder and name
    Link,             // a link, never followed
    NotRegular,       // a FIFO, a socket or a device, never opened
    OtherFileSystem,  // a folder another file system is mounted on, never entered
};

// Whether the walk takes a listed entry that is no folder as a file.
inline bool TakesAsFile(plat::EntryKind kind, WalkTakes takes) {
    return kind == plat::EntryKind::File || (takes == WalkTakes::ByName && kind != plat::EntryKind::Folder);
}

// Why the walk passes over an entry a folder's listing gave it: a folder or
// a file it would take is passed over only for its name.
PassedBy WhyPassed(plat::EntryKind kind, WalkTakes takes);

// Moves the entries the walk passes over from `entries` to the end of
// `passed` (after the unsayable ones the listing gave), in listing order.
void PassOver(std::vector<plat::DirEntry>& entries, std::vector<plat::DirEntry>& passed, WalkTakes takes);

// The reason as the lists say it; empty for an unsayable name, which its
// path says.
const char* PassedText(PassedBy why);
// `path` named with its reason: "C:\S\l (a link, not followed)".
std::string NamedPassed(const std::string& path, PassedBy why);
// No reason adds more than this to a path.
inline constexpr std::size_t kReasonBytes = 40;

// After a folder's listing failed: whether the walk passes the folder over
// as an entry (PassedBy::OtherFileSystem) rather than as one it could not read.
inline bool PassedFolder(plat::NotListed why) { return why == plat::NotListed::OtherFileSystem; }
// How a walk names a folder it could not list: one it passes over with its
// reason, one it could not read by its path.
std::string NotListedName(const std::string& folder, plat::NotListed why);
