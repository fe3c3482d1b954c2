#include "pages/creation/Vol04Engine.h"

#include "core/PathTools.h"
#include "core/Validation.h"

// ---- name parts ----------------------------------------------------------------------

std::string Vol04FolderOf(const std::string& path) {
    const std::size_t last = path.find_last_of("\\:");
    if (last == std::string::npos) return std::string();
    std::size_t length = last + 1;
    // "C:\a\b" gives "C:\a"; "C:\b" keeps the root's backslash.
    if (last > 0 && path[last] == '\\' && path[last - 1] != '\\' && path[last - 1] != ':') length = last;
    return path.substr(0, length);
}

std::string Vol04NameOf(const std::string& path) {
    const std::size_t last = path.find_last_of("\\:");
    return last == std::string::npos ? path : path.substr(last + 1);
}

_tagVol0XParts Vol04GetNameParts(const Vol04Inputs& in, const std::string& item, std::string* parentOut) {
    std::string parent, last;
    // A "." in the last name makes it a file: the file's folder is the item.
    const std::string name = Vol04NameOf(item);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && !TrimBlanks(name.substr(dot)).empty()) {
        const std::string folder = Vol04FolderOf(item);
        parent = Vol04FolderOf(folder);
        last = Vol04NameOf(folder);
    } else {
        parent = Vol04FolderOf(item);
        last = name;
    }
    const bool prefixHyphen = in.Hyphen && !TrimBlanks(in.Prefix).empty();
    const bool suffixHyphen = in.Hyphen && !TrimBlanks(in.Suffix).empty();
    _tagVol0XParts parts;
    parts.Part[0] = parent + (parent.empty() || parent.back() != '\\' ? "\\" : "") + in.Prefix +
                    (prefixHyphen ? "-" : "");
    parts.Part[1] = last;
    parts.Part[2] = suffixHyphen ? "-" : "";
    parts.Part[3] = in.Suffix;
    if (parentOut) *parentOut = parent;
    return parts;
}

std::string Vol04NewPath(const _tagVol0XParts& parts) {
    return parts.Part[0] + parts.Part[1] + parts.Part[2] + parts.Part[3];
}

// ---- the creator -----------------------------------------------------------------------

namespace {

CreationProfile Vol04Profile(bool simulation) {
    CreationProfile p;
    p.TemplateIndex = 1;
    p.StructureRefusedCaption = simulation ? CreationCaption(kVol04SimulateTopic, 40068, true)
                                           : CreationCaption(kVol04Topic, 40046, true);
    p.TemplateRefusedCaption = CreationCaption(kVol04Topic, simulation ? 40069 : 40047, true);
    const char* topic = simulation ? kVol04SimulateTopic : kVol04Topic;
    p.SizeMissingCopiedCaption = CreationCaption(topic, simulation ? 40072 : 4055, true);
    p.SizeMissingNotCopiedCaption = CreationCaption(topic, simulation ? 40073 : 40056, true);
    if (!simulation) p.SizeMissingNotCopiedText = "The path doesn't exist : \n";
    // An unusable template line adds the structure totals by the attach option.
    p.UnusableLineAsItem = false;
    return p;
}

}  // namespace

Vol04Creator::Vol04Creator(const Vol04Inputs& in, Vol04State& state, CreationLog& log, RunDisk& disk,
                           bool simulation)
    : in_(in), profile_(Vol04Profile(simulation)), creator_(profile_, in, state, log, disk, simulation) {
    // An existing main folder counts as itself alone; one that cannot be
    // made also counts what its structures would have brought.
    creator_.ExistsTotals = OtherTotals::None;
    creator_.FailedTotals = OtherTotals::AllUnlessNothing;
}

void Vol04Creator::CreateAll() {
    for (const auto& item : in_.IncludeFolders) CreateOne(item);
}

void Vol04Creator::CreateOne(const std::string& raw) {
    const std::string item = TrimBlanks(raw);
    if (TrimBlanks(GetDrivePart(item)).empty()) {
        creator_.RecordItemOther(item, OtherTotals::UnlessNothingFilesWithFiles);
        return;
    }
    std::string parent;
    const std::string path = Vol04NewPath(Vol04GetNameParts(in_, item, &parent));
    if (TrimBlanks(GetDrivePart(path)).empty()) {
        creator_.RecordItemOther(path, OtherTotals::UnlessNothingFilesWithFiles);
        return;
    }
    // Each new folder is made beneath its own parent (the creator opens
    // each distinct one once and records it once for the Undo).
    creator_.UseDestination(parent);
    std::string found;
    if (FindIllegalChars("N", path, found)) {  // a character no folder path may hold
        creator_.RefuseMain(path, OtherTotals::AllUnlessNothing);
        return;
    }
    creator_.CreateMain(path);
}
