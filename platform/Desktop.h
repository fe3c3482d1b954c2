// Desktop services that need a window system: the folder browser, opening
// a folder in the desktop's file manager and a document in its viewer. The Qt half installs the
// real ones at start-up; tests install scripted ones. Without a handler the
// browser returns no choice and nothing is opened.
#pragma once

#include <functional>
#include <string>

namespace plat {

// Returns the chosen folder in drive form, or "" when the user cancelled.
using FolderBrowserHandler = std::function<std::string(void* owner, const std::string& title)>;
std::string BrowseFolder(void* owner, const std::string& title);
FolderBrowserHandler SetFolderBrowserHandler(FolderBrowserHandler handler);

// A single read that a window's handler makes (whether a chosen folder
// exists): the window layer reads it beside the window's thread, which
// answers meanwhile, so that a share that is slow or hangs never holds the
// window. Without a handler it reads here.
using ReadBesideHandler = std::function<void(const std::function<void()>& read)>;
void ReadBeside(const std::function<void()>& read);
ReadBesideHandler SetReadBesideHandler(ReadBesideHandler handler);

// Opens an existing folder (drive form) in the file manager; never runs a
// program. False when the folder does not exist or could not be opened.
using OpenFolderHandler = std::function<bool(const std::string& folder)>;
bool OpenFolderWithDesktop(const std::string& folder);
OpenFolderHandler SetOpenFolderHandler(OpenFolderHandler handler);

// Opens an existing document (drive form) with the program the desktop
// associates with its type. Refuses anything that could run: only a regular
// file without execute bits, never through a link. False when refused or
// when it could not be opened.
using OpenDocumentHandler = std::function<bool(const std::string& file)>;
bool OpenDocumentWithDesktop(const std::string& file);
OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler);

}  // namespace plat
