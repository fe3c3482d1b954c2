#include "pages/FileMasks.h"

#include <algorithm>
#include <string_view>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"

StringList UsableFileMasks(const StringList& stored) {
    StringList masks;
    bool any = false;
    for (const std::string& raw : stored) {
        const std::string mask = ToLowerCase(TrimControlAndBlanks(raw));
        if (mask.empty()) continue;
        any = true;
        // Masks are matched against names only; one that reads as a path
        // would have reached into another folder where it was a search path.
        if (mask.find_first_of("\\/:") != std::string::npos || mask.find("..") != std::string::npos) continue;
        masks.push_back(mask);
    }
    if (!any) masks.push_back("*.*");
    return masks;
}

namespace {

// From the last dot on; empty without one.
std::string_view DottedExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// MatchFileMask on lowered texts, without copies where it is a plain comparison.
bool ExtensionTakes(const std::string& mask, const std::string& name) {
    const std::string_view maskExt = DottedExtensionOf(mask), nameExt = DottedExtensionOf(name);
    if (maskExt == ".*") return true;
    const auto ends = [](std::string_view ext) { return !ext.empty() && static_cast<unsigned char>(ext.back()) <= 32; };
    if (maskExt.find_first_of("*?") == std::string_view::npos && !ends(maskExt) && !ends(nameExt))
        return maskExt == nameExt;
    return MatchFileMask(mask, name);
}

}  // namespace

bool MasksTake(const StringList& loweredMasks, const std::string& name) {
    const std::string lowered = ToLowerCase(name);
    for (const std::string& mask : loweredMasks) {
        if (mask == "*.*") return true;
        // What the name pattern finds must then pass the extension test.
        if (MatchesLoweredSearchPattern(mask, lowered) && ExtensionTakes(mask, lowered)) return true;
    }
    return false;
}

FileSelection AnyMaskSelection(StringList loweredMasks) {
    // "*.*" takes every name: no name need be lowered to know it.
    if (std::find(loweredMasks.begin(), loweredMasks.end(), "*.*") != loweredMasks.end())
        return {[](const std::string&) { return 1u; }};
    return {[masks = std::move(loweredMasks)](const std::string& name) { return MasksTake(masks, name) ? 1u : 0u; }};
}
