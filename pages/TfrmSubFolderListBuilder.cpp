#include "pages/TfrmSubFolderListBuilder.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QHeaderView>
#include <QToolButton>
#include <QItemSelectionModel>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "core/FolderStructSize.h"
#include "core/LevelCopy.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/WalksOnPool.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/qt/HistoryField.h"
#include "platform/qt/QtPlatform.h"
#include "results/LevelSummary.h"
#include "results/SharedExportWindow.h"
#include "ui_TfrmSubFolderListBuilder.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmNoltEditIncludeFolderList.h"

TfrmSubFolderListBuilder* frmSubFolderListBuilder = nullptr;

namespace {

const std::string kCaption = "SubTierwick.            Warning no: ";
const std::string kSelectionEmpty = "The selection field is empty !\nAction : You must select a destination folder.";
const std::string kNoFocusedLine =
    "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure.";
// Highest value of the level arrows; deeper trees take typed numbers.
constexpr int kLevelMaximum = 999;

void Warn(const std::string& text, const std::string& number) {
    plat::MessageBox(text, kCaption + number, plat::MB_OK | plat::MB_ICONWARNING);
}

bool Ask(const std::string& text, const std::string& number) {
    return plat::MessageBox(text, kCaption + number, plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) ==
           plat::IDYES;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A whole number as the program's string-to-integer conversion reads it:
// leading blanks, a sign, decimal digits, within the 32-bit range.
bool ReadWholeNumber(const std::string& text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 1LL + INT_MAX) return false;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

// A level field that holds no whole number stops the build with the
// conversion's own message.
bool ReadLevelField(const QLineEdit* edit, int& value) {
    const std::string text = edit->text().toStdString();
    if (ReadWholeNumber(text, value)) return true;
    plat::MessageBox("'" + text + "' is not a valid integer value", GetProgramTitle(),
                     plat::MB_OK | plat::MB_ICONERROR);
    return false;
}

// A path that enters a list here passes the checks of a typed full path.
// `normalised` gets it with slashes and doubled backslashes made one.
bool AcceptedAsTypedPath(const std::string& line, std::string& normalised) {
    StringList one;
    NormalizePath(line, one);
    normalised = TrimControlAndBlanks(one.front());
    std::string report;
    return !normalised.empty() && !CheckFullPathList({normalised}, report);
}

// Which rows are selected, read once from the selection's ranges (asking
// each row would cost a search of every range per row).
std::vector<char> SelectedRows(const QListWidget* list) {
    std::vector<char> selected(static_cast<std::size_t>(list->count()), 0);
    for (const QItemSelectionRange& range : list->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (row >= 0 && row < list->count()) selected[static_cast<std::size_t>(row)] = 1;
    return selected;
}

void ShowRefusedPaths(const StringList& refused) {
    std::string report;
    CheckFullPathList(refused, report);
    Warn(report, "0588.");
}

// Subfolders the build met that no line can name: the first few by their
// paths, as the refusal report names its lines.
void ShowUnsayable(const StringList& folders) {
    std::string text = "These subfolders could not be listed (total: " + std::to_string(folders.size()) +
                       ") \nNo line can name them: a backslash or a colon in the name, dots only, or a blank at "
                       "its end, which the lists trim.\n\n";
    for (std::size_t i = 0; i < folders.size() && i < 3; ++i) text += folders[i] + "\n";
    if (folders.size() > 3) text += std::to_string(folders.size() - 3) + "  more left\n";
    Warn(text + "\nAction : Rename them, and build the list again.", "0589.");
}

// The level summary of a folder's tree, read on the run pool as the pages
// count theirs (the window paints, no input gets in, a close waits); none
// when the read failed.
std::optional<FolderStructSize> SummaryOf(const std::string& folder, RunDisk* disk) {
    std::optional<FolderStructSize> size;
    ReadAside({folder}, [&](std::size_t) {
        FolderStructSize walked(folder);
        walked.SetCountRoot(false);
        walked.SetDisk(disk);
        walked.Examine();
        size = std::move(walked);
    });
    return size;
}

}  // namespace

TfrmSubFolderListBuilder::TfrmSubFolderListBuilder(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmSubFolderListBuilder>()) {
    ui->setupUi(this);
    connect(ui->btnHelp, &QPushButton::clicked, this, &ShowMoreHelp);
    listtools::ShowCountOf(ui->lstIncludeFolderList, ui->lblIncludeSum);
    listtools::ShowCountOf(ui->lstExcludeFolderList, ui->lblExcludeSum);
    connect(ui->btnMainSourceFolderAdd, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnMainSourceFolderAddClick);
    connect(ui->cboMainSourceFolder, &QComboBox::activated, this, &TfrmSubFolderListBuilder::cboMainSourceFolderSelect);
    connect(ui->btnMainSourceFolderView, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnMainSourceFolderViewClick);
    connect(ui->rdoFromToLevelNumber, &QRadioButton::clicked, this, &TfrmSubFolderListBuilder::rdoFromToLevelNumberClick);
    connect(ui->rdoAboveLevelNumber, &QRadioButton::clicked, this, &TfrmSubFolderListBuilder::rdoAboveLevelNumberClick);
    connect(ui->rdoBelowLevelNumber, &QRadioButton::clicked, this, &TfrmSubFolderListBuilder::rdoBelowLevelNumberClick);
    connect(ui->btnBuildList, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnBuildListClick);
    connect(ui->btnFromIncToExc, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnFromIncToExcClick);
    connect(ui->btnFromExcToInc, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnFromExcToIncClick);
    connect(ui->btnAllFromIncToExc, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnAllFromIncToExcClick);
    connect(ui->btnAllFromExcToInc, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnAllFromExcToIncClick);
    connect(ui->btnExchangeIncToExc, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnExchangeIncToExcClick);
    connect(ui->btnEditIncludeList, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnEditIncludeListClick);
    connect(ui->btnIncludeFolderListView, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnIncludeFolderListViewClick);
    connect(ui->btnSubFolderListBuilderLevels, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnSubFolderListBuilderLevelsClick);
    connect(ui->btnSmartExport, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnSmartExportClick);
    connect(ui->btnDeleteFromExcludeList, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnDeleteFromExcludeListClick);
    connect(ui->btnDeleteExcludedAll, &QPushButton::clicked, this,
            &TfrmSubFolderListBuilder::btnDeleteExcludedAllClick);
    connect(ui->btnBuilderClearAll, &QPushButton::clicked, this, &TfrmSubFolderListBuilder::btnBuilderClearAllClick);
    connect(ui->btnBuilderImport, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnBuilderCancel, &QPushButton::clicked, this, &QDialog::reject);
    ConnectUpDown("udFromLevelNumber", ui->edtFromLevelNumber, 1, true);
    ConnectUpDown("udToLevelNumber", ui->edtToLevelNumber, 1, true);
    ConnectUpDown("udAboveLevelNumber", ui->edtAboveLevelNumber, 1, false);
    ConnectUpDown("udBelowLevelNumber", ui->edtBelowLevelNumber, 0, false);
    ui->edtFromLevelNumber->installEventFilter(this);
    ui->edtToLevelNumber->installEventFilter(this);
    // Enter in the source field reads the typed folder; it must not reach
    // the default Import button, which would close the window.
    // The keys reach the combo box, which hands them to its field directly.
    ui->cboMainSourceFolder->setInsertPolicy(QComboBox::NoInsert);
    ui->cboMainSourceFolder->installEventFilter(this);
    ui->cboMainSourceFolder->lineEdit()->installEventFilter(this);
    // The history is offered in a list under the field, never written into
    // it: Enter reads what was typed.
    qtplat::OfferHistoryAsList(ui->cboMainSourceFolder, qtplat::HistoryList::DropDownAndPopup);
    // While the list is up, the keys go to it first (ahead of the
    // completer's own filter, installed as the list was made).
    ui->cboMainSourceFolder->completer()->popup()->installEventFilter(this);
    // At least the designed widths, wider where the captions need it.
    ui->lstViewLevelSumFolder->setColumnWidth(0, std::max(80, ui->lstViewLevelSumFolder->header()->sectionSizeHint(0)));
    ui->lstViewLevelSumFolder->setColumnWidth(1, std::max(120, ui->lstViewLevelSumFolder->header()->sectionSizeHint(1)));
    FormCreate();
}

TfrmSubFolderListBuilder::~TfrmSubFolderListBuilder() = default;

StringList TfrmSubFolderListBuilder::GetIncludeFolderList() const {
    return listtools::ListLines(ui->lstIncludeFolderList);
}

void TfrmSubFolderListBuilder::FormCreate() {
    ui->lstIncludeFolderList->clear();
    ui->lstExcludeFolderList->clear();
    ShowCounts();
    ui->lblMainLevelSumFiles->setText("0");
    ui->lblMainLevelSumSubFolder->setText("0");
    ui->lblMainLevelSumFileSize->setText("0 bytes.");
}

void TfrmSubFolderListBuilder::ShowCounts() {
    ui->lblIncludeSum->setText(QString::number(ui->lstIncludeFolderList->count()));
    ui->lblExcludeSum->setText(QString::number(ui->lstExcludeFolderList->count()));
}

// Leaving the From or To field for another control of this window; Enter
// in the source field.
bool TfrmSubFolderListBuilder::eventFilter(QObject* watched, QEvent* event) {
    QAbstractItemView* offered = ui->cboMainSourceFolder->completer()->popup();
    if (event->type() == QEvent::KeyPress &&
        (watched == ui->cboMainSourceFolder || watched == ui->cboMainSourceFolder->lineEdit() || watched == offered)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            offered->hide();
            SetSourceFolder(ui->cboMainSourceFolder->lineEdit()->text().toStdString());
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut &&
        (watched == ui->edtFromLevelNumber || watched == ui->edtToLevelNumber)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == ui->edtFromLevelNumber) edtFromLevelNumberExit();
            else edtToLevelNumberExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The arrows beside a level field step its number; From and To wrap
// around at their ends.
void TfrmSubFolderListBuilder::ConnectUpDown(const char* name, QLineEdit* edit, int minimum, bool wraps) {
    const QString base = QString::fromLatin1(name);
    auto step = [edit, minimum, wraps](int delta) {
        int value = minimum;
        if (!ReadWholeNumber(edit->text().toStdString(), value) || value < minimum || value > kLevelMaximum)
            value = minimum;
        value += delta;
        if (value > kLevelMaximum) value = wraps ? minimum : kLevelMaximum;
        if (value < minimum) value = wraps ? kLevelMaximum : minimum;
        edit->setText(QString::number(value));
    };
    if (auto* up = findChild<QToolButton*>(base + "Up")) connect(up, &QToolButton::clicked, this, [step] { step(1); });
    if (auto* down = findChild<QToolButton*>(base + "Down"))
        connect(down, &QToolButton::clicked, this, [step] { step(-1); });
}

// ---- source folder ------------------------------------------------------------

void TfrmSubFolderListBuilder::btnMainSourceFolderAddClick() {
    const FolderPick pick = BrowseForFolder(this);
    if (!pick.refused) SetSourceFolder(pick.folder);
}

void TfrmSubFolderListBuilder::cboMainSourceFolderSelect(int index) {
    if (index >= 0) SetSourceFolder(ui->cboMainSourceFolder->itemText(index).toStdString());
}

void TfrmSubFolderListBuilder::SetSourceFolder(const std::string& path) {
    const std::string source = TrimBlanks(path);
    if (source.empty()) {
        Warn(kSelectionEmpty, "0572.");
        return;
    }
    const std::optional<FolderStructSize> size = SummaryOf(source, disk_);
    if (!size) return;
    ShowLevelSummary3(*size, this);
    summarisedSource = source;

    // The history entry of this very text: one in another letter case is
    // another folder.
    QComboBox* combo = ui->cboMainSourceFolder;
    int index = combo->findText(Q(path), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        combo->addItem(Q(path));
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    combo->setEditText(combo->itemText(index));
}

void TfrmSubFolderListBuilder::btnMainSourceFolderViewClick() {
    const std::string source = TrimControlAndBlanks(ui->cboMainSourceFolder->currentText().toStdString());
    if (source.empty()) {
        Warn(kSelectionEmpty, "0573.");
        return;
    }
    ViewFolder(source, "SubTierwick.");
}

// ---- level fields -----------------------------------------------------------------

void TfrmSubFolderListBuilder::rdoFromToLevelNumberClick() { SetLevelRule(ui->rdoFromToLevelNumber); }
void TfrmSubFolderListBuilder::rdoAboveLevelNumberClick() { SetLevelRule(ui->rdoAboveLevelNumber); }
void TfrmSubFolderListBuilder::rdoBelowLevelNumberClick() { SetLevelRule(ui->rdoBelowLevelNumber); }

void TfrmSubFolderListBuilder::SetLevelRule(QRadioButton* chosen) {
    chosen->setChecked(true);
    for (QLineEdit* edit : {ui->edtFromLevelNumber, ui->edtToLevelNumber, ui->edtAboveLevelNumber,
                            ui->edtBelowLevelNumber})
        edit->setText("1");
    const bool fromTo = chosen == ui->rdoFromToLevelNumber;
    const bool above = chosen == ui->rdoAboveLevelNumber;
    const bool below = chosen == ui->rdoBelowLevelNumber;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->edtFromLevelNumber, ui->udFromLevelNumber, ui->lblFromTo,
                                                      ui->edtToLevelNumber, ui->udToLevelNumber})
        w->setEnabled(fromTo);
    ui->edtAboveLevelNumber->setEnabled(above);
    ui->udAboveLevelNumber->setEnabled(above);
    ui->edtBelowLevelNumber->setEnabled(below);
    ui->udBelowLevelNumber->setEnabled(below);
}

void TfrmSubFolderListBuilder::edtFromLevelNumberExit() { LevelFieldExit(true); }
void TfrmSubFolderListBuilder::edtToLevelNumberExit() { LevelFieldExit(false); }

// From greater than To is left for Build to refuse.
void TfrmSubFolderListBuilder::LevelFieldExit(bool leavingFrom) {
    if (repairingLevels) return;
    repairingLevels = true;
    int from = 1, to = 0;
    if (!ReadWholeNumber(ui->edtFromLevelNumber->text().toStdString(), from)) {
        from = 1;
        ui->edtFromLevelNumber->setText("1");
        (leavingFrom ? ui->edtToLevelNumber : ui->edtFromLevelNumber)->setFocus();
    }
    if (!ReadWholeNumber(ui->edtToLevelNumber->text().toStdString(), to)) {
        ui->edtToLevelNumber->setText(QString::number(from));
        ui->edtToLevelNumber->setFocus();
    }
    repairingLevels = false;
}

// ---- build ---------------------------------------------------------------------------

void TfrmSubFolderListBuilder::btnBuildListClick() {
    const std::string source = TrimControlAndBlanks(ui->cboMainSourceFolder->currentText().toStdString());
    const std::string filter = ToLowerCase(TrimControlAndBlanks(ui->edtSubFolderFilter->text().toStdString()));
    std::string checked;
    if (source.empty()) {
        Warn(kSelectionEmpty, "0579.");
    } else if (!AcceptedAsTypedPath(source, checked)) {
        ShowRefusedPaths({source});
    } else {
        // A typed source, never read: the window shows its tree as after Browse.
        if (source != summarisedSource) SetSourceFolder(source);
        if (!BuildFrom(checked, filter)) return;  // stopped by a level field or a failed walk: no closing box
    }
    Warn("End of Subfolder List Building !", "0587.");
}

bool TfrmSubFolderListBuilder::BuildFrom(const std::string& source, const std::string& filter) {
    if (Ask("Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
            "content,\nClick NO to leave it.",
            "0580.")) {
        ui->lstIncludeFolderList->clear();
        ui->lblIncludeSum->setText("0");
    }

    LevelCopy lister({source});
    if (ui->rdoFromToLevelNumber->isChecked()) {
        int from = 0, to = 0;
        if (!ReadLevelField(ui->edtFromLevelNumber, from) || !ReadLevelField(ui->edtToLevelNumber, to)) return false;
        if (from > to) {
            Warn("The Start Number is greater then the End one!\nAction : You must enter a Start number that is "
                 "smaller than the End one.",
                 "0581.");
            return false;
        }
        lister.SetLevelRange(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to));
    } else if (ui->rdoAboveLevelNumber->isChecked()) {
        int above = 0;
        if (!ReadLevelField(ui->edtAboveLevelNumber, above)) return false;
        lister.SetAboveLevel(static_cast<std::uint32_t>(above));
    } else if (ui->rdoBelowLevelNumber->isChecked()) {
        int below = 0;
        if (!ReadLevelField(ui->edtBelowLevelNumber, below)) return false;
        lister.SetBelowLevel(static_cast<std::uint32_t>(below));
    }
    if (ui->rdoBuildLastSubFolder->isChecked()) lister.SetVariant(1);
    else if (ui->rdoBuildAllSubFolders->isChecked()) lister.SetVariant(2);
    lister.SetFilter(filter);
    lister.SetDisk(disk_);
    if (!ReadAside({source}, [&](std::size_t) { lister.Execute(); })) return false;
    const StringList lines = lister.GetResult();

    StringList unlisted = lister.GetUnsayable();
    if (lines.empty()) {
        Warn("There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder "
             "level, or a filter.",
             "0582.");
    } else {
        AppendBuiltLines(lines, unlisted);
    }
    if (!unlisted.empty()) ShowUnsayable(unlisted);
    return true;
}

// Lines already in either list are skipped; lines that a typed path could
// not be are reported together at the end. A folder whose name ends in a
// blank goes to `unlisted`: trimmed as a line, it would name its twin.
void TfrmSubFolderListBuilder::AppendBuiltLines(const StringList& lines, StringList& unlisted) {
    QListWidget* include = ui->lstIncludeFolderList;
    QSet<QString> present = listsearch::LineKeysOf(include);
    present.unite(listsearch::LineKeysOf(ui->lstExcludeFolderList));
    QStringList pending;
    StringList refused;
    listtools::PaintThrottle throttle;
    auto flush = [&] {
        include->addItems(pending);
        pending.clear();
        ui->lblIncludeSum->setText(QString::number(include->count()));
    };
    for (const auto& line : lines) {
        if (TrimControlAndBlanks(line).empty()) continue;
        if (TrimControlAndBlanks(line) != line) {
            unlisted.push_back(line);
            continue;
        }
        std::string path;
        if (!AcceptedAsTypedPath(line, path)) {
            refused.push_back(line);
            continue;
        }
        const QString text = Q(path);
        const QString key = listsearch::LineKey(text);
        if (present.contains(key)) continue;
        present.insert(key);
        pending << text;
        if (pending.size() >= 256) {
            flush();
            throttle.Tick();
        }
    }
    flush();
    if (!refused.empty()) ShowRefusedPaths(refused);
}

// ---- the two lists ---------------------------------------------------------------------

// The chosen lines (every line with `all`) go to the end of `to` unless it
// holds them already; all of them leave `from`.
void TfrmSubFolderListBuilder::MoveLines(QListWidget* from, QListWidget* to, bool all) {
    QSet<QString> present = listsearch::LineKeysOf(to);
    const std::vector<char> selected = SelectedRows(from);
    QStringList moved, kept;
    for (int i = 0; i < from->count(); ++i) {
        const QListWidgetItem* item = from->item(i);
        if (!all && !selected[static_cast<std::size_t>(i)]) {
            kept << item->text();
            continue;
        }
        const QString key = listsearch::LineKey(item->text());
        if (present.contains(key)) continue;
        present.insert(key);
        moved << item->text();
    }
    to->addItems(moved);
    from->setUpdatesEnabled(false);
    from->clear();
    from->addItems(kept);
    from->setUpdatesEnabled(true);
    ShowCounts();
    qtplat::ProcessPendingPaints();
}

void TfrmSubFolderListBuilder::btnFromIncToExcClick() {
    MoveLines(ui->lstIncludeFolderList, ui->lstExcludeFolderList, false);
}
void TfrmSubFolderListBuilder::btnFromExcToIncClick() {
    MoveLines(ui->lstExcludeFolderList, ui->lstIncludeFolderList, false);
}
void TfrmSubFolderListBuilder::btnAllFromIncToExcClick() {
    MoveLines(ui->lstIncludeFolderList, ui->lstExcludeFolderList, true);
}
void TfrmSubFolderListBuilder::btnAllFromExcToIncClick() {
    MoveLines(ui->lstExcludeFolderList, ui->lstIncludeFolderList, true);
}

void TfrmSubFolderListBuilder::btnExchangeIncToExcClick() {
    const StringList aside = listtools::ListLines(ui->lstIncludeFolderList);
    ui->lstIncludeFolderList->clear();
    ShowCounts();
    MoveLines(ui->lstExcludeFolderList, ui->lstIncludeFolderList, true);
    QSet<QString> present;
    QStringList back;
    for (const auto& line : aside) {
        const QString text = Q(line);
        if (present.contains(listsearch::LineKey(text))) continue;
        present.insert(listsearch::LineKey(text));
        back << text;
    }
    ui->lstExcludeFolderList->addItems(back);
    ShowCounts();
}

void TfrmSubFolderListBuilder::btnDeleteFromExcludeListClick() {
    QListWidget* exclude = ui->lstExcludeFolderList;
    if (exclude->count() == 0) {
        Warn("The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete "
             "it.\n",
             "0576.");
        return;
    }
    if (!Ask("Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the "
             "EXCLUDE list.\n",
             "0575."))
        return;
    const std::vector<char> selected = SelectedRows(exclude);
    QStringList kept;
    for (int i = 0; i < exclude->count(); ++i)
        if (!selected[static_cast<std::size_t>(i)]) kept << exclude->item(i)->text();
    exclude->setUpdatesEnabled(false);
    exclude->clear();
    exclude->addItems(kept);
    exclude->setUpdatesEnabled(true);
    ShowCounts();
}

void TfrmSubFolderListBuilder::btnDeleteExcludedAllClick() {
    if (ui->lstExcludeFolderList->count() == 0) {
        Warn("Empty List in the Exclude Window!\n", "0577.");
        return;
    }
    if (Ask("Do you want to delete all item(s) from the Exclude list ?", "0578.")) {
        ui->lstExcludeFolderList->clear();
        ui->lblExcludeSum->setText("0");
    }
    ui->btnDeleteExcludedAll->setFocus();
}

void TfrmSubFolderListBuilder::btnEditIncludeListClick() {
    if (!frmNoltEditIncludeFolderList) return;
    frmNoltEditIncludeFolderList->EditIncludeList(ui->lstIncludeFolderList, ui->lstExcludeFolderList,
                                                  ui->lblIncludeSum);
}

bool TfrmSubFolderListBuilder::FocusedIncludeLine(std::string& line) {
    const QListWidgetItem* item = ui->lstIncludeFolderList->currentItem();
    if (!item) {
        Warn(kNoFocusedLine, "0574.");
        return false;
    }
    line = TrimControlAndBlanks(item->text().toStdString());
    return true;
}

void TfrmSubFolderListBuilder::btnIncludeFolderListViewClick() {
    std::string line;
    if (FocusedIncludeLine(line)) ViewFolder(line, "SubTierwick.");
}

void TfrmSubFolderListBuilder::btnSubFolderListBuilderLevelsClick() {
    std::string line;
    if (!FocusedIncludeLine(line) || TrimBlanks(line).empty()) return;
    if (const std::optional<FolderStructSize> size = SummaryOf(TrimBlanks(line), disk_)) ShowLevelSummary2(*size);
}

void TfrmSubFolderListBuilder::btnSmartExportClick() {
    QListWidget* include = ui->lstIncludeFolderList;
    if (include->count() == 0) {
        plat::MessageBox("The Include Folder List is empty !\n", "SubTierwick.             Warning no: 0584.",
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    SharedExportWindow* exportWindow = GetSharedExportWindow();
    if (!exportWindow) return;
    exportWindow->ClearExportView();
    exportWindow->ClearExportLines();
    std::size_t count = 0;
    listtools::PaintThrottle throttle;
    for (int i = 0; i < include->count(); ++i) {
        const std::string line = include->item(i)->text().toStdString();
        if (exportWindow->PreviewContains(line)) continue;
        exportWindow->AddPreviewLine(line);
        exportWindow->AddExportLine(line);
        exportWindow->SetSourceCount(++count);
        throttle.Tick();
    }
    exportWindow->SelectFirstPreviewLine();
    exportWindow->SetListKind("FOLDERS");
    exportWindow->ShowModal();
}

void TfrmSubFolderListBuilder::btnBuilderClearAllClick() {
    if (!Ask("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete "
             "process.",
             "0575."))
        return;
    ui->cboMainSourceFolder->clear();
    ui->cboMainSourceFolder->setEditText("");
    summarisedSource.clear();
    ui->lstViewLevelSumFolder->clear();
    ui->lblMainLevelSumFiles->setText("0");
    ui->lblMainLevelSumSubFolder->setText("0");
    ui->lblMainLevelSumFileSize->setText("0 bytes.");
    ui->edtFromLevelNumber->setText("1");
    ui->edtToLevelNumber->setText("1");
    ui->rdoBuildAllSubFolders->setChecked(true);
    ui->edtSubFolderFilter->clear();
    ui->lstIncludeFolderList->clear();
    ui->lstExcludeFolderList->clear();
    ShowCounts();
}
