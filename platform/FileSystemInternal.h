// Pieces of the file layer shared by its path-string and handle-relative
// halves. Not for use outside platform/.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace plat {
struct FileIdentity;
}

namespace plat::detail {

// A Linux name the drive form can say as it is, byte for byte: no
// backslash or colon, and not of dots only.
bool IsSayableName(const char* name);
std::int64_t MtimeNs(const struct stat& st);
EntryKind KindOf(unsigned mode);
bool WriteAll(int fd, const char* data, std::size_t size);
// Copies `size` bytes from the start of `in`; copy_file_range first, then
// read/write where the file systems do not support it.
bool CopyContents(int in, int out, off_t size);
// Lists an open folder (taking over the descriptor) as ListFolder does;
// `kindsOnly`: names, kinds and inodes as the folder gives them, looking
// at an entry only when its kind is not given.
bool ListOpenFolder(int dfd, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable, bool kindsOnly = false);
// The same, leaving the descriptor open (a folder opened and not read
// before: the listing moves its read position, which calls relative to it
// do not mind).
bool ListFolderHandle(int dfd, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable, bool kindsOnly);
// Changes whenever a drive is mapped or unmapped: translations kept from
// before are stale.
std::uint64_t DriveTableVersion();

// The mount table's file system type of the mount that holds the Linux
// path ("ext4", "fuse.sshfs"); empty when the table cannot be read.
std::string MountTypeOf(const std::string& native);

// Moves the entry `name` of the folder `dirfd` into the desktop's trash;
// `native` is the path the trash records as its origin.
bool TrashEntry(int dirfd, const std::string& name, const std::string& native);

// The identities of the folder `fd` holds (`self`) and of every folder
// above it up to the root, as ".." leads; at most `levels` of them.
std::vector<FileIdentity> AncestryOf(int fd, const FileIdentity& self, std::size_t levels = SIZE_MAX);

}  // namespace plat::detail
