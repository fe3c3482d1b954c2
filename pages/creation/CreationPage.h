// What the create pages share on the screen: their run's tab-sheet rule,
// the destination history, the export-window protocol and the handlers of
// the Folder Structures/Templates list with its source and attach radios.
// Each page hands in its own messages, duplicate rule and refresh.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/Types.h"

class QComboBox;
class QListWidget;
class QWidget;

namespace pagekit {

// A run disables every tab sheet of the main window's page frames but the
// creation frame and its own sheet ("tabCreateFolderIncreasedNumbers"), and
// enables all thirteen again at its end. A page on its own has none.
void EnableOtherTabSheets(QWidget* page, const char* ownSheet, bool enabled);

// A chosen destination: a path the history does not hold (ignoring letter
// case) goes first, the other entries follow, each once, at most 100; a
// path it holds is only selected.
void AddToDestinationHistory(QComboBox* combo, const QString& path);
// The end of a run or simulation: the trimmed current destination leads,
// the other non-empty entries follow in their order, each once; a current
// text that the history does not hold is not added.
void TidyDestinationHistory(QComboBox* combo);

// The export window's protocol: preview and lines emptied, every line not
// yet previewed handed over (only those `take` accepts), the first preview
// line selected, the kind set, shown modally. False without the window.
bool ExportThroughWindow(const StringList& lines, const std::function<bool(const std::string&)>& take,
                         const char* kind);

// One message of a page: its text (empty: the caller's) and its caption.
struct PageMessage {
    std::string text;
    std::string caption;
};

// The messages of a page's structure list, by what they say.
struct StructureListMessages {
    PageMessage EmptyPath;         // Add Structure with an empty path
    PageMessage AskWholeDrive;     // Add Structure with a drive root (Yes/No)
    PageMessage ImportEmpty;       // the import window's result list is empty
    PageMessage ImportFullPaths;   // caption of the full-path validator's report
    PageMessage ImportTemplates;   // caption of the relative-path validator's report
    PageMessage ImportEnd;         // end of every import
    PageMessage ExportEmpty;       // Export of an empty list
    PageMessage EditTemplates;     // caption of the report on edited template lines
    PageMessage EditFullPaths;     // caption of the report on edited full paths
    PageMessage ViewNoneSelected;  // View Selected without a selection
    PageMessage AskDeleteSelected; // Delete Sel. (Yes/No)
    PageMessage DeleteAllEmpty;    // Delete All of an empty list
    PageMessage AskDeleteAll;      // Delete All (Yes/No)
};

// The handlers of a create page's structure list. The controls are found by
// the page's name ("Vol03": lstVol03AddFolderStructure, rdoVol03AttachNothing,
// btnVol03AddFolderStructure, ...).
class StructureListHandlers {
public:
    StructureListHandlers(QWidget* page, const char* pageName, int templateIndex, StructureListMessages messages);

    // ---- what the page hands in ----
    // Two lines are the same when their texts are equal exactly (true) or
    // ignoring letter case (false).
    bool ExactDuplicates = false;
    // Counters reset, totals and disk space with the flag, counters shown,
    // run buttons by the page's rule: after the options or the list changed.
    std::function<void(bool withFiles)> Refresh;
    // After Import, Export, Edit and the deletes, when the page refreshes
    // more than its totals (page 04: the whole page); default: Refresh.
    std::function<void()> RefreshAfterListChange;
    // "Attach Nothing." beyond emptying the list: counters and buttons.
    std::function<void()> NothingChosen;
    // CREATE and Simulation.
    std::function<void(bool enabled)> EnableRunButtons;
    std::function<void(bool flag)> UpdateRunButtons;

    // ---- source and attach options ----
    void AttachNothingClick();
    void RelativePathsClick();   // empties the list, then SetRelativePathsMode
    void FullPathsClick();       // empties the list, then SetFullPathsMode
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
    void ViewSelectedClick(const std::string& topic);
    void DeleteSelectedClick();
    void DeleteAllClick();

private:
    QWidget* Control(const char* pattern) const;
    QListWidget* List() const;
    bool Checked(const char* pattern) const;
    bool EnabledAndChecked(const char* pattern) const;
    void ShowCount();
    void AfterListChange();
    void ApplyMode();
    int Box(const PageMessage& message, unsigned flags, const std::string& text = std::string()) const;
    // Adds each line that is not empty and not yet listed, in order.
    void AddUnique(const StringList& lines);

    QWidget* page_;
    QString name_;
    int templateIndex_;
    StructureListMessages messages_;
};

}  // namespace pagekit
