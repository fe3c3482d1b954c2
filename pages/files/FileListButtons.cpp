#include "pages/files/FileListButtons.h"

#include <QDialog>
#include <QListWidget>
#include <deque>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/PageCommon.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "windows/IncludeListEditor.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmSubFolderListBuilder.h"
#include "pages/PageMessages.h"

using namespace pagekit;

namespace {


void Warn(const std::string& text, const std::string& caption) { plat::MessageBox(text, caption, kWarn); }

// Drops the selected items in one go.
void RemoveSelected(QListWidget* list) {
    QStringList keep;
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isSelected()) keep.append(list->item(i)->text());
    listtools::SetListLines(list, keep);
}

}  // namespace

bool HasDrivePart(const std::string& line) { return !GetDrivePart(TrimBlanks(line)).empty(); }

bool FileCheckNotDriveRoot(const std::string& line) {
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.size() > 3 && !IsDriveRootPath(trimmed)) return true;
    Warn("You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
         "Delete Multiple Files.-From a Folder List.            Warning no: 110037.");
    return false;
}

FileListButtons::FileListButtons(QWidget* page, QListWidget* include, QListWidget* exclude, FileListProfile profile,
                                 std::function<void()> refresh)
    : page_(page), include_(include), exclude_(exclude), p_(std::move(profile)), refresh_(std::move(refresh)) {}

// Lines with a drive part that the other list lacks go over; the moved
// lines leave their list whether they went over or not. A refused root
// ends the move with nothing removed.
void FileListButtons::Move(QListWidget* from, QListWidget* to, bool selectedOnly, bool rootCheck) {
    QStringList adding;
    for (int i = 0; i < from->count(); ++i) {
        if (selectedOnly && !from->item(i)->isSelected()) continue;
        const QString text = from->item(i)->text();
        if (!HasDrivePart(S(text)) || listtools::FindListItem(to, text) >= 0 || adding.contains(text, Qt::CaseInsensitive))
            continue;
        if (rootCheck && p_.CheckNotDriveRoot && !p_.CheckNotDriveRoot(S(text))) {
            listtools::AddListItems(to, adding);
            return;
        }
        adding.append(text);
    }
    listtools::AddListItems(to, adding);
    if (selectedOnly)
        RemoveSelected(from);
    else
        from->clear();
    refresh_();
}

void FileListButtons::IncToExc() { Move(include_, exclude_, true, false); }
void FileListButtons::ExcToInc() { Move(exclude_, include_, true, true); }
void FileListButtons::AllFromInc() { Move(include_, exclude_, false, false); }
void FileListButtons::AllFromExc() { Move(exclude_, include_, false, p_.RootCheckOnAllFromExclude); }

// The two lists change places, as the button's hint says.
void FileListButtons::ExchangeIncExc() {
    const StringList inc = listtools::ListLines(include_);
    listtools::SetListLines(include_, listtools::ListLines(exclude_));
    listtools::SetListLines(exclude_, inc);
    refresh_();
}

void FileListButtons::AddFolder() {
    const std::string chosen = TrimBlanks(BrowseForFolder(page_->window(), "Select the Folder."));
    if (chosen.empty()) {
        Warn("The selection field is empty !!!", p_.AddEmpty);
    } else if (p_.CheckNotDriveRoot && !p_.CheckNotDriveRoot(chosen)) {
        // refused with the page's message
    } else if (listtools::FindListItem(include_, Q(chosen)) >= 0) {
        Warn(p_.AddInIncludeText, p_.AddInInclude);
    } else if (listtools::FindListItem(exclude_, Q(chosen)) >= 0) {
        Warn(p_.AddInExcludeText, p_.AddInExclude);
    } else {
        listtools::AddListItem(include_, Q(chosen));
    }
    refresh_();
}

void FileListButtons::TakeLines(const std::string& emptyCaption, const std::string& endCaption, bool accepted,
                                const std::deque<std::string>& lines, bool needDrive) {
    if (lines.empty()) {
        Warn("Empty Result List in the File Import Window!\n", emptyCaption);
        return;
    }
    if (accepted) {
        bool stopped = false;
        listtools::AppendNewLines(include_, exclude_, lines, [&](std::string& line) {
            line = TrimBlanks(line);
            if (stopped || (p_.ImportNeedsMoreThanThree && line.size() <= 3)) return false;
            if (p_.ImportStopsAtRoot && p_.CheckNotDriveRoot && !p_.CheckNotDriveRoot(line)) {
                stopped = true;
                return false;
            }
            return !needDrive || HasDrivePart(line);
        });
    }
    refresh_();
    Warn("End of the Import Process !!!\n", endCaption);
}

void FileListButtons::SmartImport() {
    if (!frmFileImport) return;
    const bool ok = frmFileImport->ExecFor(include_) == QDialog::Accepted;
    TakeLines(p_.ImportEmpty, p_.ImportEnd, ok, frmFileImport->GetResultLines(), true);
}

void FileListButtons::SubFolderListBuilder() {
    if (!frmSubFolderListBuilder) return;
    const bool ok = qtplat::ExecModal(frmSubFolderListBuilder) == QDialog::Accepted;
    TakeLines(p_.BuilderEmpty, p_.BuilderEnd, ok, frmSubFolderListBuilder->GetIncludeFolderList(),
              p_.BuilderNeedsDrive);
}

void FileListButtons::EditIncludeList() {
    IncludeListEditor* editor = p_.Editor ? p_.Editor() : nullptr;
    if (editor && editor->EditIncludeList(include_, exclude_) == QDialog::Accepted) refresh_();
}

void FileListButtons::IncludeFolderListView() {
    QListWidgetItem* item = include_->currentItem();
    if (!item || !item->isSelected()) {
        Warn("There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
             p_.ViewNone);
        return;
    }
    ViewFolder(TrimBlanks(S(item->text())), p_.ViewTopic);
}

void FileListButtons::SmartExport() {
    if (include_->count() == 0) {
        Warn("The Include List is empty !\n", p_.ExportEmpty);
        return;
    }
    if (frmFileExport) {
        frmFileExport->ClearExportView();
        frmFileExport->ClearExportLines();
        std::size_t count = 0;
        for (const std::string& line : listtools::ListLines(include_)) {
            if (!HasDrivePart(line) || frmFileExport->PreviewContains(line)) continue;
            frmFileExport->AddPreviewLine(line);
            frmFileExport->AddExportLine(line);
            frmFileExport->SetSourceCount(++count);
        }
        frmFileExport->SelectFirstPreviewLine();
        frmFileExport->SetListKind("FOLDERS");
        frmFileExport->ShowModal();
    }
    refresh_();
}

void FileListButtons::ZoomIncludeWindow() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(include_->model());
}

void FileListButtons::DeleteFromExcludeList() {
    if (exclude_->count() == 0) {
        Warn("The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete "
             "it.\n",
             p_.DeleteSelectedEmpty);
    } else if (plat::MessageBox("Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can "
                                "delete ONLY from the EXCLUDE list.\n",
                                p_.DeleteSelectedAsk, kAsk) == plat::IDYES) {
        RemoveSelected(exclude_);
    }
    refresh_();
}

void FileListButtons::DeleteExcludeAll() {
    if (exclude_->count() == 0) {
        Warn("Empty List in the Exclude Window!\n", p_.DeleteAllEmpty);
    } else if (plat::MessageBox("Do you want to delete all item(s) from the Exclude list ?", p_.DeleteAllAsk, kAsk) ==
               plat::IDYES) {
        exclude_->clear();
    }
    refresh_();
}
