#include <string>

#include "core/SettingsStore.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol07Page.h"
#include "pages/folders/Vol08Page.h"
#include "shell/SettingsBridge.h"
#include "shell/TfrmMain.h"

// The setting of a control is its name less the kind prefix: rdoVol02AttachNothing
// is Vol02AttachNothing (GetVol02AttachNothing, SetVol02AttachNothing).
#define QM_FLAG(kind, name) \
    BridgeControl{#kind #name, &Get##name, &Set##name, nullptr, nullptr, false, InitialSettings().name}
#define QM_TEXT(kind, name) BridgeControl{#kind #name, nullptr, nullptr, &Get##name, &Set##name}
#define QM_TEXT_STAYS_ENABLED(kind, name) \
    BridgeControl{#kind #name, nullptr, nullptr, &Get##name, &Set##name, true}
#define QM_LIST(kind, name) BridgeList{#kind #name, &Get##name, &Set##name, &Clear##name}
#define QM_COMBO(control, history, text) \
    BridgeCombo{#control, &Get##history, &Set##history, &Clear##history, &Get##text, &Set##text}
// The structure-list controls that a restore disables with the options.
#define QM_STRUCTURE_CONTROLS(page)                                                                              \
    "lbl" #page "FolderStructuresTemplates", "lbl" #page "FolderStructuresTemplatesSumCimke",                  \
        "lbl" #page "FolderStructuresTemplatesSum", "btn" #page "AddFolderStructure",                          \
        "btn" #page "ImportFolderStructuresTemplates", "btn" #page "ViewFolderStructure",                      \
        "btn" #page "DeleteSelFolderStructuresTemplates", "btn" #page "DeleteAllFolderStructuresTemplates",    \
        "btn" #page "ExportFolderStructuresTemplates", "btn" #page "EditFolderStructuresTemplates",            \
        "lst" #page "AddFolderStructure"

namespace {
const SettingsSnapshot& InitialSettings() {
    static const SettingsSnapshot initial;
    return initial;
}
}  // namespace

const std::vector<BridgePage>& BridgePages() {
    static const std::vector<BridgePage> pages = {
        {"02",
         {QM_TEXT_STAYS_ENABLED(edt, Vol02AddToList), QM_FLAG(rdo, Vol02AttachNothing),
          QM_FLAG(rdo, Vol02StructureImportRelativePaths), QM_FLAG(rdo, Vol02StructureImportFullPaths),
          QM_FLAG(rdo, Vol02AttachMainFolderWithFiles), QM_FLAG(rdo, Vol02AttachMainFolderWithoutFiles),
          QM_FLAG(rdo, Vol02AttachSubFoldersOnlyWithFiles), QM_FLAG(rdo, Vol02AttachSubFoldersOnlyWithoutFiles),
          QM_TEXT(edt, Vol02Prefix), QM_FLAG(chk, Vol02Hyphen), QM_TEXT(edt, Vol02Suffix),
          QM_FLAG(chk, Vol02ViewDestFolder), QM_FLAG(chk, Vol02ViewDetailedResults)},
         {QM_STRUCTURE_CONTROLS(Vol02)},
         {QM_COMBO(cboVol02DestFolders, Vol02DestFolderHistory, Vol02DestFolder)},
         {QM_LIST(lst, Vol02IncludeStrings), QM_LIST(lst, Vol02ExcludeStrings), QM_LIST(lst, Vol02AddFolderStructure)},
         [](TfrmMain& m) { m.Page02->Vol02RefreshListCounters(); }},
        {"03",
         {QM_TEXT(edt, Vol03StartNumber), QM_TEXT(edt, Vol03EndNumber), QM_TEXT(edt, Vol03Prefix),
          QM_TEXT(edt, Vol03Suffix), QM_FLAG(chk, Vol03Hyphen), QM_FLAG(chk, Vol03PaddedZeroes),
          QM_FLAG(rdo, Vol03AttachNothing), QM_FLAG(rdo, Vol03StructureImportRelativePaths),
          QM_FLAG(rdo, Vol03StructureImportFullPaths), QM_FLAG(rdo, Vol03AttachMainFolderWithFiles),
          QM_FLAG(rdo, Vol03AttachMainFolderWithoutFiles), QM_FLAG(rdo, Vol03AttachSubFoldersOnlyWithFiles),
          QM_FLAG(rdo, Vol03AttachSubFoldersOnlyWithoutFiles), QM_FLAG(chk, Vol03AddIncNumbersAsSuffix),
          QM_FLAG(chk, Vol03ViewDestFolder), QM_FLAG(chk, Vol03ViewDetailedResults)},
         {QM_STRUCTURE_CONTROLS(Vol03)},
         {QM_COMBO(cboVol03DestFolders, Vol03DestFolderHistory, Vol03DestFolder)},
         {QM_LIST(lst, Vol03AddFolderStructure)},
         nullptr},
        {"04",
         {QM_TEXT_STAYS_ENABLED(edt, Vol04AddToList), QM_FLAG(rdo, Vol04AttachNothing),
          QM_FLAG(rdo, Vol04StructureImportRelativePaths), QM_FLAG(rdo, Vol04StructureImportFullPaths),
          QM_FLAG(rdo, Vol04AttachMainFolderWithFiles), QM_FLAG(rdo, Vol04AttachMainFolderWithoutFiles),
          QM_FLAG(rdo, Vol04AttachSubFoldersOnlyWithFiles), QM_FLAG(rdo, Vol04AttachSubFoldersOnlyWithoutFiles),
          QM_TEXT(edt, Vol04Prefix), QM_FLAG(chk, Vol04Hyphen), QM_TEXT(edt, Vol04Suffix),
          QM_FLAG(chk, Vol04ViewDetailedResults)},
         {QM_STRUCTURE_CONTROLS(Vol04)},
         {},
         {QM_LIST(lst, Vol04IncludeFolderList), QM_LIST(lst, Vol04ExcludeFolderList),
          QM_LIST(lst, Vol04AddFolderStructure)},
         [](TfrmMain& m) { m.Page04->Vol04RefreshPage(); }},
        {"06",
         {QM_FLAG(rdo, Vol06RenameAddPrefixesSuffixes), QM_FLAG(rdo, Vol06RenameTheLastSubFolder),
          QM_TEXT(edt, Vol06NewPrefix), QM_TEXT(edt, Vol06DelimiterPrefixSubFolder),
          QM_TEXT(edt, Vol06DelimiterSubFolderSuffix), QM_TEXT(edt, Vol06NewSuffix),
          QM_TEXT(edt, Vol06RenameNewLastSubFolder), QM_FLAG(chk, Vol06ShowDetailedResults)},
         {"lblVol06RenameNewLastSubFolder"},
         {},
         {QM_LIST(lst, Vol06IncludeFolderList), QM_LIST(lst, Vol06ExcludeFolderList)},
         [](TfrmMain& m) { m.Page06->Vol06RefreshPage(); }},
        {"07",
         {QM_FLAG(rdo, Vol07DeleteSubFolders), QM_FLAG(rdo, Vol07DeleteCompleteFolders),
          QM_FLAG(chk, Vol07ReadOnlyFolders), QM_FLAG(chk, Vol07DeleteDoubleConfirm),
          QM_FLAG(chk, Vol07ShowDetailedResults)},
         {},
         {},
         {QM_LIST(lst, Vol07IncludeFolderList), QM_LIST(lst, Vol07ExcludeFolderList)},
         [](TfrmMain& m) { m.Page07->Vol07RefreshPage(); }},
        {"08",
         {QM_FLAG(rdo, Vol08StructureImportRelativePaths), QM_FLAG(rdo, Vol08StructureImportFullPaths),
          QM_FLAG(rdo, Vol08AttachMainFolderWithFiles), QM_FLAG(rdo, Vol08AttachMainFolderWithoutFiles),
          QM_FLAG(rdo, Vol08AttachSubFoldersOnlyWithFiles), QM_FLAG(rdo, Vol08AttachSubFoldersOnlyWithoutFiles),
          QM_FLAG(chk, Vol08ShowDetailedResults)},
         {QM_STRUCTURE_CONTROLS(Vol08), "btnVol08FileSelection", "lstVol08FileTypesAllSelected"},
         {},
         {QM_LIST(lst, Vol08IncludeFolderList), QM_LIST(lst, Vol08ExcludeFolderList),
          QM_LIST(lst, Vol08AddFolderStructure)},
         [](TfrmMain& m) { m.Page08->Vol08RefreshPage(); }},
        {"10",
         {QM_FLAG(rdo, Vol10AttachMainFolderWithSubFolders), QM_FLAG(rdo, Vol10AttachSubFoldersOnly),
          QM_FLAG(rdo, Vol10CopyToMainFolders), QM_FLAG(rdo, Vol10CopyToMainFoldersExtensions),
          QM_FLAG(rdo, Vol10DuplicatedFilesSkip), QM_FLAG(rdo, Vol10DuplicatedFilesOverWrite),
          QM_FLAG(rdo, Vol10DuplicatedFilesIncreaseFileNames), QM_FLAG(chk, Vol10ShowDetailedResults)},
         {"btnVol10FileSelection", "lstVol10FileTypesAllSelected"},
         {},
         {QM_LIST(lst, Vol10IncludeFolderList), QM_LIST(lst, Vol10ExcludeFolderList),
          QM_LIST(lst, Vol10AddFolderStructure)},
         [](TfrmMain& m) { m.Page10->Vol10RefreshPage(); }},
        {"11",
         {QM_FLAG(rdo, Vol11DeleteOnlyFilesInMainFolder), QM_FLAG(rdo, Vol11DeleteOnlyFiles),
          QM_FLAG(chk, Vol11ReadOnlyFiles), QM_FLAG(chk, Vol11DeleteDoubleConfirm),
          QM_FLAG(chk, Vol11ShowDetailedResults)},
         {"btnVol11FileSelection", "lstVol11FileTypesAllSelected"},
         {},
         {QM_LIST(lst, Vol11IncludeFolderList), QM_LIST(lst, Vol11ExcludeFolderList)},
         [](TfrmMain& m) { m.Page11->Vol11RefreshPage(); }},
        {"12",
         {QM_FLAG(rdo, Vol12RenameAddPrefixesSuffixes), QM_FLAG(rdo, Vol12RenameChangeFileType),
          QM_TEXT(edt, Vol12NewPrefix), QM_TEXT(edt, Vol12DelimiterPrefixSubFolder),
          QM_TEXT(edt, Vol12DelimiterSubFolderSuffix), QM_TEXT(edt, Vol12NewSuffix),
          QM_TEXT(edt, Vol12RenameChangeOldFileType), QM_TEXT(edt, Vol12RenameChangeNewFileType),
          QM_FLAG(rdo, Vol12RenameFilesInMainFolders), QM_FLAG(rdo, Vol12RenameFilesInMainFoldersAndSubFolders),
          QM_FLAG(rdo, Vol12RenameFilesInSubFolders), QM_FLAG(rdo, Vol12RenameDuplicatedFilesDrop),
          QM_FLAG(rdo, Vol12RenameDuplicatedFilesOverWrite), QM_FLAG(rdo, Vol12RenameDuplicatedFilesIncreaseFileNames),
          QM_FLAG(chk, Vol12ShowDetailedResults)},
         {"lblVol12NewPrefixCimke", "lblVol12DelimiterPrefixSubFolderCimke", "lblVol12DelimiterSubFolderSuffixCimke",
          "lblVol12NewSuffixCimke", "lblVol12RenameChangeOldFileType", "lblVol12RenameChangeNewFileType"},
         {},
         {QM_LIST(lst, Vol12IncludeFolderList), QM_LIST(lst, Vol12ExcludeFolderList)},
         [](TfrmMain& m) { m.Page12->Vol12RefreshPage(); }},
        {"15",
         {QM_FLAG(rdo, Vol15StructureImportRelativePaths), QM_FLAG(rdo, Vol15StructureImportFullPaths),
          QM_FLAG(rdo, Vol15AttachMainFolderWithFiles), QM_FLAG(rdo, Vol15AttachMainFolderWithoutFiles),
          QM_FLAG(rdo, Vol15AttachSubFoldersOnlyWithFiles), QM_FLAG(rdo, Vol15AttachSubFoldersOnlyWithoutFiles),
          QM_FLAG(chk, Vol15ShowDetailedResults)},
         {QM_STRUCTURE_CONTROLS(Vol15), "lstVol15FileTypesAllSelected"},
         {},
         {QM_LIST(lst, Vol15IncludeFolderList), QM_LIST(lst, Vol15ExcludeFolderList),
          QM_LIST(lst, Vol15AddFolderStructure)},
         [](TfrmMain& m) { m.Page15->Vol15RefreshPage(); }},
    };
    return pages;
}

std::vector<const BridgePage*> BridgePagesInSaveOrder() {
    static const char* const order[] = {"02", "04", "03", "06", "07", "08", "10", "11", "12", "15"};
    std::vector<const BridgePage*> pages;
    for (const char* id : order)
        for (const BridgePage& page : BridgePages())
            if (std::string(page.page) == id) pages.push_back(&page);
    return pages;
}
