#include "pages/IncludeExcludeLists.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <unordered_set>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/PageCommon.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "windows/IncludeListEditor.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"

namespace pagekit {

namespace {

// The dropped lines under the message's text: the first few, then "…".
std::string DroppedLinesText(const std::string& head, const StringList& dropped) {
    constexpr std::size_t kShown = 10;
    std::string text = head + " (total: " + std::to_string(dropped.size()) + ") :\n";
    for (std::size_t i = 0; i < dropped.size() && i < kShown; ++i) text += "\n" + dropped[i];
    if (dropped.size() > kShown) text += "\n\u2026";
    return text;
}

void RemoveSelected(QListWidget* list) {
    QStringList keep;
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isSelected()) keep.append(list->item(i)->text());
    listtools::SetListLines(list, keep);
}

}  // namespace

bool HasDrivePart(const std::string& line) { return !GetDrivePart(TrimBlanks(line)).empty(); }

IncludeExcludeLists::IncludeExcludeLists(QWidget* page, IncludeExcludeWidgets widgets, IncludeExcludeProfile profile)
    : page_(page), w_(widgets), p_(std::move(profile)) {
    if (!p_.Trim) p_.Trim = TrimControlAndBlanks;
}

// Two lines are one when they name one entry: "Jobs" and "jobs" are two
// folders, "c:" is "C:".
std::string IncludeExcludeLists::Key(const std::string& text) const { return FolderLineKey(text); }

std::string IncludeExcludeLists::Trimmed(const std::string& text) const { return p_.Trim(text); }

bool IncludeExcludeLists::Holds(const QListWidget* list, const std::string& text) const {
    return listtools::FindListLine(list, Q(text)) >= 0;
}

void IncludeExcludeLists::Refresh() const {
    if (p_.Refresh) p_.Refresh();
}

void IncludeExcludeLists::Focus(QWidget* focus) {
    if (focus) focus->setFocus();
}

// ---- adding -------------------------------------------------------------------------------

bool IncludeExcludeLists::AddPathsToIncludeList(const std::string& text, bool single, std::string& normalised,
                                               std::string& message) {
    StringList paths;
    if (!AddToIncludeListChecked(text, paths, message, normalised)) return false;
    bool result = true;
    for (const auto& raw : paths) {
        const std::string path = TrimBlanks(raw);
        std::string refusal;
        if (!ValidateFolderName(path, refusal, false)) {
        } else if (Holds(Include(), path)) {
            refusal = "This item already exists in the Include list !";
        } else if (Holds(Exclude(), path)) {
            refusal = "This item already exists in the Exclude list !";
        } else {
            listtools::AddListItem(Include(), Q(path));
            continue;
        }
        result = false;
        message = refusal;
        if (single) break;
    }
    return result;
}

void IncludeExcludeLists::AddToListClick(QWidget* focus) {
    QLineEdit* field = w_.AddField;
    const std::string text = TrimBlanks(S(field->text()));
    std::string message, normalised;
    if (text.empty()) {
        plat::MessageBox(p_.TextEmpty.text, p_.TextEmpty.caption, kWarn);
    } else if (!AnalyseColons(text, message)) {
        plat::MessageBox(message, p_.ColonsCaption, kWarn);
    } else if (!AddPathsToIncludeList(text, true, normalised, message)) {
        plat::MessageBox(message, p_.PathRefusedCaption, kWarn);
    } else {
        field->setText(Q(normalised));
    }
    Refresh();
    Focus(focus);
}

void IncludeExcludeLists::AddFolderClick() {
    const FolderPick pick = BrowseForFolder(page_->window(), "Select the Folder.");
    if (pick.refused) return;
    const std::string chosen = Trimmed(pick.folder);
    if (chosen.empty())
        plat::MessageBox(p_.SelectionEmpty.text, p_.SelectionEmpty.caption, kWarn);
    else if (p_.Refuses && p_.Refuses(chosen)) {
        // refused with the page's message
    } else if (Holds(Include(), chosen))
        plat::MessageBox(p_.InInclude.text, p_.InInclude.caption, kWarn);
    else if (Holds(Exclude(), chosen))
        plat::MessageBox(p_.InExclude.text, p_.InExclude.caption, kWarn);
    else
        listtools::AddListItem(Include(), Q(chosen));
    Refresh();
}

// ---- moves ---------------------------------------------------------------------------------

// The lines the other list lacks go over, each once; the moved lines leave
// their list whether they went over or not. A refused line ends the move
// with nothing removed.
void IncludeExcludeLists::Move(QListWidget* from, QListWidget* to, bool selectedOnly, bool rootCheck,
                               QWidget* focus) {
    std::unordered_set<std::string> held;
    held.reserve(static_cast<std::size_t>(to->count()));
    for (int i = 0; i < to->count(); ++i) held.insert(Key(S(to->item(i)->text())));
    QStringList adding;
    for (int i = 0; i < from->count(); ++i) {
        if (selectedOnly && !from->item(i)->isSelected()) continue;
        const QString text = from->item(i)->text();
        const std::string line = S(text);
        if ((p_.MoveTakes && !p_.MoveTakes(line)) || held.count(Key(line)) != 0) continue;
        if (!selectedOnly && to == Include() && p_.AllFromExcludeDrops && p_.AllFromExcludeDrops(line)) continue;
        if (rootCheck && p_.Refuses && p_.Refuses(line)) {
            listtools::AddListItems(to, adding);
            return;
        }
        held.insert(Key(line));
        adding.append(text);
    }
    listtools::AddListItems(to, adding);
    if (selectedOnly)
        RemoveSelected(from);
    else
        from->clear();
    Refresh();
    Focus(focus);
}

void IncludeExcludeLists::IncToExcClick(QWidget* focus) { Move(Include(), Exclude(), true, false, focus); }
void IncludeExcludeLists::ExcToIncClick(QWidget* focus) { Move(Exclude(), Include(), true, true, focus); }
void IncludeExcludeLists::AllFromIncClick(QWidget* focus) { Move(Include(), Exclude(), false, false, focus); }
void IncludeExcludeLists::AllFromExcClick(QWidget* focus) {
    Move(Exclude(), Include(), false, p_.RootCheckOnAllFromExclude, focus);
}

// The two lists change places, as the button's hint says.
void IncludeExcludeLists::ExchangeClick(QWidget* focus) {
    const StringList include = listtools::ListLines(Include());
    listtools::SetListLines(Include(), listtools::ListLines(Exclude()));
    listtools::SetListLines(Exclude(), include);
    Refresh();
    Focus(focus);
}

// ---- tools -----------------------------------------------------------------------------------

void IncludeExcludeLists::TakeLines(const StringList& lines, bool accepted, const PageMessage& empty,
                                    const PageMessage& end, bool needDrive) {
    if (lines.empty()) {
        if (!empty.caption.empty()) plat::MessageBox(empty.text, empty.caption, kWarn);
        if (p_.EmptyImportEnds) return;
    } else if (accepted) {
        std::unordered_set<std::string> held;
        for (const QListWidget* list : {Include(), Exclude()})
            for (int i = 0; i < list->count(); ++i) held.insert(Key(S(list->item(i)->text())));
        QStringList add;
        StringList dropped;
        std::string line;
        for (const std::string& raw : lines) {
            line = raw;
            if (p_.ImportTakes && !p_.ImportTakes(line)) continue;
            if (p_.ImportDrops && p_.ImportDrops(line)) {
                dropped.push_back(line);
                continue;
            }
            if (p_.ImportStopsAtRoot && p_.Refuses && p_.Refuses(line)) break;  // what came before stays
            if (needDrive && !HasDrivePart(line)) continue;
            if (held.insert(Key(line)).second) add.append(Q(line));
        }
        listtools::AddListItems(Include(), add);
        if (p_.ImportEmptiesWindow && frmFileImport) frmFileImport->ClearResultLines();
        if (!dropped.empty())
            plat::MessageBox(DroppedLinesText(p_.ImportDropped.text, dropped), p_.ImportDropped.caption, kWarn);
    }
    Refresh();
    plat::MessageBox(end.text, end.caption, kWarn);
}

void IncludeExcludeLists::ImportClick(QWidget* focus) {
    const int result = frmFileImport ? frmFileImport->ExecFor(Include()) : QDialog::Rejected;
    // Refused, the window keeps the lines for the next time it opens for this list.
    if (result == QDialog::Accepted && frmFileImport && !frmFileImport->PageCanTake()) return Focus(focus);
    // Taken: the window keeps nothing once the page has its lines.
    const StringList lines = frmFileImport ? frmFileImport->TakeResultLines() : StringList();
    if (p_.ImportEmptiesWindow && frmFileImport) frmFileImport->ClearSourceLines();
    TakeLines(lines, result == QDialog::Accepted, p_.ImportEmpty, p_.ImportEnd, p_.ImportNeedsDrive);
    Focus(focus);
}

void IncludeExcludeLists::SubFolderListBuilderClick() {
    const int result = frmSubFolderListBuilder ? qtplat::ExecModal(frmSubFolderListBuilder) : QDialog::Rejected;
    const StringList lines = frmSubFolderListBuilder ? frmSubFolderListBuilder->GetIncludeFolderList() : StringList();
    TakeLines(lines, result == QDialog::Accepted, p_.BuilderEmpty, p_.BuilderEnd, p_.BuilderNeedsDrive);
}

void IncludeExcludeLists::EditListClick(QWidget* focus) {
    IncludeListEditor* editor = p_.Editor ? p_.Editor() : nullptr;
    if (editor && editor->EditIncludeList(Include(), Exclude(), w_.IncludeSum, p_.EditRefuses) == QDialog::Accepted)
        Refresh();
    Focus(focus);
}

void IncludeExcludeLists::ViewClick() {
    QListWidgetItem* item = Include()->currentItem();
    if (!item || !item->isSelected()) {
        plat::MessageBox(p_.ViewNone.text, p_.ViewNone.caption, kWarn);
        return;
    }
    // Only an existing folder is opened, by the desktop's file manager.
    ViewFolder(Trimmed(S(item->text())), p_.ViewTopic);
}

void IncludeExcludeLists::ExportClick(QWidget* focus) {
    if (Include()->count() == 0) {
        plat::MessageBox(p_.ExportEmpty.text, p_.ExportEmpty.caption, kWarn);
    } else {
        ExportThroughWindow(listtools::ListLines(Include()), p_.ExportTakes, p_.ExportKind);
        if (p_.RefreshAfterExport) Refresh();
    }
    Focus(focus);
}

void IncludeExcludeLists::ZoomClick() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(Include()->model());
}

void IncludeExcludeLists::DeleteFromExcludeClick(QWidget* focus) {
    if (Exclude()->count() == 0)
        plat::MessageBox(p_.DeleteSelectedEmpty.text, p_.DeleteSelectedEmpty.caption, kWarn);
    else if (plat::MessageBox(p_.DeleteSelectedAsk.text, p_.DeleteSelectedAsk.caption, kAsk) == plat::IDYES)
        RemoveSelected(Exclude());
    Refresh();
    Focus(focus);
}

void IncludeExcludeLists::DeleteExcludeAllClick(QWidget* focus) {
    if (Exclude()->count() == 0)
        plat::MessageBox(p_.DeleteAllEmpty.text, p_.DeleteAllEmpty.caption, kWarn);
    else if (plat::MessageBox(p_.DeleteAllAsk.text, p_.DeleteAllAsk.caption, kAsk) == plat::IDYES)
        Exclude()->clear();
    Refresh();
    Focus(focus);
}

}  // namespace pagekit
