#include "platform/Desktop.h"

#include "platform/FileSystem.h"

namespace plat {
namespace {
FolderBrowserHandler& Browser() {
    static FolderBrowserHandler handler;
    return handler;
}
OpenFolderHandler& Opener() {
    static OpenFolderHandler handler;
    return handler;
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

bool OpenFolderWithDesktop(const std::string& folder) {
    if (!FolderExists(folder)) return false;
    return Opener() ? Opener()(folder) : false;
}

OpenFolderHandler SetOpenFolderHandler(OpenFolderHandler handler) {
    OpenFolderHandler previous = std::move(Opener());
    Opener() = std::move(handler);
    return previous;
}

}  // namespace plat
