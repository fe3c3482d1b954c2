#include "pages/PageCommon.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QStackedWidget>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <algorithm>
#include <unordered_set>

#include "core/PathTools.h"
#include "windows/ListTools.h"

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
        if (!item.empty() && held.insert(ToLowerCase(item)).second) unique.push_back(QString::fromStdString(item));
    return unique;
}

void FillListUnique(QListWidget* list, const StringList& items) { listtools::SetListLines(list, UniqueItems(items)); }

QString WithoutLastCharacter(QString text) {
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text.at(text.size() - 2).isHighSurrogate();
    text.chop(pair ? 2 : 1);
    return text;
}

QString CountText(const QListWidget* list) { return QString::number(list->count()); }

void SetTabSheetEnabled(QWidget* sheet, bool enabled) {
    auto* stack = qobject_cast<QStackedWidget*>(sheet->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs)
        tabs->setTabEnabled(tabs->indexOf(sheet), enabled);
    else
        sheet->setEnabled(enabled);
}

void ApplyStructureSource(const QWidget* root, const char* page, StructureSource source) {
    const QString p = QString::fromUtf8(page);
    auto set = [&](std::initializer_list<const char*> names, bool flag) {
        for (const char* name : names)
            if (auto* w = root->findChild<QWidget*>(QString::fromUtf8(name).arg(p))) w->setEnabled(flag);
    };
    const bool nothing = source == StructureSource::Nothing;
    const bool lines = source == StructureSource::TemplateLines;
    const bool folders = source == StructureSource::ExistingFolders;
    set({"btn%1FolderTemplatesOptions"}, lines);
    set({"rdo%1AttachMainFolderWithoutFiles", "rdo%1AttachSubFoldersOnlyWithoutFiles",
         "rdo%1AttachMainFolderWithFiles", "rdo%1AttachSubFoldersOnlyWithFiles"},
        folders);
    set({"lbl%1FolderStructuresTemplates", "lbl%1FolderStructuresTemplatesSumCimke",
         "lbl%1FolderStructuresTemplatesSum", "lst%1AddFolderStructure", "btn%1DeleteSelFolderStructuresTemplates",
         "btn%1DeleteAllFolderStructuresTemplates"},
        !nothing);
    set({"btn%1AddFolderStructure", "btn%1ViewFolderStructure"}, folders);
    set({"btn%1ImportFolderStructuresTemplates", "btn%1ExportFolderStructuresTemplates",
         "btn%1EditFolderStructuresTemplates"},
        lines);
    if (!folders) return;
    const char* modes[] = {"rdo%1AttachMainFolderWithoutFiles", "rdo%1AttachSubFoldersOnlyWithoutFiles",
                           "rdo%1AttachMainFolderWithFiles", "rdo%1AttachSubFoldersOnlyWithFiles"};
    for (const char* name : modes)
        if (auto* b = root->findChild<QAbstractButton*>(QString::fromUtf8(name).arg(p)); b && b->isChecked()) return;
    if (auto* b = root->findChild<QAbstractButton*>(QString::fromUtf8(modes[0]).arg(p))) b->setChecked(true);
}

}  // namespace pagekit
