// The Include and Exclude lists of a page that works on full folder paths
// (page 04 in full; the rename, delete, copy, file and checker pages by
// their differences): adding typed paths, the four moves and the exchange,
// Import, Edit List, Export, Zoom and the Exclude deletes. Written once;
// each page hands in its messages and its refresh.
//
// An item goes into a list only when neither list holds the identical text
// (an exact, case-sensitive comparison: on Linux "Jobs" and "jobs" are two
// folders). Every handler ends with the page's refresh.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/Types.h"

class IncludeListEditor;
class QLineEdit;
class QListWidget;
class QWidget;

namespace pagekit {

struct IncludeListMessages {
    std::string TextEmptyCaption;       // Add with nothing typed ("The text field is empty !!!")
    std::string ColonsCaption;          // Add: the colon check's refusal
    std::string PathRefusedCaption;     // Add: a path refused, or already listed
    std::string ImportEmptyCaption;     // Import: the result list is empty
    std::string ImportEndCaption;       // Import: the end box
    std::string ExportEmptyCaption;     // Export of an empty Include list
    std::string AskDeleteExcludedCaption;
    std::string ExcludeEmptyCaption;    // Delete Excluded of an empty Exclude list
    std::string DeleteAllEmptyCaption;  // Delete All of an empty Exclude list
    std::string AskDeleteAllCaption;
};

class IncludeExcludeLists {
public:
    // The controls are found by the page's name ("Vol04": edtVol04AddToList,
    // lstVol04IncludeFolderList, lblVol04IncludeSum, btnVol04SmartExport, ...).
    IncludeExcludeLists(QWidget* page, const char* pageName, IncludeListMessages messages);

    // The page refresh every handler ends with.
    std::function<void()> Refresh;

    QListWidget* Include() const;
    QListWidget* Exclude() const;
    bool Holds(const QListWidget* list, const std::string& text) const;

    // ---- adding ----
    // Add Folder and the Enter key of the text field.
    void AddToListClick();
    // The text's paths (split at their drive letters), each checked as a
    // full folder path and appended unless a list holds it. False with the
    // message of the first refusal; in single mode the walk ends there.
    // Paths appended before a refusal stay.
    bool AddPathsToIncludeList(const std::string& text, bool single, std::string& normalised, std::string& message);

    // ---- moves ----
    void IncToExcClick();
    void ExcToIncClick();
    void AllFromIncClick();
    void AllFromExcClick();
    // Exchanges the two lists' contents.
    void ExchangeClick();

    // ---- tools ----
    void ImportClick();
    void EditListClick(IncludeListEditor* editor);
    void ExportClick();
    void ZoomClick();
    void DeleteFromExcludeClick();
    void DeleteExcludeAllClick();

private:
    QWidget* Control(const char* pattern) const;
    QLineEdit* Field() const;
    void MoveSelected(QListWidget* from, QListWidget* to);
    void MoveAll(QListWidget* from, QListWidget* to);
    void Done(const char* focus);

    QWidget* page_;
    QString name_;
    IncludeListMessages messages_;
};

}  // namespace pagekit
