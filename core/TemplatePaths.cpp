#include "core/TemplatePaths.h"

#include "core/PathTools.h"

namespace {

std::string LastName(const std::string& mainFolder) {
    std::string name;
    SplitParentFolder(mainFolder, name, 0);
    return name;
}

}  // namespace

std::string ReplaceAllIgnoreCase(const std::string& text, const std::string& term,
                                 const std::string& replacement) {
    if (term.empty()) return text;
    // Lowering keeps every byte in place, so positions in the lowered text
    // are positions in the original.
    const std::string lowText = ToLowerCase(text);
    const std::string lowTerm = ToLowerCase(term);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t hit = lowText.find(lowTerm); hit != std::string::npos; hit = lowText.find(lowTerm, from)) {
        out.append(text, from, hit - from);
        out += replacement;
        from = hit + term.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::string SplitFirstFolder(const std::string& path, std::string& drive, std::string& remainder) {
    std::string rest;
    SplitAtColon(SlashesToBackslashes(path), drive, rest);
    if (BeginsWithBackslash(rest)) rest.erase(0, 1);
    const std::size_t next = rest.find('\\');
    if (next == std::string::npos) {
        remainder.clear();
    } else {
        remainder = rest.substr(next);
        rest.resize(next);
    }
    return rest.insert(0, 1, '\\');
}

std::string BuildTemplatePathReplaceRemainder(const std::string& path, const std::string& mainFolder,
                                              const std::string& searchTerm) {
    return ReplaceAllIgnoreCase(path, searchTerm, LastName(mainFolder));
}

std::string BuildTemplatePathReplaceAll(const std::string& path, const std::string& mainFolder) {
    std::string drive, remainder;
    const std::string first = SplitFirstFolder(path, drive, remainder);
    return ReplaceAllIgnoreCase(remainder, first.substr(1), LastName(mainFolder));
}

std::string ExpandTemplatePath(const std::string& path, const std::string& mainFolder, int mode,
                               const std::string& searchTerm) {
    switch (mode) {
    case 2:
        return BuildTemplatePathReplaceRemainder(path, mainFolder, searchTerm);
    case 3: {
        std::string drive, remainder;
        SplitFirstFolder(path, drive, remainder);
        return remainder;
    }
    case 4:
        return BuildTemplatePathReplaceAll(path, mainFolder);
    default:
        return path;
    }
}

std::string BuildExtraFolderPaths(const std::string& modelMainFolder, const std::string& includeFolder,
                                  const std::string& folderStructure, int mode, bool& differs) {
    // The include folder behind the model main folder and one separator.
    const std::string rel = includeFolder.size() > modelMainFolder.size()
                                ? includeFolder.substr(modelMainFolder.size() + 1)
                                : includeFolder;
    std::string name;
    switch (mode) {
    case 5:
        return folderStructure + "\\" + rel;
    case 4: {
        const std::string parent = SplitParentFolder(folderStructure, name, 1);
        std::string drive, remainder;
        if (name != SplitFirstFolder(rel, drive, remainder).substr(1)) differs = true;
        return parent + "\\" + rel;
    }
    case 1:
        SplitParentFolder(modelMainFolder, name, 1);
        return folderStructure + "\\" + name + "\\" + rel;
    default:
        return std::string();
    }
}

std::string AppendTextToPathLevels(const std::string& path, const std::string& modelText,
                                   const std::string& suffix) {
    const std::string tail = MakeBlanks(CountTrailingBlanks(modelText)) + suffix;
    std::string drive, rest, out;
    SplitAtColon(path, drive, rest);
    std::size_t pos = 0;
    // Each round consumes a backslash or a name. An empty name (a doubled or
    // trailing backslash) is no level: it would make a folder of the suffix alone.
    while (pos < rest.size()) {
        if (rest[pos] == '\\') ++pos;
        std::size_t next = rest.find('\\', pos);
        if (next == std::string::npos) next = rest.size();
        if (next > pos) {
            out += "\\";
            out.append(rest, pos, next - pos);
            out += tail;
        }
        pos = next;
    }
    return out;
}
