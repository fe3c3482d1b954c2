// The file system as the program sees it: drive-letter paths ("C:\Jobs\A"),
// translated to Linux paths here and nowhere else.
//
// Drive table: C: is "/" unless remapped; tests map further letters to
// temporary folders. A name is this system's name, byte for byte: trailing
// blanks and dots are part of it ("proj." and "proj" are two folders), so a
// path names exactly the entry it spells. A name of dots only ("." and ".."
// among them) is refused outright: no path leaves the folder it names.
//
// Nothing here follows a symbolic link in its last component: a link is an
// entry of its own. Special files (FIFOs, sockets, devices) are never opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// ---- drive table -----------------------------------------------------------

// Back to the start state: only C:, mapped to "/".
void ResetDriveTable();
// Maps a drive letter (either case) to an existing Linux folder.
void MapDrive(char letter, const std::string& nativeRoot);
void UnmapDrive(char letter);
// The letters of the mapped drives, upper case, in order ("CD").
std::string LogicalDriveLetters();

// Drive form -> Linux path. A path without a drive is taken relative to the
// current directory; one that begins with a backslash lies on the drive of
// the current directory. False for an empty path, a network path
// (\\server\share), an unmapped drive, a component of dots only ("." and
// ".." among them), or a NUL byte.
bool ToNative(const std::string& path, std::string& native);
// A name of dots only ("." and ".." among them): no translation takes one,
// so every check that refuses a name leading elsewhere asks this.
bool IsDotsOnlyName(std::string_view name);
// Linux path -> drive form ("C:\home\ann"). False when a name holds a
// backslash or colon or is of dots only (it cannot be said faithfully) or
// no drive holds the path.
bool FromNative(const std::string& native, std::string& path);

// ---- looking -----------------------------------------------------------------

enum class EntryKind { Folder, File, Link, Special };

struct DirEntry {
    std::string name;      // as the program sees it
    EntryKind kind = EntryKind::File;
    std::uint64_t size = 0;  // files only
    std::int64_t mtimeNs = 0;
    // What the listing's look found, so a run need not look again: the
    // entry's device and inode (0 where unknown) and permission bits.
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint32_t mode = 0;
};

// What each thread that lists a folder keeps to read the names into: the
// kernel's answers in large parts.
inline constexpr std::size_t kListingBuffer = 32768;

// Lists a folder without "." and "..", sorted case-insensitively and then
// by bytes. An entry whose name cannot be said in drive form (IsSayableName)
// is not among the entries: it goes to `unsayable` (when given), its name as
// the system has it and its kind, so that a walk can count and name it.
// False when the folder cannot be
// opened (the entries are then empty).
// The order of every listing: case-insensitively (ASCII), then by bytes.
void SortListing(std::vector<DirEntry>& entries);
bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries,
                std::vector<DirEntry>* unsayable = nullptr);

bool PathExists(const std::string& path);    // anything, links included
bool FolderExists(const std::string& path);  // a real folder, not a link to one
bool FileExists(const std::string& path);    // a regular file, not a link to one
bool IsLink(const std::string& path);
bool GetFileInfo(const std::string& path, std::uint64_t& size, std::int64_t& mtimeNs);

// ---- changing ----------------------------------------------------------------

// Blocked: a link, a file or a mount point stands on the way to the entry.
// Changed: the entry there is not the object a run recorded.
// NotEmpty: a folder that still holds entries.
enum class FsResult { Ok, AlreadyExists, NotFound, Failed, Blocked, Changed, NotEmpty };

FsResult CreateFolder(const std::string& path);
// Creates the folder and every missing parent. `created` (when given)
// receives every folder this call made, parents first.
FsResult CreateFolderTree(const std::string& path, std::vector<std::string>* created = nullptr);
// Removes an empty folder (never a link to one).
FsResult RemoveFolder(const std::string& path);
// Deletes a file, or a link itself (never what it points to).
FsResult DeleteFile(const std::string& path);
// Copies a regular file to a path where nothing exists yet. Atomic: the
// target appears whole or not at all, and never replaces anything. Keeps
// the modification time and permission bits, but never the set-user-ID,
// set-group-ID or sticky bit. Runs copy through Beneath instead.
FsResult CopyFileNoOverwrite(const std::string& source, const std::string& target);
// Renames a file or folder; never replaces an existing target.
FsResult MoveNoReplace(const std::string& source, const std::string& target);

// Writes a file whole or not at all: the bytes go to a temporary file beside
// the target, and Commit renames it over the target. A writer destroyed
// without a successful Commit removes its temporary file and leaves the old
// target untouched.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Buffered; false once any write failed.
    bool Write(const void* data, std::size_t size);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    bool Commit();

private:
    bool Flush();
    int fd_ = -1;
    bool failed_ = false;
    std::string target_;
    std::string temp_;
    std::string buffer_;
};

// Opens an existing regular file for binary reading.
bool OpenInputFile(const std::string& path, std::ifstream& in);

// ---- process and drives --------------------------------------------------------

// The current directory in drive form; empty when it cannot be said.
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);

// Bytes free to this user on the file system that holds the path (or its
// nearest existing parent). False when that cannot be found out.
bool GetFreeBytes(const std::string& path, std::uint64_t& bytes);
// Tests stand in for the file system's answer (none: the file system
// answers). Set it while no run asks.
using FreeBytesHandler = std::function<bool(const std::string& path, std::uint64_t& bytes)>;
FreeBytesHandler SetFreeBytesHandler(FreeBytesHandler handler);

// The drive's type as the program numbers it: 0 unknown, 1 no such drive,
// 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk.
int GetDriveType(char letter);

// Moves a file or folder into the desktop's trash (freedesktop.org layout
// under XDG_DATA_HOME). Never a drive's root. False when it could not;
// nothing is lost then.
bool MoveToTrash(const std::string& path);

}  // namespace plat
