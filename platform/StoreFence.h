// The program's own store: its folder (settings file, lock, binary) and its
// working folder with everything in it. While a fence stands (a run, its
// simulation, its undo), every change a Beneath makes is judged by it where
// the change happens, on the handle the change is made through: nothing is
// made, replaced, renamed or removed directly in the program folder or
// anywhere in the working folder, whatever way the path led there (a listed
// folder, a destination, a type folder, a structure's subfolder, a parent
// made on the way, another spelling, a link). The program's own writes go
// through a Beneath opened as its own (Beneath::OpenOwn).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Beneath.h"
#include "platform/BriefMutex.h"

namespace plat {

class StoreFence {
public:
    // Both folders opened as the program's own writes reach them (a link
    // followed) and known by identity, with every folder above them. It
    // reads the disk: not on the window thread. Empty texts fence nothing.
    StoreFence(const std::string& programFolder, const std::string& workingDir);
    // A fence whose folders could not be looked for: it refuses every change.
    struct Unidentified {};
    explicit StoreFence(Unidentified);
    StoreFence(const StoreFence&) = delete;
    StoreFence& operator=(const StoreFence&) = delete;

    // False when the program folder exists but could not be identified
    // (unreadable, a share that does not answer): every change is refused.
    bool Identified() const { return identified_; }

    // How a base lies to the store; 0 for one apart from it, whose changes
    // need no look.
    enum Relation : unsigned {
        kHoldsProgram = 1,  // the program folder or one above it
        kHoldsWorking = 2,  // the same for the working folder
        kInside = 4,        // the working folder or one in it: every change refused
        kUnknown = 8,       // not to be judged: every change refused
    };
    // The base held by `fd` (its identity `id`).
    unsigned RelationOf(int fd, const FileIdentity& id) const;
    bool IsProgramFolder(const FileIdentity& id) const { return program_.Known() && id == program_; }
    // The folder held by `fd` is the working folder or lies in it (one whose
    // ".." cannot be climbed counts as in it).
    bool InWorking(int fd, const FileIdentity& id) const;
    // The program folder, the working folder, or a folder above either:
    // renaming or removing it would move or take them.
    bool HoldsStore(const FileIdentity& id) const;
    // Tells this fence from any other that stood before (a base keeps its
    // relation to one fence).
    std::uint64_t Serial() const { return serial_; }

private:
    struct IdHash {
        std::size_t operator()(const FileIdentity& id) const { return id.dev * 0x9E3779B97F4A7C15ULL ^ id.ino; }
    };
    static bool InChain(const std::vector<FileIdentity>& chain, const FileIdentity& id);

    bool identified_ = true;
    FileIdentity program_, working_;
    std::vector<FileIdentity> programChain_, workingChain_;  // each folder first, then those above it
    std::uint64_t serial_;
    // Folders met while climbing: in the working folder or not (a run's
    // folders share their parents, which are climbed from once).
    mutable BriefMutex m_;
    mutable std::unordered_map<FileIdentity, bool, IdHash> known_;
};

// While one lives, the fence it was handed is the one every Beneath judges
// its changes by (none: nothing is judged). Scopes nest; the innermost holds.
class StoreFenceScope {
public:
    explicit StoreFenceScope(std::shared_ptr<const StoreFence> fence);
    ~StoreFenceScope();
    StoreFenceScope(const StoreFenceScope&) = delete;
    StoreFenceScope& operator=(const StoreFenceScope&) = delete;

private:
    std::shared_ptr<const StoreFence> fence_;
    const StoreFence* before_;
};

// The fence that stands now, if any.
const StoreFence* StandingStoreFence();

}  // namespace plat
