#include "platform/Desktop.h"

#include <sys/stat.h>

#include "platform/FileSystem.h"

namespace plat {
namespace {
FolderBrowserHandler& Browser() {
    static FolderBrowserHandler handler;
    return handler;
}
ReadBesideHandler& Beside() {
    static ReadBesideHandler handler;
    return handler;
}
OpenFolderHandler& Opener() {
    static OpenFolderHandler handler;
    return handler;
}
OpenDocumentHandler& DocumentOpener() {
    static OpenDocumentHandler handler;
    return handler;
}

// A regular file that nobody may execute.
bool IsPlainDocument(const std::string& file) {
    std::string native;
    if (!FileExists(file) || !ToNative(file, native)) return false;
    struct stat st;
    return ::lstat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0;
}
}  // namespace

std::string BrowseFolder(void* owner, const std::string& title) {
    return Browser() ? Browser()(owner, title) : std::string();
}

FolderBrowserHandler SetFolderBrowserHandler(FolderBrowserHandler handler) {
    FolderBrowserHandler previous = std::move(Browser());
    Browser() = std::move(handler);
    return previous;
}

void ReadBeside(const std::function<void()>& read) { Beside() ? Beside()(read) : read(); }

ReadBesideHandler SetReadBesideHandler(ReadBesideHandler handler) {
    ReadBesideHandler previous = std::move(Beside());
    Beside() = std::move(handler);
    return previous;
}

bool OpenFolderWithDesktop(const std::string& folder) {
    bool exists = false;
    ReadBeside([&] { exists = FolderExists(folder); });
    if (!exists) return false;
    return Opener() ? Opener()(folder) : false;
}

OpenFolderHandler SetOpenFolderHandler(OpenFolderHandler handler) {
    OpenFolderHandler previous = std::move(Opener());
    Opener() = std::move(handler);
    return previous;
}

bool OpenDocumentWithDesktop(const std::string& file) {
    if (!IsPlainDocument(file)) return false;
    return DocumentOpener() ? DocumentOpener()(file) : false;
}

OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler) {
    OpenDocumentHandler previous = std::move(DocumentOpener());
    DocumentOpener() = std::move(handler);
    return previous;
}

}  // namespace plat
