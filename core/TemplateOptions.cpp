#include "core/TemplateOptions.h"

#include "core/SettingsStore.h"

namespace {
MAP_FOLDER_TEMPLATE_OPTIONS& Map() { return settings_detail::Store().FolderTemplateOptions; }
}  // namespace

void ResetFolderTemplateOptions(const std::vector<int>& templateIndices) {
    ClearFolderTemplateOptions();
    for (int index : templateIndices) Map()[index] = _tagFoldersTemplateOptions{};
}

void ClearFolderTemplateOptions() { Map().clear(); }

void SetFolderTemplateOptions(int templateIndex, const _tagFoldersTemplateOptions& options) {
    Map()[templateIndex] = options;
}

_tagFoldersTemplateOptions GetFolderTemplateOptions(int templateIndex) {
    const auto it = Map().find(templateIndex);
    return it == Map().end() ? _tagFoldersTemplateOptions{} : it->second;
}

int GetFolderTemplateMode(int templateIndex, std::string& searchTerm) {
    searchTerm.clear();
    const _tagFoldersTemplateOptions options = GetFolderTemplateOptions(templateIndex);
    // Several flags may be set; the first in this order wins.
    if (options.ReplaceNo == 1) return TemplateModeReplaceNo;
    if (options.ReplaceFirst == 1) return TemplateModeReplaceFirst;
    if (options.ReplaceAll == 1) return TemplateModeReplaceAll;
    if (options.ReplaceRemainder == 1) {
        searchTerm = options.SearchTerm;
        return TemplateModeReplaceRemainder;
    }
    return TemplateModeReplaceNo;
}

MAP_FOLDER_TEMPLATE_OPTIONS CopyFolderTemplateOptionsMap() { return Map(); }
