#include "pages/creation/CreationPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QStringList>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/PageCommon.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmFolderTemplateOptions.h"

namespace pagekit {

// ---- tab sheets and destination history -------------------------------------------------

void EnableOtherTabSheets(QWidget* page, const char* ownSheet, bool enabled) {
    static const char* const kSheets[] = {
        "tabFolderCreation", "tabCreateFolderStrings", "tabCreateFolderFolders", "tabCreateFolderIncreasedNumbers",
        "tabFolderOperations", "tabFolderCopy", "tabFolderDelete", "tabFolderRename", "tabFileOperations",
        "tabFileCopy", "tabFileDelete", "tabFileRename", "tabConsistencyChecker"};
    QWidget* top = page->window();
    if (top == page) return;  // a page on its own has no tab sheets
    for (const char* name : kSheets) {
        const std::string sheet = name;
        if (!enabled && (sheet == "tabFolderCreation" || sheet == ownSheet)) continue;
        if (auto* w = top->findChild<QWidget*>(name)) SetTabSheetEnabled(w, enabled);
    }
}

void AddToDestinationHistory(QComboBox* combo, const QString& path) {
    int index = -1;
    for (int i = 0; i < combo->count() && index < 0; ++i)
        if (listsearch::Key(combo->itemText(i)) == listsearch::Key(path)) index = i;
    if (index < 0) {
        QStringList entries{path};
        for (int i = 0; i < combo->count(); ++i)
            if (!combo->itemText(i).isEmpty()) entries.append(combo->itemText(i));
        combo->clear();
        QSet<QString> seen;
        for (const QString& entry : entries) {
            if (combo->count() >= 100) break;
            if (!seen.contains(listsearch::Key(entry))) {
                seen.insert(listsearch::Key(entry));
                combo->addItem(entry);
            }
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
        int equal = -1;
        for (int i = 0; i < combo->count() && equal < 0; ++i)
            if (combo->itemText(i).compare(entry, Qt::CaseInsensitive) == 0) equal = i;
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

// ---- the structure list -----------------------------------------------------------------------

StructureListHandlers::StructureListHandlers(QWidget* page, const char* pageName, int templateIndex,
                                             StructureListMessages messages)
    : page_(page), name_(QString::fromUtf8(pageName)), templateIndex_(templateIndex),
      messages_(std::move(messages)) {}

QWidget* StructureListHandlers::Control(const char* pattern) const {
    return page_->findChild<QWidget*>(QString::fromUtf8(pattern).arg(name_));
}

QListWidget* StructureListHandlers::List() const {
    return qobject_cast<QListWidget*>(Control("lst%1AddFolderStructure"));
}

bool StructureListHandlers::Checked(const char* pattern) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(pattern));
    return button && button->isChecked();
}

bool StructureListHandlers::EnabledAndChecked(const char* pattern) const {
    return IsEnabledAndChecked(qobject_cast<QAbstractButton*>(Control(pattern)));
}

bool StructureListHandlers::WithFilesChecked() const {
    return Checked("rdo%1AttachMainFolderWithFiles") || Checked("rdo%1AttachSubFoldersOnlyWithFiles");
}

int StructureListHandlers::Box(const PageMessage& message, unsigned flags, const std::string& text) const {
    return plat::MessageBox(text.empty() ? message.text : text, message.caption, flags);
}

void StructureListHandlers::ShowCount() {
    if (auto* label = qobject_cast<QLabel*>(Control("lbl%1FolderStructuresTemplatesSum")))
        label->setText(CountText(List()));
}

void StructureListHandlers::AfterListChange() {
    if (RefreshAfterListChange)
        RefreshAfterListChange();
    else if (Refresh)
        Refresh(WithFilesChecked());
}

void StructureListHandlers::AddUnique(const StringList& lines) {
    QListWidget* list = List();
    QSet<QString> held;
    auto key = [this](const QString& text) { return ExactDuplicates ? text : listsearch::Key(text); };
    for (int i = 0; i < list->count(); ++i) held.insert(key(list->item(i)->text()));
    QStringList add;
    for (const auto& line : lines) {
        const QString text = Q(line);
        if (TrimControlAndBlanks(line).empty() || held.contains(key(text))) continue;
        held.insert(key(text));
        add.append(text);
    }
    listtools::AddListItems(list, add);
}

// ---- source and attach options ----------------------------------------------------------------

void StructureListHandlers::AttachNothingClick() {
    ApplyStructureSource(page_, name_.toUtf8().constData(), StructureSource::Nothing);
    if (QWidget* numbers = Control("chk%1AddIncNumbersAsSuffix")) numbers->setEnabled(false);
    List()->clear();
    if (NothingChosen) NothingChosen();
    ShowCount();
}

void StructureListHandlers::RelativePathsClick() {
    List()->clear();
    SetRelativePathsMode();
}

void StructureListHandlers::FullPathsClick() {
    List()->clear();
    SetFullPathsMode();
}

void StructureListHandlers::SetRelativePathsMode() {
    ApplyStructureSource(page_, name_.toUtf8().constData(), StructureSource::TemplateLines);
    if (QWidget* numbers = Control("chk%1AddIncNumbersAsSuffix")) numbers->setEnabled(true);
    ShowCount();
    if (Refresh) Refresh(false);
}

void StructureListHandlers::SetFullPathsMode() {
    ApplyStructureSource(page_, name_.toUtf8().constData(), StructureSource::ExistingFolders);
    if (QWidget* numbers = Control("chk%1AddIncNumbersAsSuffix")) numbers->setEnabled(false);
    ShowCount();
    if (Refresh) Refresh(false);
}

void StructureListHandlers::AttachOptionClick(bool withFiles) {
    ApplyStructureSource(page_, name_.toUtf8().constData(), StructureSource::ExistingFolders);
    if (QWidget* numbers = Control("chk%1AddIncNumbersAsSuffix")) numbers->setEnabled(false);
    if (Refresh) Refresh(withFiles);
}

void StructureListHandlers::TemplateOptionsClick() {
    if (!frmFolderTemplateOptions) return;
    frmFolderTemplateOptions->SetTemplateIndex(templateIndex_);
    qtplat::ExecModal(frmFolderTemplateOptions);
}

void StructureListHandlers::ApplyMode() {
    if (EnabledAndChecked("rdo%1StructureImportFullPaths"))
        SetFullPathsMode();
    else if (EnabledAndChecked("rdo%1StructureImportRelativePaths"))
        SetRelativePathsMode();
}

// ---- the list ---------------------------------------------------------------------------------------

void StructureListHandlers::AddFolderStructureClick() {
    const std::string path = BrowseForFolder(page_->window(), "Select a Folder Structure.");
    const std::string trimmed = TrimControlAndBlanks(path);
    if (trimmed.size() == 3) {  // a drive root: the whole disk
        if (Box(messages_.AskWholeDrive, plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) == plat::IDYES)
            AddStructure(path);
    } else if (trimmed.size() > 3) {
        AddStructure(path);
    }
    ShowCount();
}

void StructureListHandlers::AddStructure(const std::string& path) {
    QListWidget* list = List();
    if (TrimControlAndBlanks(path).empty()) {
        if (EnableRunButtons) EnableRunButtons(false);
        Box(messages_.EmptyPath, plat::MB_OK | plat::MB_ICONWARNING);
        if (UpdateRunButtons) UpdateRunButtons(false);
    } else {
        AddUnique({path});
        if (Refresh) Refresh(WithFilesChecked());
        if (EnableRunButtons) EnableRunButtons(true);
    }
    ShowCount();
    list->setFocus();
}

void StructureListHandlers::ImportClick() {
    const bool fullPaths = EnabledAndChecked("rdo%1StructureImportFullPaths");
    const bool relativePaths = EnabledAndChecked("rdo%1StructureImportRelativePaths");
    const int result = frmFileImport ? frmFileImport->ExecFor(List()) : QDialog::Rejected;
    const StringList lines = frmFileImport ? frmFileImport->GetResultLines() : StringList();
    std::string report;
    if (lines.empty()) {
        Box(messages_.ImportEmpty, plat::MB_OK | plat::MB_ICONWARNING);
    } else if (result == QDialog::Accepted) {
        if (fullPaths && frmFileImport->CheckFullPaths(report)) {
            Box(messages_.ImportFullPaths, plat::MB_OK | plat::MB_ICONWARNING, report);
        } else if (!fullPaths && relativePaths && frmFileImport->CheckRelativePaths(report)) {
            Box(messages_.ImportTemplates, plat::MB_OK | plat::MB_ICONWARNING, report);
        } else {
            StringList normalised;
            for (const auto& line : lines) normalised.push_back(CollapseDoubleBackslashes(SlashesToBackslashes(line)));
            AddUnique(normalised);
        }
    }
    AfterListChange();
    ApplyMode();
    ShowCount();
    Box(messages_.ImportEnd, plat::MB_OK | plat::MB_ICONWARNING);
}

void StructureListHandlers::ExportClick() {
    if (List()->count() == 0) {
        Box(messages_.ExportEmpty, plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    ExportThroughWindow(ListItems(List()), nullptr, "STRINGS");
    AfterListChange();
}

void StructureListHandlers::EditClick() {
    QListWidget* list = List();
    if (frmFolderStructuresTemplates) {
        frmFolderStructuresTemplates->ClearMemo();
        frmFolderStructuresTemplates->SetMemoLines(ListItems(list));
        if (qtplat::ExecModal(frmFolderStructuresTemplates) == QDialog::Accepted) {
            StringList lines;
            for (const auto& line : frmFolderStructuresTemplates->GetMemoLines())
                if (!TrimControlAndBlanks(line).empty()) lines.push_back(TrimControlAndBlanks(line));
            const bool relative = Checked("rdo%1StructureImportRelativePaths");
            const bool full = !relative && Checked("rdo%1StructureImportFullPaths");
            std::string report;
            if (relative && CheckRelativePathList(lines, report)) {
                Box(messages_.EditTemplates, plat::MB_OK | plat::MB_ICONWARNING, report);
            } else if (full && CheckFullPathList(lines, report)) {
                Box(messages_.EditFullPaths, plat::MB_OK | plat::MB_ICONWARNING, report);
            } else {
                StringList kept;
                for (const auto& line : lines) {
                    const std::string normalised = CollapseDoubleBackslashes(SlashesToBackslashes(line));
                    const bool hasDrive = !GetDrivePart(normalised).empty();
                    if ((relative && !hasDrive) || (full && hasDrive)) kept.push_back(normalised);
                }
                list->clear();
                AddUnique(kept);
                AfterListChange();
            }
        }
        frmFolderStructuresTemplates->ClearMemo();
        frmFolderStructuresTemplates->hide();
    }
    ShowCount();
}

void StructureListHandlers::ViewSelectedClick(const std::string& topic) {
    QListWidget* list = List();
    if (list->currentRow() < 0) {
        Box(messages_.ViewNoneSelected, plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    // Only an existing folder is opened, by the desktop's file manager.
    ViewFolder(TrimControlAndBlanks(S(list->currentItem()->text())), topic);
}

void StructureListHandlers::DeleteSelectedClick() {
    QListWidget* list = List();
    if (Box(messages_.AskDeleteSelected, plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) ==
        plat::IDYES) {
        for (int i = list->count() - 1; i >= 0; --i)
            if (list->item(i)->isSelected()) delete list->takeItem(i);
    }
    AfterListChange();
    ShowCount();
    if (UpdateRunButtons) UpdateRunButtons(true);
    if (QWidget* button = Control("btn%1DeleteSelFolderStructuresTemplates")) button->setFocus();
}

void StructureListHandlers::DeleteAllClick() {
    QListWidget* list = List();
    if (list->count() == 0) {
        Box(messages_.DeleteAllEmpty, plat::MB_OK | plat::MB_ICONWARNING);
    } else if (Box(messages_.AskDeleteAll, plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) ==
               plat::IDYES) {
        list->clear();
    }
    AfterListChange();
    ShowCount();
    if (QWidget* button = Control("btn%1DeleteAllFolderStructuresTemplates")) button->setFocus();
}

}  // namespace pagekit
