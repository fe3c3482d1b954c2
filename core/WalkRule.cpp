#include "core/WalkRule.h"

#include <algorithm>

PassedBy WhyPassed(plat::EntryKind kind, WalkTakes takes) {
    if (kind == plat::EntryKind::Folder || TakesAsFile(kind, takes)) return PassedBy::Unsayable;
    return kind == plat::EntryKind::Link ? PassedBy::Link : PassedBy::NotRegular;
}

void PassOver(std::vector<plat::DirEntry>& entries, std::vector<plat::DirEntry>& passed, WalkTakes takes) {
    if (takes == WalkTakes::ByName) return;
    const auto taken = [takes](const plat::DirEntry& e) {
        return e.kind == plat::EntryKind::Folder || TakesAsFile(e.kind, takes);
    };
    // Most listings hold nothing to pass over: they are left as they are.
    auto out = std::find_if_not(entries.begin(), entries.end(), taken);
    for (auto in = out; in != entries.end(); ++in) {
        if (taken(*in))
            *out++ = std::move(*in);
        else
            passed.push_back(std::move(*in));
    }
    entries.erase(out, entries.end());
}

const char* PassedText(PassedBy why) {
    switch (why) {
    case PassedBy::Link: return "a link, not followed";
    case PassedBy::NotRegular: return "not a regular file";
    case PassedBy::OtherFileSystem: return "another file system, not entered";
    case PassedBy::Unsayable: break;
    }
    return "";
}

std::string NamedPassed(const std::string& path, PassedBy why) {
    const char* text = PassedText(why);
    if (!*text) return path;
    return path + " (" + text + ")";
}

std::string NotListedName(const std::string& folder, plat::NotListed why) {
    return PassedFolder(why) ? NamedPassed(folder, PassedBy::OtherFileSystem) : folder;
}
