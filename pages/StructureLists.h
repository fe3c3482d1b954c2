// The Folder Structures/Templates list of every page that has one, with its
// source radios (existing folder structures or template lines) and its four
// attach (compare) radios, written once. A page builds one from its typed
// widgets (QM_STRUCTURE_WIDGETS and the few it lacks) and hands in its messages, its duplicate
// rule and its refresh; its handlers call them in one line each.
#pragma once

#include <functional>
#include <string>

#include "core/Types.h"
#include "pages/PageMessages.h"

class QAbstractButton;
class QLabel;
class QListWidget;
class QObject;
class QWidget;

namespace pagekit {

struct StructureListWidgets {
    QListWidget* List = nullptr;
    QLabel* Sum = nullptr;         // the list's count
    QLabel* Title = nullptr;       // "Folder Structures/Templates"
    QLabel* SumCaption = nullptr;  // the count's caption
    QAbstractButton* FullPaths = nullptr;      // existing folder structures
    QAbstractButton* RelativePaths = nullptr;  // template lines
    QAbstractButton* MainFolderWithoutFiles = nullptr;
    QAbstractButton* SubFoldersOnlyWithoutFiles = nullptr;
    QAbstractButton* MainFolderWithFiles = nullptr;
    QAbstractButton* SubFoldersOnlyWithFiles = nullptr;
    QWidget* Add = nullptr;
    QWidget* View = nullptr;
    QWidget* Import = nullptr;
    QWidget* Export = nullptr;
    QWidget* Edit = nullptr;
    QWidget* DeleteSelected = nullptr;
    QWidget* DeleteAll = nullptr;
    QWidget* Options = nullptr;                // the template options
    QAbstractButton* AttachNothing = nullptr;  // the create pages only
    QWidget* NumbersAsSuffix = nullptr;         // page 03 only
};

// The widgets every such page names alike, from its ui ("Vol02").
#define QM_STRUCTURE_WIDGETS(ui, P)                                                                                 \
    pagekit::StructureListWidgets {                                                                                 \
        ui->lst##P##AddFolderStructure, ui->lbl##P##FolderStructuresTemplatesSum,                                   \
            ui->lbl##P##FolderStructuresTemplates, ui->lbl##P##FolderStructuresTemplatesSumCimke,                   \
            ui->rdo##P##StructureImportFullPaths, ui->rdo##P##StructureImportRelativePaths,                          \
            ui->rdo##P##AttachMainFolderWithoutFiles, ui->rdo##P##AttachSubFoldersOnlyWithoutFiles,                  \
            ui->rdo##P##AttachMainFolderWithFiles, ui->rdo##P##AttachSubFoldersOnlyWithFiles,                        \
            ui->btn##P##AddFolderStructure, ui->btn##P##ViewFolderStructure,                                       \
            ui->btn##P##ImportFolderStructuresTemplates, ui->btn##P##ExportFolderStructuresTemplates,               \
            ui->btn##P##EditFolderStructuresTemplates, ui->btn##P##DeleteSelFolderStructuresTemplates,              \
            ui->btn##P##DeleteAllFolderStructuresTemplates                                                          \
    }

// The messages of a page's structure list, by what they say.
struct StructureListMessages {
    PageMessage EmptyPath;          // Add Structure with an empty path
    PageMessage AskWholeDrive;      // Add Structure with a drive root (Yes/No)
    PageMessage ImportEmpty;        // the import window's result list is empty
    PageMessage ImportFullPaths;    // caption of the full-path validator's report
    PageMessage ImportTemplates;    // caption of the relative-path validator's report
    PageMessage ImportEnd;          // end of every import
    PageMessage ExportEmpty;        // Export of an empty list
    PageMessage EditTemplates;      // caption of the report on edited template lines
    PageMessage EditFullPaths;      // caption of the report on edited full paths
    PageMessage ViewNoneSelected;   // View Selected without a selection
    PageMessage AskDeleteSelected;  // Delete Sel. (Yes/No)
    PageMessage DeleteAllEmpty;     // Delete All of an empty list
    PageMessage AskDeleteAll;       // Delete All (Yes/No)
};

// What the structure source lets the user do.
enum class StructureSource { Nothing, TemplateLines, ExistingFolders };

// Connects a structure-source radio to its handler for the clicks that
// choose it: a click on the source already chosen changes nothing (the list
// its handler would empty stays).
void ConnectSourceRadio(QAbstractButton* radio, QObject* receiver, std::function<void()> chosen);

class StructureListHandlers {
public:
    StructureListHandlers(QWidget* page, StructureListWidgets widgets, int templateIndex,
                          StructureListMessages messages);

    // ---- what the page hands in ----
    std::string BrowseTitle = "Select a Folder Structure.";
    std::string ViewTopic;
    // A drive root chosen in the browser is first checked as a drive.
    bool CheckDriveOfRoot = false;
    // The browser's empty answer is added like any (and refused there).
    bool EmptyChoiceAdds = false;
    // View Selected needs the current item to be selected too.
    bool ViewNeedsSelection = false;
    // The counts follow the template options and an export.
    bool RefreshAfterOptions = false;
    bool RefreshAfterExport = true;
    // Counters reset, totals and disk space with the flag, counters shown,
    // run buttons by the page's rule: after the options or the list changed.
    std::function<void(bool withFiles)> Refresh;
    // After Import, Edit and the deletes, when the page refreshes more than
    // its totals (page 04: the whole page); default: Refresh.
    std::function<void()> RefreshAfterListChange;
    // "Attach Nothing." beyond emptying the list: counters and buttons.
    std::function<void()> NothingChosen;
    // After an attach radio was clicked and the totals followed.
    std::function<void(bool withFiles)> AttachChosen;
    // CREATE and Simulation.
    std::function<void(bool enabled)> EnableRunButtons;
    std::function<void(bool flag)> UpdateRunButtons;

    // ---- source and attach options ----
    // The controls as the chosen source wants them. Existing folders check
    // the first attach radio when none is checked.
    void ApplySource(StructureSource source);
    void AttachNothingClick();
    void RelativePathsClick();  // empties the list, then SetRelativePathsMode
    void FullPathsClick();      // empties the list, then SetFullPathsMode
    void SetRelativePathsMode();
    void SetFullPathsMode();
    // One of the four attach radios was clicked.
    void AttachOptionClick(bool withFiles);
    bool WithFilesChecked() const;
    // The options window for the page's template index, shown modally.
    void TemplateOptionsClick();

    // ---- the list ----
    void AddFolderStructureClick();  // the folder browser, then AddStructure
    void AddStructure(const std::string& path);
    void ImportClick();
    void ExportClick();
    void EditClick();
    void ViewSelectedClick();
    void DeleteSelectedClick();
    void DeleteAllClick();

private:
    void ShowCount();
    void AfterListChange();
    void ApplyMode();
    int Box(const PageMessage& message, unsigned flags, const std::string& text = std::string()) const;
    // Adds each line that is not empty and not yet listed, in order.
    void AddUnique(const StringList& lines);

    QWidget* page_;
    StructureListWidgets w_;
    int templateIndex_;
    StructureListMessages messages_;
};

}  // namespace pagekit
