#include "pages/PageCommon.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QStringList>
#include <QComboBox>
#include <QSet>
#include <QStyledItemDelegate>
#include <algorithm>
#include <unordered_set>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"

void FillMainWindowTexts(MainWindowShared& s) {
    s.CreateSimulationStartText =
        "Simulation shows you the complete Folder Creation process \nwithout actually creating them on the "
        "hard drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult "
        "Folder/File lists - all without compromising existing Folder Structures.\n";
    s.CreateSimulationEndText =
        "End of Simulation !!!\n\nNo actual Folders were Created because of Simulation.\nThe purpose of the "
        "Simulation is to show the Complete Folder creation process\n without actually creating them on the "
        "hard drive.\n\nIf You want to Create Folders, use the Create Folders button.";
    s.RenameFoldersSimulationStartText =
        "Simulation shows you the complete Rename Folder process \nwithout actually Rename them on the hard "
        "drive.\n\n";
    s.RenameFoldersSimulationEndText =
        "End of Simulation !!!\n\nNo actual Folders were Renamed because of Simulation.\n\nThe purpose of the "
        "Simulation is to show the Complete Folder Renaming process\n without actually Renaming them on the "
        "hard drive.\n\nIf You want to Rename Folders, Use the Rename Folders button.";
    s.DeleteFoldersSimulationStartText =
        "Simulation shows you the complete Delete Folder/File process \nwithout actually Delete them on the "
        "hard drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult "
        "Folder lists - all without compromising existing Folder Structures.\n\n";
    s.DeleteFoldersSimulationEndText =
        "End of Simulation !!!\n\nNo actual Folders were Deleted because of Simulation (Test Mode).\n\nThe "
        "purpose of the Simulation is to show the Complete Folder Deleting process\n without actually deleting "
        "them on the hard drive.\n\nIf You want to Delete Folders/Files, Use the Delete Folders button.";
    s.CopyFoldersSimulationStartText =
        "Simulation shows you the complete Copy Folder Structure(s) process \nwithout actually Copy them on "
        "the hard drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult "
        "Folder lists - all without compromising existing Folder Structures.\n\n";
    s.CopyFoldersSimulationEndText =
        "End of Simulation !!!\n\nNo actual Folders/Files were copied because of Simulation (Test Mode).\n\n"
        "The purpose of the Simulation is to show the Complete Folder Copy process\n without actually Copy "
        "them on the hard drive.\n\nIf You want to Copy Folder Structures, Use the Copy Folders button.";
    s.CopyFilesSimulationStartText =
        "Simulation shows you the complete Copy Multiple Files process \nwithout actually Copy them on the "
        "hard drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult "
        "File lists - all without compromising existing Folder/File Structures.\n\n";
    s.CopyFilesSimulationEndText =
        "End of Simulation !!!\n\nNo actual Folders/Files were copied because of Simulation (Test Mode).\n\n"
        "The purpose of the Simulation is to show the Complete Multiple Files process\n without actually Copy "
        "them on the hard drive.\n\nIf You want to Copy Folder/File Structures, Use the Copy Files button.";
    s.RenameFilesSimulationStartText =
        "Simulation shows you the complete Rename Multiple Files process \nwithout actually Rename them on "
        "the hard drive.\n\n";
    s.RenameFilesSimulationEndText =
        "End of Simulation !!!\n\nNo actual Files were Renamed because of Simulation.\n\nThe purpose of the "
        "Simulation is to show the Complete Multiple Files Renaming process\n without actually Renaming them "
        "on the hard drive.\n\nIf You want to Rename Files, Use the Rename Files button.";
    s.DeleteFilesSimulationStartText =
        "Simulation shows you the complete Delete Folder/File process \nwithout actually Delete them on the "
        "hard drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult "
        "File lists - all without compromising existing Files.\n\n";
    s.DeleteFilesSimulationEndText =
        "End of Simulation !!!\n\nNo actual Files were Deleted because of Simulation (Test Mode).\n\nThe "
        "purpose of the Simulation is to show the Complete File Deleting process\n without actually deleting "
        "them on the hard drive.\n\nIf You want to Delete Files, Use the Delete Files button.";
    s.FileSelectionHintText = "You can Select File Names/Types by Clicking on the <Select Files> button.";
}

namespace pagekit {

namespace {

// Every row as wide as the extent: with uniform item sizes the view takes
// its scroll range from one row.
class ExtentDelegate : public QStyledItemDelegate {
public:
    ExtentDelegate(int pixels, QObject* parent) : QStyledItemDelegate(parent), pixels_(pixels) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), pixels_));
        return size;
    }

private:
    int pixels_;
};

}  // namespace

QWidget* Find(const QWidget* root, const char* name) { return root->findChild<QWidget*>(QString::fromUtf8(name)); }

void SetEnabled(const QWidget* root, std::initializer_list<const char*> names, bool flag) {
    for (const char* name : names)
        if (QWidget* w = Find(root, name)) w->setEnabled(flag);
}

bool IsOwnEnabled(const QWidget* control) { return !control->testAttribute(Qt::WA_ForceDisabled); }

bool IsEnabledAndChecked(const QAbstractButton* button) {
    return button && IsOwnEnabled(button) && button->isChecked();
}

void SetChecked(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked) return;
    if (checked || !button->autoExclusive()) {
        button->setChecked(checked);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void SetHorizontalExtent(QListWidget* list, int pixels) {
    list->setUniformItemSizes(true);
    list->setItemDelegate(new ExtentDelegate(pixels, list));
}

StringList ListItems(const QListWidget* list) {
    StringList items;
    const int n = list->count();
    for (int i = 0; i < n; ++i) items.push_back(list->item(i)->text().toStdString());
    return items;
}

QStringList UniqueItems(const StringList& items) {
    std::unordered_set<std::string> held;
    QStringList unique;
    for (const std::string& item : items)
        if (!item.empty() && held.insert(FolderLineKey(item)).second) unique.push_back(QString::fromStdString(item));
    return unique;
}

void FillListUnique(QListWidget* list, const StringList& items) { listtools::SetListLines(list, UniqueItems(items)); }

int DestinationIndex(const QComboBox* combo, const QString& path) {
    const std::string line = S(path);
    for (int i = 0; i < combo->count(); ++i)
        if (SameFolderLine(S(combo->itemText(i)), line)) return i;
    return -1;
}

QString WithoutLastCharacter(QString text) {
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text.at(text.size() - 2).isHighSurrogate();
    text.chop(pair ? 2 : 1);
    return text;
}

QString CountText(const QListWidget* list) { return QString::number(list->count()); }

RunHooks PageRunHooks(QWidget* page, MainWindowShared& shared) {
    RunHooks hooks;
    hooks.EnableOtherTabSheets = [page, &shared](bool enabled) { shared.EnableOtherTabSheets(page, enabled); };
    return hooks;
}

std::function<void(bool enabled)> RunButtonsHook(std::initializer_list<QWidget*> buttons, std::function<void()> rule) {
    return [list = std::vector<QWidget*>(buttons), rule = std::move(rule)](bool enabled) {
        if (enabled)
            rule();
        else
            for (QWidget* button : list) button->setEnabled(false);
    };
}

// ---- destination history and the export window ------------------------------------------------

// The history's entries are folders: "Jobs" and "jobs" are two of them.
void AddToDestinationHistory(QComboBox* combo, const QString& path) {
    int index = DestinationIndex(combo, path);
    if (index < 0) {
        QStringList entries{path};
        for (int i = 0; i < combo->count(); ++i)
            if (!combo->itemText(i).isEmpty()) entries.append(combo->itemText(i));
        combo->clear();
        std::unordered_set<std::string> seen;
        for (const QString& entry : entries) {
            if (combo->count() >= 100) break;
            if (seen.insert(FolderLineKey(S(entry))).second) combo->addItem(entry);
        }
        index = 0;
    }
    combo->setCurrentIndex(index);
}

void TidyDestinationHistory(QComboBox* combo) {
    const QString current = Q(TrimControlAndBlanks(S(combo->currentText())));
    QStringList work;
    for (int i = 0; i < combo->count(); ++i) {
        const QString entry = Q(TrimControlAndBlanks(S(combo->itemText(i))));
        if (entry.isEmpty()) continue;
        if (entry == current)
            work.prepend(entry);
        else
            work.append(entry);
    }
    combo->clear();
    for (const QString& entry : work) {
        const int equal = DestinationIndex(combo, entry);
        if (equal < 0) {
            combo->addItem(entry);
            combo->setCurrentIndex(0);
        } else {
            combo->setCurrentIndex(equal);
        }
    }
}

bool ExportThroughWindow(const StringList& lines, const std::function<bool(const std::string&)>& take,
                         const char* kind) {
    if (!frmFileExport) return false;
    frmFileExport->ClearExportView();
    frmFileExport->ClearExportLines();
    std::size_t count = 0;
    for (const auto& line : lines) {
        if (frmFileExport->PreviewContains(line) || (take && !take(line))) continue;
        frmFileExport->AddPreviewLine(line);
        frmFileExport->AddExportLine(line);
        frmFileExport->SetSourceCount(++count);
    }
    frmFileExport->SelectFirstPreviewLine();
    frmFileExport->SetListKind(kind);
    frmFileExport->ShowModal();
    return true;
}

}  // namespace pagekit
