// The program-wide settings store: every option, text and list the program
// remembers between runs. One value behind free accessors named after each
// setting (Get<Name>, Set<Name>; lists also Clear<Name> and AddTo<Name>).
// Getters return copies. The store never touches a window.
#pragma once

#include <string>

#include "core/TemplateOptions.h"
#include "core/Types.h"

// ---- the settings ----------------------------------------------------------
// Page settings are named after the control they mirror, less its kind
// prefix. X(name, initial value).

#define QM_NUMBER_SETTINGS(X)                          \
    X(StartWindowState, 2)                             \
    X(RestoreMode, 1)                                  \
    X(FileSelNamesMode, 1)                             \
    X(FileSelTypesMode, 0)                             \
    X(FileSelAllTypes, 1)                              \
    X(FileSelIncludedTypes, 0)                         \
    X(FileSelExcludedTypes, 0)                         \
    X(FileSelSelectOne, 0)                             \
    X(FileSelOneTypeIndex, 0)                          \
    X(FileSelIncludeTermsOn, 0)                        \
    X(FileSelExcludeTermsOn, 0)                        \
    X(Vol02AttachNothing, 0)                           \
    X(Vol02StructureImportRelativePaths, 0)            \
    X(Vol02StructureImportFullPaths, 1)                \
    X(Vol02AttachMainFolderWithFiles, 0)               \
    X(Vol02AttachMainFolderWithoutFiles, 1)            \
    X(Vol02AttachSubFoldersOnlyWithFiles, 0)           \
    X(Vol02AttachSubFoldersOnlyWithoutFiles, 0)        \
    X(Vol02Hyphen, 0)                                  \
    X(Vol02ViewDestFolder, 1)                          \
    X(Vol02ViewDetailedResults, 1)                     \
    X(Vol03Hyphen, 0)                                  \
    X(Vol03PaddedZeroes, 0)                            \
    X(Vol03AttachNothing, 0)                           \
    X(Vol03StructureImportRelativePaths, 0)            \
    X(Vol03StructureImportFullPaths, 1)                \
    X(Vol03AttachMainFolderWithFiles, 0)               \
    X(Vol03AttachMainFolderWithoutFiles, 1)            \
    X(Vol03AttachSubFoldersOnlyWithFiles, 0)           \
    X(Vol03AttachSubFoldersOnlyWithoutFiles, 0)        \
    X(Vol03AddIncNumbersAsSuffix, 0)                   \
    X(Vol03ViewDestFolder, 1)                          \
    X(Vol03ViewDetailedResults, 1)                     \
    X(Vol04AttachNothing, 0)                           \
    X(Vol04StructureImportRelativePaths, 0)            \
    X(Vol04StructureImportFullPaths, 1)                \
    X(Vol04AttachMainFolderWithFiles, 0)               \
    X(Vol04AttachMainFolderWithoutFiles, 1)            \
    X(Vol04AttachSubFoldersOnlyWithFiles, 0)           \
    X(Vol04AttachSubFoldersOnlyWithoutFiles, 0)        \
    X(Vol04Hyphen, 0)                                  \
    X(Vol04ViewDetailedResults, 1)                     \
    X(Vol06RenameAddPrefixesSuffixes, 1)               \
    X(Vol06RenameTheLastSubFolder, 0)                  \
    X(Vol06ShowDetailedResults, 1)                     \
    X(Vol07DeleteSubFolders, 1)                        \
    X(Vol07DeleteCompleteFolders, 0)                   \
    X(Vol07ReadOnlyFolders, 0)                         \
    X(Vol07DeleteDoubleConfirm, 1)                     \
    X(Vol07ShowDetailedResults, 1)                     \
    X(Vol08StructureImportRelativePaths, 0)            \
    X(Vol08StructureImportFullPaths, 1)                \
    X(Vol08AttachMainFolderWithFiles, 0)               \
    X(Vol08AttachMainFolderWithoutFiles, 1)            \
    X(Vol08AttachSubFoldersOnlyWithFiles, 0)           \
    X(Vol08AttachSubFoldersOnlyWithoutFiles, 0)        \
    X(Vol08ShowDetailedResults, 1)                     \
    X(Vol10AttachMainFolderWithSubFolders, 1)          \
    X(Vol10AttachSubFoldersOnly, 0)                    \
    X(Vol10CopyToMainFolders, 1)                       \
    X(Vol10CopyToMainFoldersExtensions, 0)             \
    X(Vol10DuplicatedFilesSkip, 1)                     \
    X(Vol10DuplicatedFilesOverWrite, 0)                \
    X(Vol10DuplicatedFilesIncreaseFileNames, 0)        \
    X(Vol10ShowDetailedResults, 1)                     \
    X(Vol11DeleteOnlyFilesInMainFolder, 1)             \
    X(Vol11DeleteOnlyFiles, 0)                         \
    X(Vol11ReadOnlyFiles, 0)                           \
    X(Vol11DeleteDoubleConfirm, 1)                     \
    X(Vol11ShowDetailedResults, 1)                     \
    X(Vol12RenameAddPrefixesSuffixes, 1)               \
    X(Vol12RenameChangeFileType, 0)                    \
    X(Vol12RenameFilesInMainFolders, 1)                \
    X(Vol12RenameFilesInMainFoldersAndSubFolders, 0)   \
    X(Vol12RenameFilesInSubFolders, 0)                 \
    X(Vol12RenameDuplicatedFilesDrop, 1)               \
    X(Vol12RenameDuplicatedFilesOverWrite, 0)          \
    X(Vol12RenameDuplicatedFilesIncreaseFileNames, 0)  \
    X(Vol12ShowDetailedResults, 1)                     \
    X(Vol15StructureImportRelativePaths, 0)            \
    X(Vol15StructureImportFullPaths, 1)                \
    X(Vol15AttachMainFolderWithFiles, 0)               \
    X(Vol15AttachMainFolderWithoutFiles, 1)            \
    X(Vol15AttachSubFoldersOnlyWithFiles, 0)           \
    X(Vol15AttachSubFoldersOnlyWithoutFiles, 0)        \
    X(Vol15ShowDetailedResults, 1)

// SelectedDelimiter and SelectedQuotationMark are only saved and read back.
// ProgramTitle and the six working-folder paths are never saved.
#define QM_TEXT_SETTINGS(X)                \
    X(AppName, "")                         \
    X(ProgramFolder, "")                   \
    X(SelectedDelimiter, ",")              \
    X(SelectedQuotationMark, "\"")         \
    X(ProgramTitle, "")                    \
    X(WorkingDir, "")                      \
    X(WorkingDirCopyFiles, "")             \
    X(WorkingDirRenameFiles, "")           \
    X(WorkingDirCopyFilesSimul, "")        \
    X(WorkingDirRenameFilesSimul, "")      \
    X(WorkingDirConsistencyCheck, "")      \
    X(FileSelNamesText, "*.*")             \
    X(FileSelOneType, "")                  \
    X(FileSelIncludeTermsText, "")         \
    X(FileSelExcludeTermsText, "")         \
    X(Vol02DestFolder, "")                 \
    X(Vol02AddToList, "")                  \
    X(Vol02Prefix, "")                     \
    X(Vol02Suffix, "")                     \
    X(Vol03DestFolder, "")                 \
    X(Vol03StartNumber, "")                \
    X(Vol03EndNumber, "")                  \
    X(Vol03Prefix, "")                     \
    X(Vol03Suffix, "")                     \
    X(Vol04AddToList, "")                  \
    X(Vol04Prefix, "")                     \
    X(Vol04Suffix, "")                     \
    X(Vol06NewPrefix, "")                  \
    X(Vol06DelimiterPrefixSubFolder, "")   \
    X(Vol06DelimiterSubFolderSuffix, "")   \
    X(Vol06NewSuffix, "")                  \
    X(Vol06RenameNewLastSubFolder, "")     \
    X(Vol12NewPrefix, "")                  \
    X(Vol12DelimiterPrefixSubFolder, "")   \
    X(Vol12DelimiterSubFolderSuffix, "")   \
    X(Vol12NewSuffix, "")                  \
    X(Vol12RenameChangeOldFileType, "")    \
    X(Vol12RenameChangeNewFileType, "")

// Lists with Get, Set, Clear and AddTo. X(name); all start empty.
#define QM_LIST_SETTINGS(X)            \
    X(FileSelNameMasks)                \
    X(FileSelNamesHistory)             \
    X(FileSelIncludeTypeList)          \
    X(FileSelExcludeTypeList)          \
    X(FileSelIncludeTermsList)         \
    X(FileSelExcludeTermsList)         \
    X(FileSelIncludeTermsHistory)      \
    X(FileSelExcludeTermsHistory)      \
    X(Vol02DestFolderHistory)          \
    X(Vol02IncludeStrings)             \
    X(Vol02ExcludeStrings)             \
    X(Vol02AddFolderStructure)         \
    X(Vol03DestFolderHistory)          \
    X(Vol03AddFolderStructure)         \
    X(Vol04IncludeFolderList)          \
    X(Vol04ExcludeFolderList)          \
    X(Vol04AddFolderStructure)         \
    X(Vol06IncludeFolderList)          \
    X(Vol06ExcludeFolderList)          \
    X(Vol07IncludeFolderList)          \
    X(Vol07ExcludeFolderList)          \
    X(Vol08IncludeFolderList)          \
    X(Vol08ExcludeFolderList)          \
    X(Vol08AddFolderStructure)         \
    X(Vol10IncludeFolderList)          \
    X(Vol10ExcludeFolderList)          \
    X(Vol10AddFolderStructure)         \
    X(Vol11IncludeFolderList)          \
    X(Vol11ExcludeFolderList)          \
    X(Vol12IncludeFolderList)          \
    X(Vol12ExcludeFolderList)          \
    X(Vol15IncludeFolderList)          \
    X(Vol15ExcludeFolderList)          \
    X(Vol15AddFolderStructure)

// Lists that are only emptied and appended to (no Set).
#define QM_APPEND_ONLY_LIST_SETTINGS(X) \
    X(DelimList)                        \
    X(QuotList)                         \
    X(FileSelFallbackTypes)

// ---- the whole store as one value ------------------------------------------

#define QM_SETTINGS_NUMBER_FIELD(name, initial) int name = initial;
#define QM_SETTINGS_TEXT_FIELD(name, initial) std::string name = initial;
#define QM_SETTINGS_LIST_FIELD(name) StringList name;

// A copy of every setting and the template map. The main window reads a
// profile into the store after taking one, and puts it back when the
// profile turns out damaged.
struct SettingsSnapshot {
    QM_NUMBER_SETTINGS(QM_SETTINGS_NUMBER_FIELD)
    QM_TEXT_SETTINGS(QM_SETTINGS_TEXT_FIELD)
    QM_LIST_SETTINGS(QM_SETTINGS_LIST_FIELD)
    QM_APPEND_ONLY_LIST_SETTINGS(QM_SETTINGS_LIST_FIELD)
    MAP_FOLDER_TEMPLATE_OPTIONS FolderTemplateOptions;
};

#undef QM_SETTINGS_NUMBER_FIELD
#undef QM_SETTINGS_TEXT_FIELD
#undef QM_SETTINGS_LIST_FIELD

SettingsSnapshot TakeSettingsSnapshot();
void RestoreSettingsSnapshot(const SettingsSnapshot& snapshot);

// ---- accessors ---------------------------------------------------------------

#define QM_DECLARE_NUMBER_SETTING(name, initial) \
    int Get##name();                             \
    void Set##name(int value);
#define QM_DECLARE_TEXT_SETTING(name, initial) \
    std::string Get##name();                   \
    void Set##name(const std::string& value);
#define QM_DECLARE_APPEND_ONLY_LIST_SETTING(name) \
    StringList Get##name();                       \
    void Clear##name();                           \
    void AddTo##name(const std::string& item);
#define QM_DECLARE_LIST_SETTING(name)        \
    QM_DECLARE_APPEND_ONLY_LIST_SETTING(name) \
    void Set##name(const StringList& items);

QM_NUMBER_SETTINGS(QM_DECLARE_NUMBER_SETTING)
QM_TEXT_SETTINGS(QM_DECLARE_TEXT_SETTING)
QM_LIST_SETTINGS(QM_DECLARE_LIST_SETTING)
QM_APPEND_ONLY_LIST_SETTINGS(QM_DECLARE_APPEND_ONLY_LIST_SETTING)

#undef QM_DECLARE_NUMBER_SETTING
#undef QM_DECLARE_TEXT_SETTING
#undef QM_DECLARE_APPEND_ONLY_LIST_SETTING
#undef QM_DECLARE_LIST_SETTING

// The names the separators and quotation-marks windows use.
void AddToDelimListChars(const std::string& item);
void AddToQuotListChars(const std::string& item);

// ---- start-up -------------------------------------------------------------------

inline constexpr const char* kAppName = "Quillmere";
inline constexpr const char* kProgramTitle = "Quillmere 7.00";

// Every setting back to its initial value, the template map emptied.
void ResetSettingsToInitialValues();
// AppName, ProgramTitle and ProgramFolder, set at every start before the
// settings file is read.
void SetValuesOfEveryStart(const std::string& programFolder);
// The six working-folder paths from ProgramFolder (after the settings file,
// which may replace ProgramFolder, has been read).
void SetWorkingFoldersFromProgramFolder();
// The built-in defaults of a first start (no settings file yet).
void FillFirstStartDefaults();

// For the settings file and template options only: the store itself.
namespace settings_detail {
SettingsSnapshot& Store();
}
