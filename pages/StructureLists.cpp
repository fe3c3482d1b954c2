#include "pages/StructureLists.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QStringList>
#include <initializer_list>
#include <memory>

#include "core/ImportClass.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/PageCommon.h"
#include "platform/qt/QtPlatform.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmFolderTemplateOptions.h"

namespace pagekit {

// ---- the structure list -----------------------------------------------------------------------

namespace {

bool Checked(const QAbstractButton* button) { return button && button->isChecked(); }

void SetEnabled(std::initializer_list<QWidget*> controls, bool flag) {
    for (QWidget* w : controls)
        if (w) w->setEnabled(flag);
}

}  // namespace

void ConnectSourceRadio(QAbstractButton* radio, QObject* receiver, std::function<void()> chosen) {
    // Every click (mouse, keys, click()) presses the radio first.
    auto wasChecked = std::make_shared<bool>(false);
    QObject::connect(radio, &QAbstractButton::pressed, receiver,
                     [radio, wasChecked] { *wasChecked = radio->isChecked(); });
    QObject::connect(radio, &QAbstractButton::clicked, receiver, [wasChecked, chosen = std::move(chosen)] {
        if (!*wasChecked) chosen();
    });
}

StructureListHandlers::StructureListHandlers(QWidget* page, StructureListWidgets widgets, int templateIndex,
                                             StructureListMessages messages)
    : page_(page), w_(widgets), templateIndex_(templateIndex), messages_(std::move(messages)) {
    // The source radios share their box with the box of the attach radios.
    // Left auto-exclusive, each counts every radio below that box as a rival:
    // a checked attach radio let a click uncheck the checked source, leaving
    // none. A group of their own keeps exactly one of them checked.
    auto* sources = new QButtonGroup(page);
    for (QAbstractButton* b : {w_.AttachNothing, w_.RelativePaths, w_.FullPaths})
        if (b) sources->addButton(b);
}

bool StructureListHandlers::WithFilesChecked() const {
    return Checked(w_.MainFolderWithFiles) || Checked(w_.SubFoldersOnlyWithFiles);
}

int StructureListHandlers::Box(const PageMessage& message, unsigned flags, const std::string& text) const {
    return plat::MessageBox(text.empty() ? message.text : text, message.caption, flags);
}

void StructureListHandlers::ShowCount() {
    if (w_.Sum) w_.Sum->setText(CountText(w_.List));
}

void StructureListHandlers::AfterListChange() {
    if (RefreshAfterListChange)
        RefreshAfterListChange();
    else if (Refresh)
        Refresh(WithFilesChecked());
}

void StructureListHandlers::AddUnique(const StringList& lines) {
    QListWidget* list = w_.List;
    QSet<QString> held;
    // One line per entry: "Jobs" and "jobs" are two folders, "c:" is "C:".
    const auto key = [](const QString& text) { return Q(FolderLineKey(S(text))); };
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

void StructureListHandlers::ApplySource(StructureSource source) {
    const bool nothing = source == StructureSource::Nothing;
    const bool lines = source == StructureSource::TemplateLines;
    const bool folders = source == StructureSource::ExistingFolders;
    SetEnabled({w_.Options}, lines);
    SetEnabled({w_.MainFolderWithoutFiles, w_.SubFoldersOnlyWithoutFiles, w_.MainFolderWithFiles,
                w_.SubFoldersOnlyWithFiles},
               folders);
    SetEnabled({w_.Title, w_.SumCaption, w_.Sum, w_.List, w_.DeleteSelected, w_.DeleteAll}, !nothing);
    SetEnabled({w_.Add, w_.View}, folders);
    SetEnabled({w_.Import, w_.Export, w_.Edit}, lines);
    if (!folders || !w_.MainFolderWithoutFiles) return;
    for (const QAbstractButton* b : {w_.MainFolderWithoutFiles, w_.SubFoldersOnlyWithoutFiles, w_.MainFolderWithFiles,
                                     w_.SubFoldersOnlyWithFiles})
        if (Checked(b)) return;
    w_.MainFolderWithoutFiles->setChecked(true);
}

void StructureListHandlers::AttachNothingClick() {
    ApplySource(StructureSource::Nothing);
    SetEnabled({w_.NumbersAsSuffix}, false);
    w_.List->clear();
    if (NothingChosen) NothingChosen();
    ShowCount();
}

void StructureListHandlers::RelativePathsClick() {
    w_.List->clear();
    SetRelativePathsMode();
}

void StructureListHandlers::FullPathsClick() {
    w_.List->clear();
    SetFullPathsMode();
}

void StructureListHandlers::SetRelativePathsMode() {
    ApplySource(StructureSource::TemplateLines);
    SetEnabled({w_.NumbersAsSuffix}, true);
    ShowCount();
    if (Refresh) Refresh(false);
}

void StructureListHandlers::SetFullPathsMode() {
    ApplySource(StructureSource::ExistingFolders);
    SetEnabled({w_.NumbersAsSuffix}, false);
    ShowCount();
    if (Refresh) Refresh(false);
}

void StructureListHandlers::AttachOptionClick(bool withFiles) {
    ApplySource(StructureSource::ExistingFolders);
    SetEnabled({w_.NumbersAsSuffix}, false);
    if (Refresh) Refresh(withFiles);
    if (AttachChosen) AttachChosen(withFiles);
}

void StructureListHandlers::TemplateOptionsClick() {
    if (!frmFolderTemplateOptions) return;
    frmFolderTemplateOptions->SetTemplateIndex(templateIndex_);
    qtplat::ExecModal(frmFolderTemplateOptions);
    if (RefreshAfterOptions && Refresh) Refresh(WithFilesChecked());  // the options change what the lines give
}

void StructureListHandlers::ApplyMode() {
    if (IsEnabledAndChecked(w_.FullPaths))
        SetFullPathsMode();
    else if (IsEnabledAndChecked(w_.RelativePaths))
        SetRelativePathsMode();
}

// ---- the list ---------------------------------------------------------------------------------------

void StructureListHandlers::AddFolderStructureClick() {
    const FolderPick pick = BrowseForFolder(page_->window(), BrowseTitle);
    if (pick.refused) return;
    const std::string& path = pick.folder;
    const std::string trimmed = TrimControlAndBlanks(path);
    if (trimmed.size() == 3) {  // a drive root: the whole disk
        if ((!CheckDriveOfRoot || CheckDrive(path)) && Box(messages_.AskWholeDrive, kAsk) == plat::IDYES)
            AddStructure(path);
    } else if (trimmed.size() > 3 || (EmptyChoiceAdds && trimmed.empty())) {
        AddStructure(path);
    }
    ShowCount();
}

void StructureListHandlers::AddStructure(const std::string& path) {
    QListWidget* list = w_.List;
    if (TrimControlAndBlanks(path).empty()) {
        if (EnableRunButtons) EnableRunButtons(false);
        Box(messages_.EmptyPath, kWarn);
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
    const bool fullPaths = IsEnabledAndChecked(w_.FullPaths);
    const bool relativePaths = IsEnabledAndChecked(w_.RelativePaths);
    const int result = frmFileImport ? frmFileImport->ExecFor(w_.List) : QDialog::Rejected;
    // Taken: the window keeps nothing once the page has its lines.
    const StringList lines = frmFileImport ? frmFileImport->TakeResultLines() : StringList();
    std::string report;
    if (lines.empty()) {
        Box(messages_.ImportEmpty, kWarn);
    } else if (result == QDialog::Accepted) {
        if (fullPaths && CheckImportedPaths(lines, true, report)) {
            Box(messages_.ImportFullPaths, kWarn, report);
        } else if (!fullPaths && relativePaths && CheckImportedPaths(lines, false, report)) {
            Box(messages_.ImportTemplates, kWarn, report);
        } else {
            StringList normalised;
            for (const auto& line : lines) normalised.push_back(CollapseDoubleBackslashes(SlashesToBackslashes(line)));
            AddUnique(normalised);
        }
    }
    AfterListChange();
    ApplyMode();
    ShowCount();
    Box(messages_.ImportEnd, kWarn);
}

void StructureListHandlers::ExportClick() {
    if (w_.List->count() == 0) {
        Box(messages_.ExportEmpty, kWarn);
        return;
    }
    ExportThroughWindow(ListItems(w_.List), nullptr, "STRINGS");
    if (RefreshAfterExport) AfterListChange();
}

void StructureListHandlers::EditClick() {
    QListWidget* list = w_.List;
    if (frmFolderStructuresTemplates) {
        frmFolderStructuresTemplates->ClearMemo();
        frmFolderStructuresTemplates->SetMemoLines(ListItems(list));
        if (qtplat::ExecModal(frmFolderStructuresTemplates) == QDialog::Accepted) {
            StringList lines;
            for (const auto& line : frmFolderStructuresTemplates->GetMemoLines())
                if (!TrimControlAndBlanks(line).empty()) lines.push_back(TrimControlAndBlanks(line));
            const bool relative = Checked(w_.RelativePaths);
            const bool full = !relative && Checked(w_.FullPaths);
            std::string report;
            if (relative && CheckRelativePathList(lines, report)) {
                Box(messages_.EditTemplates, kWarn, report);
            } else if (full && CheckFullPathList(lines, report)) {
                Box(messages_.EditFullPaths, kWarn, report);
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

void StructureListHandlers::ViewSelectedClick() {
    QListWidget* list = w_.List;
    if (list->currentRow() < 0 || (ViewNeedsSelection && !list->currentItem()->isSelected())) {
        Box(messages_.ViewNoneSelected, kWarn);
        return;
    }
    // Only an existing folder is opened, by the desktop's file manager.
    ViewFolder(TrimControlAndBlanks(S(list->currentItem()->text())), ViewTopic);
}

void StructureListHandlers::DeleteSelectedClick() {
    QListWidget* list = w_.List;
    if (Box(messages_.AskDeleteSelected, kAsk) ==
        plat::IDYES) {
        for (int i = list->count() - 1; i >= 0; --i)
            if (list->item(i)->isSelected()) delete list->takeItem(i);
    }
    AfterListChange();
    ShowCount();
    if (UpdateRunButtons) UpdateRunButtons(true);
    if (w_.DeleteSelected) w_.DeleteSelected->setFocus();
}

void StructureListHandlers::DeleteAllClick() {
    QListWidget* list = w_.List;
    if (list->count() == 0) {
        Box(messages_.DeleteAllEmpty, kWarn);
    } else if (Box(messages_.AskDeleteAll, kAsk) ==
               plat::IDYES) {
        list->clear();
    }
    AfterListChange();
    ShowCount();
    if (w_.DeleteAll) w_.DeleteAll->setFocus();
}

}  // namespace pagekit
