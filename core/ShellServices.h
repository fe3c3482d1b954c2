// The folder browser behind every Browse button, showing a folder in the
// file manager, emptying a working folder into the trash, and the subfolder
// count of a folder.
#pragma once

#include <string>

// The chosen folder in drive form ("C:\" for a drive root), or "" when the
// user cancelled or the choice is no existing folder.
std::string BrowseForFolder(void* owner);  // titled "Browse Title"
std::string BrowseForFolder(void* owner, const std::string& title);

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

// False while another copy of the program may hold the settings folder, and
// with it the working folders: what lies there may be that copy's working
// copies, which its Undo needs, and is not recycled. Set at every start.
void SetWorkingFoldersOwned(bool owned);
bool WorkingFoldersOwned();

// True when the folder holds at most `limit` subfolders (links to folders
// do not count); a folder that cannot be listed holds none.
bool HasAtMostSubfolders(unsigned long limit, const std::string& folder);
