// What the operation pages share: the main window's fixed texts and the
// small control helpers every page uses.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>

#include "core/Types.h"

class QAbstractButton;
class QListWidget;
class QWidget;

// Fixed texts of the main window, filled once by its creation handler and
// read by the pages' simulations and file-selection hints.
struct MainWindowShared {
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
// The items that are not empty, each once (compared ignoring letter case),
// in the given order.
QStringList UniqueItems(const StringList& items);
// Empties the list, then adds each item that is not empty and not yet held
// (compared ignoring letter case), in one batch: in the given order, or in
// its own order when the list box sorts (listtools::AddListItems).
void FillListUnique(QListWidget* list, const StringList& items);
// The text without its last character (a character outside the BMP is one,
// though it takes two UTF-16 units).
QString WithoutLastCharacter(QString text);
// Number of items as decimal text.
QString CountText(const QListWidget* list);

// Enables or disables a tab sheet of the main window's page frames.
void SetTabSheetEnabled(QWidget* sheet, bool enabled);

// The structure controls of a page ("Vol02": lstVol02AddFolderStructure,
// its labels, its seven buttons, the Options button and the four attach
// radios) as the chosen source wants them. Existing folders check
// "Main Folders ... Without Files." when no attach radio is checked.
enum class StructureSource { Nothing, TemplateLines, ExistingFolders };
void ApplyStructureSource(const QWidget* root, const char* page, StructureSource source);

}  // namespace pagekit
