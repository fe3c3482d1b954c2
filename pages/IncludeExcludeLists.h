// The Include and Exclude lists of every page, written once: adding a typed
// path or a browsed folder, the four moves and the exchange, Import, the
// subfolder list builder, Edit List, View, Export, Zoom and the Exclude
// deletes. A page builds one from its typed widgets and a profile of its
// messages and rules; its handlers call them in one line each. Every
// handler ends with the page's refresh (where it changed a list) and then
// with the focus the page hands it.
#pragma once

#include <functional>
#include <string>

#include "core/Types.h"
#include "pages/PageMessages.h"

class IncludeListEditor;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace pagekit {

struct IncludeExcludeWidgets {
    QListWidget* Include = nullptr;
    QListWidget* Exclude = nullptr;
    QLabel* IncludeSum = nullptr;  // handed to the editor, when the page does
    QLineEdit* AddField = nullptr;  // typed paths
};

struct IncludeExcludeProfile {
    // ---- messages (the texts are those most pages give) ----
    PageMessage TextEmpty{"The text field is empty !!!", ""};        // Add with nothing typed
    std::string ColonsCaption, PathRefusedCaption;                     // Add: the path checks' refusals
    PageMessage SelectionEmpty{"The selection field is empty !!!", ""};  // the folder browser gave nothing
    PageMessage InInclude{"This folder exists in the INCLUDE FOLDER LIST !!!", ""};
    PageMessage InExclude{"This folder exists in the EXCLUDE FOLDER LIST !!!", ""};
    PageMessage ImportEmpty{"Empty Result List in the File Import Window!\n", ""};  // no caption: none
    PageMessage ImportEnd{"End of the Import Process !!!\n", ""};
    PageMessage BuilderEmpty{"Empty Result List in the File Import Window!\n", ""};
    PageMessage BuilderEnd{"End of the Import Process !!!\n", ""};
    PageMessage ViewNone{
        "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.", ""};
    std::string ViewTopic;
    PageMessage ExportEmpty{"The Include List is empty !\n", ""};
    PageMessage DeleteSelectedEmpty{"The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the "
                                    "EXCLUDE list to delete it.\n",
                                    ""};
    PageMessage DeleteSelectedAsk{"Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can "
                                  "delete ONLY from the EXCLUDE list.\n",
                                  ""};
    PageMessage DeleteAllEmpty{"Empty List in the Exclude Window!\n", ""};
    PageMessage DeleteAllAsk{"Do you want to delete all item(s) from the Exclude list ?", ""};

    // ---- rules ----
    // How a chosen folder's or a selected item's text is trimmed.
    std::string (*Trim)(const std::string&) = nullptr;  // default: blanks and control codes
    // The lines a move carries over (the others only leave their list).
    std::function<bool(const std::string& line)> MoveTakes;
    // A line the Include list may not take: refused with the page's message
    // (true). Asked of chosen folders, of moves into the Include list
    // (selected ones; all with RootCheckOnAllFromExclude) and of imports
    // with ImportStopsAtRoot; a refused move or import ends there, what it
    // gathered before is added.
    std::function<bool(const std::string& line)> Refuses;
    bool RootCheckOnAllFromExclude = false;
    // "<<": a line refused here (with the page's message) is dropped, the
    // others still go over.
    std::function<bool(const std::string& line)> AllFromExcludeDrops;
    bool ImportStopsAtRoot = false;
    // Imports: the lines they take, each rewritten first (the builder's
    // too); then the root check; then, when asked, the drive part.
    std::function<bool(std::string& line)> ImportTakes;
    // Imported lines (the builder's too) the Include list may not take,
    // after ImportTakes: dropped, and named together in one box, its text
    // headed by ImportDropped's.
    std::function<bool(const std::string& line)> ImportDrops;
    PageMessage ImportDropped;
    bool ImportNeedsDrive = false;
    bool BuilderNeedsDrive = false;
    // An empty import result ends the import after its message, without
    // the refresh and the end box.
    bool EmptyImportEnds = false;
    // The import window's lines are emptied once taken.
    bool ImportEmptiesWindow = false;
    // Export: the lines offered, the window's list kind, and whether the
    // page refreshes after it.
    std::function<bool(const std::string& line)> ExportTakes;
    const char* ExportKind = "FOLDERS";
    bool RefreshAfterExport = true;
    IncludeListEditor* (*Editor)() = nullptr;
    // Edit List: a line refused (with the page's message, true) keeps the
    // editor open and the list as it was.
    std::function<bool(const std::string& line)> EditRefuses;
    // The page refresh the handlers end with.
    std::function<void()> Refresh;
};

class IncludeExcludeLists {
public:
    IncludeExcludeLists(QWidget* page, IncludeExcludeWidgets widgets, IncludeExcludeProfile profile);

    QListWidget* Include() const { return w_.Include; }
    QListWidget* Exclude() const { return w_.Exclude; }

    // ---- adding ----
    // Add Folder and the Enter key of the text field: full folder paths.
    void AddToListClick(QWidget* focus = nullptr);
    // The text's paths (split at their drive letters), each checked as a
    // full folder path and appended unless a list holds it. False with the
    // message of the first refusal; in single mode the walk ends there.
    // Paths appended before a refusal stay.
    bool AddPathsToIncludeList(const std::string& text, bool single, std::string& normalised, std::string& message);
    // The folder browser's choice.
    void AddFolderClick();

    // ---- moves ----
    void IncToExcClick(QWidget* focus = nullptr);
    void ExcToIncClick(QWidget* focus = nullptr);
    void AllFromIncClick(QWidget* focus = nullptr);
    void AllFromExcClick(QWidget* focus = nullptr);
    // Exchanges the two lists' contents.
    void ExchangeClick(QWidget* focus = nullptr);

    // ---- tools ----
    void ImportClick(QWidget* focus = nullptr);
    void SubFolderListBuilderClick();
    void EditListClick(QWidget* focus = nullptr);
    void ViewClick();
    void ExportClick(QWidget* focus = nullptr);
    void ZoomClick();
    void DeleteFromExcludeClick(QWidget* focus = nullptr);
    void DeleteExcludeAllClick(QWidget* focus = nullptr);

private:
    std::string Key(const std::string& text) const;
    std::string Trimmed(const std::string& text) const;
    bool Holds(const QListWidget* list, const std::string& text) const;
    void Move(QListWidget* from, QListWidget* to, bool selectedOnly, bool rootCheck, QWidget* focus);
    // An import's lines: the empty message, the lines the rule takes, the
    // refresh and the end box.
    void TakeLines(const StringList& lines, bool accepted, const PageMessage& empty, const PageMessage& end,
                   bool needDrive);
    void Refresh() const;
    static void Focus(QWidget* focus);

    QWidget* page_;
    IncludeExcludeWidgets w_;
    IncludeExcludeProfile p_;
};

// True when the line names a drive: "X:..." or "\\server..." (blanks trimmed).
bool HasDrivePart(const std::string& line);

}  // namespace pagekit
