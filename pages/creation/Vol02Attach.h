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
#include "platform/FileSystem.h"

// The three writes of a run.
class Vol02Disk {
public:
    virtual ~Vol02Disk() = default;
    // One folder whose parent exists (NotFound when it does not).
    virtual plat::FsResult CreateFolder(const std::string& path) = 0;
    // The folder with every missing parent; `made` gets what was made, parents first.
    virtual plat::FsResult CreateFolderTree(const std::string& path, std::vector<std::string>& made) = 0;
    // Never replaces anything.
    virtual plat::FsResult CopyFile(const std::string& source, const std::string& target) = 0;
};

class Vol02RealDisk final : public Vol02Disk {
public:
    plat::FsResult CreateFolder(const std::string& path) override;
    plat::FsResult CreateFolderTree(const std::string& path, std::vector<std::string>& made) override;
    plat::FsResult CopyFile(const std::string& source, const std::string& target) override;
};

// Answers as the real disk would after the writes it was asked for, and
// writes nothing: what it "made" is kept in memory.
class Vol02DryDisk final : public Vol02Disk {
public:
    plat::FsResult CreateFolder(const std::string& path) override;
    plat::FsResult CreateFolderTree(const std::string& path, std::vector<std::string>& made) override;
    plat::FsResult CopyFile(const std::string& source, const std::string& target) override;

private:
    enum class Kind { None, Folder, Other };
    Kind Look(const std::string& path, std::string* native = nullptr) const;

    std::unordered_set<std::string> folders_;  // Linux paths
    std::unordered_set<std::string> files_;
};

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
    std::size_t unreadable = 0;  // names the program cannot say
    std::vector<Vol02StructureItem> items;
};
// Walks the structure folder once; not usable when it has no drive part,
// is no folder (a link is none) or is a drive root.
Vol02Structure Vol02ReadStructure(const std::string& entry);

class Vol02Creator {
public:
    Vol02Creator(const Vol02Inputs& in, Vol02State& state, Vol02Log& log, Vol02Disk& disk, bool simulation);

    // One main folder per Include item, with the structures attached.
    void CreateAll();
    // The main folder of one item, with the structures attached.
    void CreateOne(const std::string& item);

private:
    void RecordFolderCreated(const std::string& path);
    void RecordFolderExists(const std::string& path);
    void RecordFolderOther(const std::string& text);
    void RecordSubFolderCreated(const std::string& path);
    void RecordSubFolderOther(const std::string& path);
    void RecordParents(const std::vector<std::string>& made);
    void Changed();

    // Creates the folder with its missing parents; Ok, AlreadyExists or a failure.
    plat::FsResult MakeFolder(const std::string& path);
    void PrepareStructures();
    void AttachStructures(const std::string& mainFolder);
    void AttachStructure(Vol02Structure& s, const std::string& target);
    void CopyStructureFile(const std::string& source, const std::string& target);
    void PrepareTemplates();
    void AttachTemplates(const std::string& mainFolder);
    bool RefuseStructure(Vol02Structure& s, const std::string& mainFolder);

    const Vol02Inputs& in_;
    Vol02State& state_;
    Vol02Counters& c_;
    Vol02Log& log_;
    Vol02Disk& disk_;
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
    std::vector<std::string> made_;
};
