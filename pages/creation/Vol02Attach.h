// Creating the main folders of page 02 and attaching folder structures or
// template lines to each new one. The same code serves the run and the
// simulation: the simulation hands in a disk that only pretends to write,
// so it reports exactly what the run would do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "pages/creation/Vol02Engine.h"
#include "core/RunDisk.h"
#include "platform/Beneath.h"

// One existing structure as it was before the run made anything: its
// folders and files below the structure folder, breadth first, each
// folder's entries in listing order. Links and special files are left out.
struct Vol02StructureItem {
    std::string rel;  // path below the structure folder
    bool folder = false;
};
struct Vol02Structure {
    std::string entry;  // the list entry, trimmed, without trailing backslashes
    std::string name;   // its last name
    bool usable = false;
    bool refusalShown = false;
    // The real folder holds the destination (judged by identity, so
    // aliases through links count), or lies below it at `belowDest`.
    bool holdsDestination = false;
    std::string belowDest;
    std::size_t unreadable = 0;  // names the program cannot say
    std::vector<Vol02StructureItem> items;
    plat::Beneath source;  // the structure folder, held for the copies
};
// Walks the structure folder once; not usable when it has no drive part,
// is no folder (a link is none) or is a drive root.
Vol02Structure Vol02ReadStructure(const std::string& entry);

class Vol02Creator {
public:
    // The destination is opened once, here (its nearest existing folder
    // when it does not exist yet); every write stays beneath it.
    Vol02Creator(const Vol02Inputs& in, Vol02State& state, Vol02Log& log, RunDisk& disk, bool simulation);

    // One main folder per Include item, with the structures attached.
    void CreateAll();
    // The main folder of one item, with the structures attached.
    void CreateOne(const std::string& item);

private:
    void RecordFolderCreated(const std::string& path, const plat::FileIdentity& id);
    void RecordFolderExists(const std::string& path);
    void RecordFolderOther(const std::string& text);
    void RecordSubFolderCreated(const std::string& path, const plat::FileIdentity& id, bool forUndo = true);
    void RecordSubFolderOther(const std::string& path);
    void RecordParents(const std::vector<plat::MadeFolder>& made);
    void Changed();

    // Creates the folder with its missing parents; Ok, AlreadyExists or a
    // failure. On Ok, madeId_ is the folder's identity.
    plat::FsResult MakeFolder(const std::string& path);
    void PrepareStructures();
    void AttachStructures(const std::string& mainFolder);
    void AttachStructure(Vol02Structure& s, const std::string& target);
    void CopyStructureFile(Vol02Structure& s, const std::string& source, const std::string& target);
    void PrepareTemplates();
    void AttachTemplates(const std::string& mainFolder);
    bool RefuseStructure(Vol02Structure& s, const std::string& mainFolder);

    const Vol02Inputs& in_;
    Vol02State& state_;
    Vol02Counters& c_;
    Vol02Log& log_;
    RunDisk& disk_;
    plat::Beneath dest_;
    const bool simulation_;
    const char* const topic_;
    _tagVol0XParts parts_;
    std::vector<Vol02Structure> structures_;
    bool structuresRead_ = false;
    int templateMode_ = 1;
    std::string searchTerm_;
    // Template lines as far as they do not depend on the main folder.
    struct TemplateLine {
        bool dots = false;      // a "." or ".." name
        bool invalid = false;   // refused by the Include-list text check
        std::string message;    // its refusal
        bool mayEqual = false;  // has a drive part: could name the main folder itself
        bool fixed = false;     // its relative path is the same for every main folder
        bool noTarget = false;  // fixed, and it gives no folder
        bool relDots = false;   // fixed, and its relative path has a "." or ".." name
        std::string rel;        // fixed: normalised, without a leading backslash
        bool refusalShown = false;
    };
    std::vector<TemplateLine> templates_;
    std::vector<plat::MadeFolder> made_;
    plat::FileIdentity madeId_;
    // Template runs: what this item made, to tell a folder made by an
    // earlier line from one that was there before.
    std::vector<std::pair<std::string, plat::FileIdentity>> itemMade_;
};
