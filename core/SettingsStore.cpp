#include "core/SettingsStore.h"

#include <initializer_list>

#include "core/PathTools.h"

namespace settings_detail {
SettingsSnapshot& Store() {
    static SettingsSnapshot store;
    return store;
}
}  // namespace settings_detail

using settings_detail::Store;

SettingsSnapshot TakeSettingsSnapshot() { return Store(); }
void RestoreSettingsSnapshot(const SettingsSnapshot& snapshot) { Store() = snapshot; }

// ---- accessors ---------------------------------------------------------------

#define QM_DEFINE_NUMBER_SETTING(name, initial) \
    int Get##name() { return Store().name; }    \
    void Set##name(int value) { Store().name = value; }
#define QM_DEFINE_TEXT_SETTING(name, initial)          \
    std::string Get##name() { return Store().name; }   \
    void Set##name(const std::string& value) { Store().name = value; }
#define QM_DEFINE_APPEND_ONLY_LIST_SETTING(name)     \
    StringList Get##name() { return Store().name; }  \
    void Clear##name() { Store().name.clear(); }     \
    void AddTo##name(const std::string& item) { Store().name.push_back(item); }
#define QM_DEFINE_LIST_SETTING(name)             \
    QM_DEFINE_APPEND_ONLY_LIST_SETTING(name)     \
    void Set##name(const StringList& items) { Store().name = items; }

QM_NUMBER_SETTINGS(QM_DEFINE_NUMBER_SETTING)
QM_TEXT_SETTINGS(QM_DEFINE_TEXT_SETTING)
QM_LIST_SETTINGS(QM_DEFINE_LIST_SETTING)
QM_APPEND_ONLY_LIST_SETTINGS(QM_DEFINE_APPEND_ONLY_LIST_SETTING)

void AddToDelimListChars(const std::string& item) { AddToDelimList(item); }
void AddToQuotListChars(const std::string& item) { AddToQuotList(item); }

// ---- start-up -------------------------------------------------------------------

void ResetSettingsToInitialValues() { Store() = SettingsSnapshot{}; }

void SetValuesOfEveryStart(const std::string& programFolder) {
    SetAppName(kAppName);
    SetProgramTitle(kProgramTitle);
    SetProgramFolder(programFolder);
}

void SetWorkingFoldersFromProgramFolder() {
    // A program folder at a drive root ends in a backslash already.
    const std::string workingDir = CollapseDoubleBackslashes(GetProgramFolder() + "\\WorkingDir");
    SetWorkingDir(workingDir);
    SetWorkingDirCopyFiles(workingDir + "\\COPYFILES");
    SetWorkingDirRenameFiles(workingDir + "\\RENAMEFILES");
    SetWorkingDirCopyFilesSimul(workingDir + "\\COPYFILESSIMUL");
    SetWorkingDirRenameFilesSimul(workingDir + "\\RENAMEFILESSIMUL");
    SetWorkingDirConsistencyCheck(workingDir + "\\CONSISTENCYCHECK");
}

namespace {

// The separators and quotation marks offered at a first start; "space"
// stands for the blank.
const std::initializer_list<const char*> kMarks = {
    ",", ";", "\"", "'", "|", "~", ":", "#", "&", "@", "$", "<", ">", ".", "-", "_", "space",
};

// Extensions, without a dot; "noext" is the type of files without one.
const std::initializer_list<const char*> kIncludeTypes = {
    "doc", "pdf", "acp", "adm", "adp", "aff", "asd", "asp", "aspx", "asx", "avp", "avs", "backup",
    "bar", "bat", "boot", "btl", "c", "cc", "cch", "cfg", "chs", "cht", "cmd", "cnf", "config",
    "cp1250", "cp1251", "cp1253", "cp1254", "cp1256", "cp1257", "cpp", "cpx", "css", "ctl", "cxx",
    "dbx", "default", "dep", "deu", "dic", "divl", "diz", "dlg", "dmc", "dsk", "dsp", "dsw", "dtd",
    "dtdxml", "dun", "elm", "eng", "enu", "ext", "exv", "fal", "fra", "gst", "h", "hhk", "hi",
    "hkf", "hpp", "hta", "htm", "html", "htt", "htx", "hxx", "ibt", "icw", "in", "inc", "inf",
    "ini", "inl", "ion", "iqy", "ipp", "isp", "iqy", "ja", "jam", "java", "jcf", "js", "ko", "lks",
    "log", "m", "m3u", "mab", "mac", "mak", "manifest", "mf", "mfl", "mi", "milk", "mnu", "mof",
    "mso", "msc", "nav", "noext", "obe", "osd", "pattern", "pbk", "php", "pl", "po", "policy",
    "ppa", "pro", "properties", "prx", "py", "q1", "rat", "rc", "rdf", "reg", "rep", "rgs", "rh",
    "rpt", "rsp", "ru", "sam", "scf", "scp", "sep", "sgml", "sh", "shp", "shtml", "sln", "sps",
    "src", "sql", "stl", "stx", "tab", "tar", "tbl", "th", "theme", "toc", "txt", "uis", "uml",
    "uninstall", "url", "v2", "vbs", "vcproj", "ver", "vmd", "vsdir", "wdl", "wpl", "we", "wul",
    "xml", "xnf", "xsl", "xul", "y", "yy",
};

const std::initializer_list<const char*> kExcludeTypes = {"bak", "nt", "old", "org", "sav"};

const std::initializer_list<const char*> kFallbackTypes = {
    "exe", "com", "zip", "rtf", "323", "386", "669", "aac", "acl", "acg", "acm", "acs", "aff",
    "ani", "ann", "ape", "api", "apl", "aps", "arj", "asf", "avc", "avi", "aw", "ax", "bdr", "bin",
    "bmp", "bmk", "box", "btr", "cab", "cat", "cgm", "chm", "chi", "chk", "chq", "chw", "clb",
    "cls", "cnv", "cnt", "col", "cpf", "cpi", "cpl", "crt", "cur", "ctm", "dar", "dat", "data",
    "db", "dbf", "dbl", "dct", "dib", "dif", "div", "divx", "dll_", "dll", "dls", "dmp", "dot",
    "dps", "drv", "ds", "edb", "eps", "esn", "evt", "ex_", "exd", "fal", "flt", "fnt", "fon", "fpx",
    "ftg", "fts", "gid", "gif", "gra", "gz", "hdmp", "hdr", "hlp", "idb", "icm", "icns", "ico",
    "id", "ilc", "ild", "ilf", "ils", "ime", "ind", "inx", "isu", "ita", "jar", "jpg", "jpeg",
    "key", "lex", "lib", "lic", "ldo", "lng", "lnk", "lxa", "maki", "map", "mar", "mda", "mdb",
    "mde", "mdt", "mdw", "mdmp", "mid", "mmc", "mpeg", "mp3", "mpa", "mpg", "msg", "msi", "nch",
    "nld", "nlp", "nls", "nws", "obj", "ocx", "olb", "opt", "otf", "pf", "pfb", "pfm", "pif", "pip",
    "pnf", "png", "pot", "ppa", "pps", "ppt", "prc", "prf", "query", "ram", "rar", "rll", "rom",
    "scc", "scr", "sdb", "sdf", "sec", "sfx", "shw", "sig", "skin", "sll", "spd", "sst", "suo",
    "sy_", "sys", "sve", "swf", "tbd", "tdh", "tds", "tga", "tgz", "tiff", "tlb", "ttf", "trm",
    "tsk", "tsp", "ttf", "uce", "vsdir", "vwp", "vx_", "vxd", "wa~", "wab", "wac", "wav", "wb2",
    "wb4", "wiz", "wk4", "wma", "wmf", "wmv", "wmz", "wpc", "wpd", "wpg", "ww3", "xla", "xpi",
    "xll", "xpt", "xls", "xlt",
};

void Append(void (*addTo)(const std::string&), std::initializer_list<const char*> items) {
    for (const char* item : items) addTo(item);
}

}  // namespace

void FillFirstStartDefaults() {
    ClearDelimList();
    Append(AddToDelimList, kMarks);
    ClearQuotList();
    Append(AddToQuotList, kMarks);
    // The type lists are appended to as they stand: a first start finds them empty.
    Append(AddToFileSelIncludeTypeList, kIncludeTypes);
    Append(AddToFileSelExcludeTypeList, kExcludeTypes);
    Append(AddToFileSelFallbackTypes, kFallbackTypes);
    if (Store().FileSelNameMasks.empty()) AddToFileSelNameMasks("*.*");
    ResetFolderTemplateOptions({1, 2, 3, 4, 5});
}
