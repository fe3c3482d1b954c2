#include "pages/creation/Vol04Engine.h"

#include <algorithm>
#include <string_view>

#include "core/PathTools.h"
#include "core/Validation.h"

// ---- name parts ----------------------------------------------------------------------

namespace {

std::string_view FolderView(std::string_view path) {
    const std::size_t last = path.find_last_of("\\:");
    if (last == std::string_view::npos) return {};
    std::size_t length = last + 1;
    // "C:\a\b" gives "C:\a"; "C:\b" keeps the root's backslash.
    if (last > 0 && path[last] == '\\' && path[last - 1] != '\\' && path[last - 1] != ':') length = last;
    return path.substr(0, length);
}

std::string_view NameView(std::string_view path) {
    const std::size_t last = path.find_last_of("\\:");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// The parent folder and the last name the new folder is built from: a "."
// in the last name makes the item a file, whose folder takes its place.
// True for a file.
bool SplitItem(std::string_view item, std::string_view& parent, std::string_view& last) {
    const std::string_view name = NameView(item);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && !IsBlank(name.substr(dot))) {
        const std::string_view folder = FolderView(item);
        parent = FolderView(folder);
        last = NameView(folder);
        return true;
    }
    parent = FolderView(item);
    last = name;
    return false;
}

}  // namespace

std::string Vol04FolderOf(const std::string& path) { return std::string(FolderView(path)); }
std::string Vol04NameOf(const std::string& path) { return std::string(NameView(path)); }

_tagVol0XParts Vol04GetNameParts(const Vol04Inputs& in, const std::string& item, std::string* parentOut) {
    std::string_view parent, last;
    SplitItem(item, parent, last);
    _tagVol0XParts parts;
    parts.Part[0].assign(parent);
    if (parent.empty() || parent.back() != '\\') parts.Part[0] += '\\';
    parts.Part[0] += in.Prefix;
    if (in.Hyphen && !IsBlank(in.Prefix)) parts.Part[0] += '-';
    parts.Part[1].assign(last);
    parts.Part[2] = in.Hyphen && !IsBlank(in.Suffix) ? "-" : "";
    parts.Part[3] = in.Suffix;
    if (parentOut) parentOut->assign(parent);
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
    p.StructureRefusedCaption = simulation ? MessageCaption(kVol04SimulateTopic, "Warning", 40068)
                                           : MessageCaption(kVol04Topic, "Warning", 40046);
    p.TemplateRefusedCaption = MessageCaption(kVol04Topic, "Warning", simulation ? 40069 : 40047);
    const char* topic = simulation ? kVol04SimulateTopic : kVol04Topic;
    p.SizeMissingCopiedCaption = MessageCaption(topic, "Warning", simulation ? 40072 : 4055);
    p.SizeMissingNotCopiedCaption = MessageCaption(topic, "Warning", simulation ? 40073 : 40056);
    if (!simulation) p.SizeMissingNotCopiedText = "The path doesn't exist : \n";
    return p;
}

}  // namespace

Vol04Creator::Vol04Creator(const Vol04Inputs& in, Vol04State& state, RunLog& log, RunDisk& disk)
    : in_(in), profile_(Vol04Profile(disk.IsDry())), creator_(profile_, in, state, log, disk) {
    // A main folder that is there already, or that cannot be made, also
    // counts what its structures would have brought, which the totals to
    // create hold.
    creator_.ExistsTotals = OtherTotals::AllUnlessNothing;
    creator_.FailedTotals = OtherTotals::AllUnlessNothing;
    const _tagVol0XParts parts = Vol04GetNameParts(in, "");
    prefix_ = parts.Part[0].substr(1);  // the prefix and its separator
    suffix_ = parts.Part[2] + parts.Part[3];
}

Vol04Creator::Plan Vol04Creator::PlanOf(const std::string& raw, const std::string& prefix, const std::string& suffix,
                                        std::string& parent, std::string& path) {
    // The item trimmed of blanks, as TrimBlanks gives it.
    const std::size_t first = raw.find_first_not_of(' ');
    std::string item;
    if (first != std::string::npos) item.assign(raw, first, raw.find_last_not_of(' ') + 1 - first);
    // The new folder takes the name of the folder the item names (its own,
    // or a file's): that folder must be one the run may name, as the list
    // checks it on entry (items reach a run from profiles and settings too).
    // A slash is a backslash, as the list makes it.
    std::string named = item;
    std::replace(named.begin(), named.end(), '/', '\\');
    std::string_view parentView, last;
    const bool file = SplitItem(named, parentView, last);
    if (!IsUsableRunItem(named, RunItemUse::NamedFolder) ||
        (file && !IsUsableRunItem(FolderView(named), RunItemUse::NamedFolder))) {
        path = std::move(item);
        return Plan::Other;
    }
    // The new path: the parent with a backslash, prefix, last name, suffix.
    parent.assign(parentView);
    path.assign(parentView);
    if (parentView.empty() || parentView.back() != '\\') path += '\\';
    path.append(prefix).append(last).append(suffix);
    if (TrimBlanks(GetDrivePart(path)).empty()) return Plan::Other;
    std::string found;
    return FindIllegalChars("N", path, found) ? Plan::Refuse : Plan::Create;  // a character no folder path may hold
}

std::vector<CreationItem> Vol04Items(const Vol04Inputs& in) {
    const _tagVol0XParts parts = Vol04GetNameParts(in, "");
    const std::string prefix = parts.Part[0].substr(1), suffix = parts.Part[2] + parts.Part[3];
    std::vector<CreationItem> items;
    items.reserve(in.IncludeFolders.size());
    std::string parent, path;
    for (const std::string& item : in.IncludeFolders) {
        const Vol04Creator::Plan plan = Vol04Creator::PlanOf(item, prefix, suffix, parent, path);
        if (plan == Vol04Creator::Plan::Other)
            items.push_back({});
        else
            items.push_back({path, plan == Vol04Creator::Plan::Create});
    }
    return items;
}

// One item per Include item: its main folder with everything attached,
// each made beneath its own parent.
void Vol04Creator::CreateAll() {
    const StringList& items = in_.IncludeFolders;
    // The structures are read once, when the first parent is opened.
    std::string parent, path, first;
    for (const std::string& item : items) {
        if (PlanOf(item, prefix_, suffix_, parent, path) == Plan::Other) continue;
        first = parent;
        creator_.UseDestination(parent);
        break;
    }
    creator_.RunItems(
        items.size(), creator_.Workers(first),
        [&](std::size_t i, RunScope& scope) {
            std::string itemParent, itemPath;
            const Plan plan = PlanOf(items[i], prefix_, suffix_, itemParent, itemPath);
            if (plan == Plan::Refuse)
                scope.Read(itemPath);  // only looked at
            else if (plan == Plan::Create)
                creator_.ScopeMain(itemParent, itemPath, scope);
        },
        [&](std::size_t i, FolderCreator& creator) {
            std::string itemParent, itemPath;
            const Plan plan = PlanOf(items[i], prefix_, suffix_, itemParent, itemPath);
            if (plan == Plan::Other) {
                creator.RecordItemOther(itemPath, OtherTotals::UnlessNothingFilesWithFiles);
                return;
            }
            creator.UseDestination(itemParent);
            if (plan == Plan::Refuse)
                creator.RefuseMain(itemPath, OtherTotals::AllUnlessNothing);
            else
                creator.CreateMain(itemPath);
        },
        true);
}
