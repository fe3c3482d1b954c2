#include "pages/creation/Vol02Engine.h"

#include "core/PathTools.h"
#include "pages/creation/Vol02Internal.h"
#include "platform/MessageBox.h"

const std::array<const char*, 16> kVol02CounterLabels = {
    "lblStat02FoldersToCreate", "lblStat02SubFoldersToCreate", "lblStat02FilesToCreate", "lblStat02FilesSizeToCreate",
    "lblStat02FoldersCreated",  "lblStat02SubFoldersCreated",  "lblStat02FilesCreated",  "lblStat02FilesSizeCreated",
    "lblStat02FoldersExists",   "lblStat02SubFoldersExists",   "lblStat02FilesExists",   "lblStat02FilesSizeExists",
    "lblStat02FoldersOther",    "lblStat02SubFoldersOther",    "lblStat02FilesOther",    "lblStat02FilesSizeOther",
};

std::array<double, 16> Vol02Counters::Values() const {
    return {Stat02FoldersToCreate, Stat02SubFoldersToCreate, Stat02FilesToCreate, Stat02FilesSizeToCreate,
            Stat02FoldersCreated,  Stat02SubFoldersCreated,  Stat02FilesCreated,  Stat02FilesSizeCreated,
            Stat02FoldersExists,   Stat02SubFoldersExists,   Stat02FilesExists,   Stat02FilesSizeExists,
            Stat02FoldersOther,    Stat02SubFoldersOther,    Stat02FilesOther,    Stat02FilesSizeOther};
}

_tagVol0XParts Vol02GetNameParts(const Vol02Inputs& in) {
    _tagVol0XParts parts;
    std::string destination = TrimControlAndBlanks(in.DestFolder);
    if (destination.empty() || destination.back() != '\\') destination += '\\';
    const bool prefixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Prefix).empty();
    const bool suffixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Suffix).empty();
    parts.Part[0] = destination + in.Prefix + (prefixHyphen ? "-" : "");
    parts.Part[2] = suffixHyphen ? "-" : "";
    parts.Part[3] = in.Suffix;
    return parts;
}

void Vol02ResetCounters(Vol02State& state) {
    Vol02Counters& c = state.Counters;
    c.Stat02FoldersToCreate = c.Stat02SubFoldersToCreate = c.Stat02FilesToCreate = c.Stat02FilesSizeToCreate = 0;
    Vol02ResetRunCounters(state);
}

void Vol02ResetRunCounters(Vol02State& state) {
    const Vol02Counters old = state.Counters;
    state.Counters = Vol02Counters();
    state.Counters.Stat02FoldersToCreate = old.Stat02FoldersToCreate;
    state.Counters.Stat02SubFoldersToCreate = old.Stat02SubFoldersToCreate;
    state.Counters.Stat02FilesToCreate = old.Stat02FilesToCreate;
    state.Counters.Stat02FilesSizeToCreate = old.Stat02FilesSizeToCreate;
}

void Vol02ClearRunLists(Vol02State& state) {
    state.Vol02LastBases.clear();
    state.Vol02LastCreatedFolders.clear();
    state.Vol02LastCreatedSubFolders.clear();
    state.Vol02LastCreatedFiles.clear();
    state.Vol02LastCreatedParents.clear();
    state.Vol02LastExistingFolders.clear();
    state.Vol02LastOtherFolders.clear();
    state.Vol02FailedUndoFolders.clear();
}

// ---- helpers of the run's units ----------------------------------------------------

std::string Vol02Caption(const std::string& topic, int number, bool warning) {
    return topic + "            " + (warning ? "Warning no: " : "Information no: ") + std::to_string(number) + ".";
}

int Vol02Box(const std::string& text, int number, bool warning, unsigned flags, int blanks) {
    const std::string caption = std::string(kVol02Topic) + std::string(static_cast<std::size_t>(blanks), ' ') +
                                (warning ? "Warning no: " : "Information no: ") + std::to_string(number) + ".";
    return plat::MessageBox(text, caption, flags);
}

std::string Vol02StructureEntry(const std::string& entry) {
    std::string e = TrimControlAndBlanks(entry);
    while (e.size() > 1 && e.back() == '\\' && !(e.size() == 3 && e[1] == ':')) e.pop_back();
    return e;
}

std::string Vol02LastName(const std::string& path) {
    const std::size_t pos = path.find_last_of("\\:");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

namespace {

// One spelling per folder: "\" between names, none at the end, the trailing
// blanks and dots of each name dropped (the file system drops them), lower case.
std::string FolderKey(const std::string& text) {
    const std::string t = TrimControlAndBlanks(text);
    std::string key;
    std::size_t i = 0;
    while (i < t.size()) {
        std::size_t j = i;
        while (j < t.size() && t[j] != '\\' && t[j] != '/') ++j;
        std::size_t end = j;
        while (end > i && (t[end - 1] == ' ' || t[end - 1] == '.')) --end;
        if (end == i && j > i) end = j;  // "." and ".." stay as they are
        if (end > i) {
            if (!key.empty()) key += '\\';
            key.append(t, i, end - i);
        }
        i = j + 1;
    }
    return ToLowerCase(key);
}

}  // namespace

bool Vol02PathWithin(const std::string& path, const std::string& folder) {
    const std::string p = FolderKey(path);
    const std::string f = FolderKey(folder);
    if (f.empty()) return false;
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

std::string Vol02SameFolderMessage(const std::string& destination, const std::string& source) {
    return "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
           "Folder !!! \nDestination Folder : " +
           destination + "\n" + "Source Folder      : " + source;
}

static_assert(kVol02Warn == (plat::MB_OK | plat::MB_ICONWARNING));
static_assert(kVol02Ask == (plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2));
