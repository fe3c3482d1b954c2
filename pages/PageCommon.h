// What the operation pages share: the main window's fixed texts and tab
// sheets, the hooks every run gets, the destination history, the export
// window's protocol and the small control helpers every page uses.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <string>

#include "core/Types.h"
#include "pages/RunFrame.h"

class QAbstractButton;
class QComboBox;
class QListWidget;
class QWidget;

// What the main window shares with the pages: its fixed texts, filled once
// by its creation handler and read by the pages' simulations and
// file-selection hints, and its tab sheets.
struct MainWindowShared {
    virtual ~MainWindowShared() = default;
    // A run of `page` starts (false: every tab sheet but the page's own and
    // those holding it goes off) or ends (true: every sheet comes back). A
    // page on its own has no tab sheets.
    virtual void EnableOtherTabSheets(QWidget* page, bool enabled) {
        (void)page;
        (void)enabled;
    }

    std::string CreateSimulationStartText;
    std::string CreateSimulationEndText;
    std::string RenameFoldersSimulationStartText;
    std::string RenameFoldersSimulationEndText;
    std::string DeleteFoldersSimulationStartText;
    std::string DeleteFoldersSimulationEndText;
    std::string CopyFoldersSimulationStartText;
    std::string CopyFoldersSimulationEndText;
    std::string CopyFilesSimulationStartText;
    std::string CopyFilesSimulationEndText;
    std::string RenameFilesSimulationStartText;
    std::string RenameFilesSimulationEndText;
    std::string DeleteFilesSimulationStartText;
    std::string DeleteFilesSimulationEndText;
    std::string FileSelectionHintText;
    std::string AllFileTypesText;
};

// Fills the fourteen simulation texts and the file-selection hint.
void FillMainWindowTexts(MainWindowShared& shared);

namespace pagekit {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }

// A named control below `root`; null when there is none.
QWidget* Find(const QWidget* root, const char* name);
// Sets the control's own enabled state for every named control present.
void SetEnabled(const QWidget* root, std::initializer_list<const char*> names, bool flag);

// The control's own Enabled flag, whatever its parents' state (a run
// disables whole tab sheets without changing the pages' own flags).
bool IsOwnEnabled(const QWidget* control);
bool IsEnabledAndChecked(const QAbstractButton* button);
// Also unchecks the checked radio of a group, which Qt would refuse.
void SetChecked(QAbstractButton* button, bool checked);

// Lets the list scroll sideways over `pixels` whatever its items' width.
void SetHorizontalExtent(QListWidget* list, int pixels);

// Every item in display order.
StringList ListItems(const QListWidget* list);
// The items that are not empty, each once (SameFolderLine: "Jobs" and
// "jobs" are two folders), in the given order.
QStringList UniqueItems(const StringList& items);
// Empties the list, then adds each item that is not empty and not yet held
// (SameFolderLine), in one batch: in the given order, or in its own order
// when the list box sorts (listtools::AddListItems).
void FillListUnique(QListWidget* list, const StringList& items);
// The text without its last character (a character outside the BMP is one,
// though it takes two UTF-16 units).
QString WithoutLastCharacter(QString text);
// Number of items as decimal text.
QString CountText(const QListWidget* list);

// The hooks every page hands its runs: the main window's tab sheets.
RunHooks PageRunHooks(QWidget* page, MainWindowShared& shared);
// Run buttons whose own rule decides when they come back: off goes off,
// on asks the rule.
std::function<void(bool enabled)> RunButtonsHook(std::initializer_list<QWidget*> buttons, std::function<void()> rule);

// The entry of a destination history that is `path` (SameFolderLine), or -1.
int DestinationIndex(const QComboBox* combo, const QString& path);
// A chosen destination: a path the history does not hold (SameFolderLine)
// goes first, the other entries follow, each once, at most 100; a path it
// holds is only selected.
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

}  // namespace pagekit
