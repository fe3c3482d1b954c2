// The folder browser behind every Browse button, showing a folder in the
// file manager, emptying a working folder into the trash, and the subfolder
// count of a folder.
#pragma once

#include <memory>
#include <string>

#include "platform/FolderLock.h"

// A folder picked in the folder browser. The lists and fields trim their
// lines, so a folder whose path trimming would change (its name ends in a
// blank or a control character) would become another folder there: such a
// pick is refused here, with a warning that names it, and the caller then
// does nothing more (no "selection is empty" box either).
struct FolderPick {
    // The folder in drive form ("C:\" for a drive root); "" when the user
    // cancelled, the choice is no existing folder, or it was refused.
    std::string folder;
    bool refused = false;
};
FolderPick BrowseForFolder(void* owner);  // titled "Browse Title"
FolderPick BrowseForFolder(void* owner, const std::string& title);

// "View" and "Show Explorer": opens an existing folder in the desktop's file
// manager. When it cannot (the folder is not there, or no program opened
// it) a warning under the caller's topic ("Creating Folder(s).-From a
// String List.") says so. True when the folder was opened.
bool ViewFolder(const std::string& folder, const std::string& topic);
// ViewFolder's warning for a folder that is not there.
void WarnFolderNotExist(const std::string& folder, const std::string& topic);

// A link of the help windows: opens an existing document with the desktop's
// viewer, or gives ViewFolder's warnings for a file (not there; no program
// opened it). True when the document was opened.
bool ViewDocument(const std::string& file, const std::string& topic);

// Moves every entry of the folder (files, subfolders, links as they are)
// into the trash. Only a folder of the program's own working folder is
// emptied: an empty, relative or root path, a path with "." or ".." names,
// anything outside the working folder, or a way into it through a link is
// refused (false, nothing moved). True when every entry went.
bool RecycleFolderContents(const std::string& folder);
bool RecycleFolderContents(const std::string& folder, const std::string& workingDir);
// The same for everything but subfolders, which stay.
bool RecycleFolderFiles(const std::string& folder);
bool RecycleFolderFiles(const std::string& folder, const std::string& workingDir);

// Where this copy of the program keeps the working copies its Undo puts
// files back from: the copy page's (an overwritten file's old content) and
// the rename page's (a replaced file's). The copy that holds the settings
// folder keeps them in the working folders themselves ("COPYFILES" and the
// working folder); any other copy in a folder of its own inside the working
// folder, locked while it runs, so that no copy that starts later sends
// them to the trash. "" when the copy could make none: nothing is then
// written over. Until start-up chooses, the working folders themselves.
std::string GetOwnWorkingDirCopyFiles();
std::string GetOwnWorkingDirRenameFiles();
// Chooses them at start-up, once the working folders are made. The holder
// of the settings folder sends to the trash the files former sessions left
// in the working folders, and the folders of copies that have ended; any
// other copy makes its own. The lock on that folder (none for the holder,
// or when no lock can be had there) is to live as long as the copy.
std::unique_ptr<plat::FolderLock> TakeOwnWorkingFolders(bool holdsSettingsFolder);

// True when the folder holds at most `limit` subfolders (links to folders
// do not count); a folder that cannot be listed holds none.
bool HasAtMostSubfolders(unsigned long limit, const std::string& folder);
