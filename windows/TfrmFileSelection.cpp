#include "windows/TfrmFileSelection.h"

#include <QFocusEvent>
#include <algorithm>
#include <QLineEdit>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "platform/MessageBox.h"
#include "platform/qt/HistoryField.h"
#include "ui_TfrmFileSelection.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"

TfrmFileSelection* frmFileSelection = nullptr;

namespace {

const std::string kCaption = "File Selection.            Warning no: ";

void Warn(const std::string& text, const std::string& number) {
    plat::MessageBox(text, kCaption + number, plat::MB_OK | plat::MB_ICONWARNING);
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Selecting an item also puts its text into an editable combo's field.
void SelectItem(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    combo->setEditText(combo->itemText(index));
}

// Appends the text when absent and selects it, or selects the one there.
void AppendOrSelect(QComboBox* combo, const QString& text) {
    int index = listsearch::IndexOf(combo, text);
    if (index < 0) {
        combo->addItem(text);
        index = combo->count() - 1;
    }
    SelectItem(combo, index);
}

void AppendMissing(QComboBox* combo, const StringList& items) {
    QSet<QString> keys = listsearch::KeysOf(combo);
    for (const auto& item : items) {
        const QString text = Q(item);
        if (keys.contains(listsearch::Key(text))) continue;
        keys.insert(listsearch::Key(text));
        combo->addItem(text);
    }
}

void InsertMissingSorted(QComboBox* box, const StringList& items) {
    QSet<QString> keys = listsearch::KeysOf(box);
    for (const auto& item : items) {
        const QString text = Q(item);
        if (keys.contains(listsearch::Key(text))) continue;
        keys.insert(listsearch::Key(text));
        listsearch::InsertSorted(box, text);
    }
}

// The type lists are sorted boxes: the missing types go in as one batch.
void InsertMissingSorted(QListWidget* box, const StringList& items) {
    QSet<QString> keys = listsearch::KeysOf(box);
    QStringList missing;
    for (const auto& item : items) {
        const QString text = Q(item);
        if (keys.contains(listsearch::Key(text))) continue;
        keys.insert(listsearch::Key(text));
        missing.append(text);
    }
    listtools::AddListItems(box, missing);
}

StringList ItemsOf(const QListWidget* list) {
    StringList items;
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
    return items;
}

StringList ItemsOf(const QComboBox* combo) {
    StringList items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    return items;
}

// A checked radio of an exclusive group cannot be unchecked directly.
void Uncheck(QRadioButton* radio) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
}

bool HasWhiteSpace(const std::string& text) {
    for (char c : text)
        if (c == ' ' || (c >= '\t' && c <= '\r')) return true;
    return false;
}

}  // namespace

TfrmFileSelection::TfrmFileSelection(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmFileSelection>()) {
    ui->setupUi(this);
    connect(ui->btnFileManOK, &QPushButton::clicked, this, &TfrmFileSelection::btnFileManOKClick);
    connect(ui->btnFileManCancel, &QPushButton::clicked, this, &TfrmFileSelection::btnFileManCancelClick);
    connect(ui->btnFileManClearFileNames, &QPushButton::clicked, this,
            &TfrmFileSelection::btnFileManClearFileNamesClick);
    // Checking a radio that was unchecked runs its click logic, whoever checks it.
    connect(ui->rdoFileManNames, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rdoFileManNamesClick();
    });
    connect(ui->rdoFileManTypes, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rdoFileManTypesClick();
    });
    for (QRadioButton* radio :
         {ui->rdoAllFileTypes, ui->rdoExcludedFileTypes, ui->rdoIncludedFileTypes, ui->rdoSelectOneFileTypes}) {
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on) TypeRadioClick(radio);
        });
    }
    for (QComboBox* combo :
         {ui->cboFileManNames, ui->cboFileManTermsInclude, ui->cboFileManTermsExclude, ui->cboSelectOneFileTypes})
        qtplat::OfferHistoryAsList(combo);
    ui->cboFileManNames->lineEdit()->installEventFilter(this);
    connect(ui->btnFileSelectionHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpTopic::FileSelection); });
}

TfrmFileSelection::~TfrmFileSelection() = default;

void TfrmFileSelection::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

// Leaving the names field for another control of this window (not for a
// box or another window, which would check again on every box it shows).
bool TfrmFileSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->cboFileManNames->lineEdit() && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) cboFileManNamesExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmFileSelection::FormActivate() {
    AppendMissing(ui->cboFileManNames, GetFileSelNamesHistory());
    std::string names = GetFileSelNamesText();
    if (TrimBlanks(names).empty()) names = "*.*";
    AppendOrSelect(ui->cboFileManNames, Q(names));

    if (GetFileSelIncludeTypeList().empty() && GetFileSelExcludeTypeList().empty())
        SetFileSelIncludeTypeList(GetFileSelFallbackTypes());
    const StringList includeTypes = GetFileSelIncludeTypeList();
    InsertMissingSorted(ui->lstFileTypesInclude, includeTypes);
    InsertMissingSorted(ui->lstFileTypesExclude, GetFileSelExcludeTypeList());
    InsertMissingSorted(ui->cboSelectOneFileTypes, includeTypes);
    SelectOneType(GetFileSelOneType());

    if (GetFileSelNamesMode() != 0) ui->rdoFileManNames->setChecked(true);
    if (GetFileSelTypesMode() != 0) ui->rdoFileManTypes->setChecked(true);
    if (ui->rdoFileManNames->isChecked()) {
        EnableFileSelModeControls(true);
    } else if (ui->rdoFileManTypes->isChecked()) {
        EnableFileSelModeControls(false);
        if (GetFileSelAllTypes() != 0) ui->rdoAllFileTypes->setChecked(true);
        if (GetFileSelExcludedTypes() != 0) ui->rdoExcludedFileTypes->setChecked(true);
        if (GetFileSelIncludedTypes() != 0) ui->rdoIncludedFileTypes->setChecked(true);
        if (GetFileSelSelectOne() != 0) ui->rdoSelectOneFileTypes->setChecked(true);
        ui->cboSelectOneFileTypes->setEnabled(GetFileSelSelectOne() == 1);
    } else {
        ui->rdoFileManNames->setChecked(true);
        EnableFileSelModeControls(true);
    }

    struct Terms {
        QComboBox* combo;
        StringList history;
        std::string text;
    };
    for (const Terms& t : {Terms{ui->cboFileManTermsInclude, GetFileSelIncludeTermsHistory(), GetFileSelIncludeTermsText()},
                           Terms{ui->cboFileManTermsExclude, GetFileSelExcludeTermsHistory(), GetFileSelExcludeTermsText()}}) {
        AppendMissing(t.combo, t.history);
        if (!TrimBlanks(t.text).empty()) AppendOrSelect(t.combo, Q(t.text));
    }

    if (ui->lstFileTypesInclude->count() == 0) EnableFileTypeChoice(false);
}

// The stored one type in the sorted combo: the item there, or a new one
// where the sort puts it; none stored selects the first item.
void TfrmFileSelection::SelectOneType(const std::string& type) {
    QComboBox* combo = ui->cboSelectOneFileTypes;
    if (TrimBlanks(type).empty()) {
        if (combo->count() > 0) SelectItem(combo, 0);
        return;
    }
    int index = listsearch::IndexOf(combo, Q(type));
    if (index < 0) index = listsearch::InsertSorted(combo, Q(type));
    SelectItem(combo, index);
}

void TfrmFileSelection::cboFileManNamesExit() {
    if (checkingNames) return;
    checkingNames = true;
    std::string text = ui->cboFileManNames->currentText().toStdString();
    if (text.empty()) text = "*.*";
    StringList masks;
    if (!CheckSeparatorCount(text, masks)) {
        Warn("Odd number of Separators.", "0551.");
        ui->cboFileManNames->setFocus();
    } else if (masks.size() > 1) {
        for (const auto& mask : masks) {
            if (mask != "*.*") continue;
            Warn("There is an expression *.* in the string. \nAll Other expressions are unwanted.", "0552");
            ui->cboFileManNames->setFocus();
        }
    }
    checkingNames = false;
}

void TfrmFileSelection::btnFileManOKClick() {
    Warn("Both Copy and Delete Processes will use selected files (if the <Select Files> button is active).\n",
         "0542.");
    if (ui->lstFileTypesInclude->count() == 0) {
        Warn("The Include File Type Window is Empty !!!\nYou must enter at least one File Type !!", "0543.");
        accept();
        return;
    }
    SetFileSelNamesMode(ui->rdoFileManNames->isChecked() ? 1 : 0);
    SetFileSelTypesMode(ui->rdoFileManTypes->isChecked() ? 1 : 0);
    SetFileSelAllTypes(ui->rdoAllFileTypes->isChecked() ? 1 : 0);
    SetFileSelIncludedTypes(ui->rdoIncludedFileTypes->isChecked() ? 1 : 0);
    SetFileSelExcludedTypes(ui->rdoExcludedFileTypes->isChecked() ? 1 : 0);
    SetFileSelSelectOne(ui->rdoSelectOneFileTypes->isChecked() ? 1 : 0);

    const QString oneType = ui->cboSelectOneFileTypes->currentText();
    SetFileSelOneType(oneType.toStdString());
    SetFileSelOneTypeIndex(std::max(0, listsearch::IndexOf(ui->cboSelectOneFileTypes, oneType)));
    SetFileSelIncludeTypeList(ItemsOf(ui->lstFileTypesInclude));
    SetFileSelExcludeTypeList(ItemsOf(ui->lstFileTypesExclude));

    std::string text = ui->rdoFileManNames->isChecked() ? ui->cboFileManNames->currentText().toStdString() : "*.*";
    if (text.empty()) text = "*.*";
    StringList masks;
    if (!CheckSeparatorCount(text, masks)) {
        accept();
        return;
    }

    std::size_t withoutPeriod = 0;
    for (const auto& mask : masks)
        if (mask.find('.') == std::string::npos) ++withoutPeriod;
    std::size_t k = 0;
    for (const auto& mask : masks) {
        if (mask.find('.') != std::string::npos) continue;
        ++k;
        plat::MessageBox("Period (.) is missing from : " + std::to_string(withoutPeriod) + " file names." +
                             "\nNo: " + std::to_string(k) + "/" + std::to_string(withoutPeriod) + " is : " + mask +
                             "\nIf you want to search files with SPACE(s) in their names,\n" +
                             "then you must put complete file name with extension into double quotes!\n",
                         "Information !    Msg no: 0544", plat::MB_OK | plat::MB_ICONINFORMATION);
    }

    masks = NormalizeMaskList(CopyNonEmptyItems(masks));
    SetFileSelNameMasks(masks);
    const std::string namesText = BuildFileSelNamesText(masks);
    SetFileSelNamesText(namesText);

    if (summaryListsHook) summaryListsHook(namesText == "*.*" ? allFilesLabel : namesText);

    if (listsearch::IndexOf(ui->cboFileManNames, Q(namesText)) < 0) ui->cboFileManNames->addItem(Q(namesText));
    StringList history;
    for (const auto& item : ItemsOf(ui->cboFileManNames))
        if (!item.empty()) history.push_back(item);
    SetFileSelNamesHistory(history);

    if (StoreTerms(ui->chkFileManTermInclude->isChecked(), ui->cboFileManTermsInclude, &SetFileSelIncludeTermsOn,
                   &SetFileSelIncludeTermsList, &SetFileSelIncludeTermsText, &SetFileSelIncludeTermsHistory)) {
        StoreTerms(ui->chkFileManTermExclude->isChecked(), ui->cboFileManTermsExclude, &SetFileSelExcludeTermsOn,
                   &SetFileSelExcludeTermsList, &SetFileSelExcludeTermsText, &SetFileSelExcludeTermsHistory);
    }
    accept();
}

// False when the term text has an odd number of double quotes (the later
// values then stay as they were).
bool TfrmFileSelection::StoreTerms(bool on, QComboBox* combo, void (*setOn)(int),
                                   void (*setList)(const StringList&), void (*setText)(const std::string&),
                                   void (*setHistory)(const StringList&)) {
    setOn(on ? 1 : 0);
    const std::string text = on ? combo->currentText().toStdString() : std::string();
    if (text.empty()) return true;
    StringList terms;
    if (!CheckSeparatorCount(text, terms)) return false;
    setList(CopyNonEmptyItems(terms));
    setText(text);
    if (listsearch::IndexOf(combo, Q(text)) < 0) combo->addItem(Q(text));
    setHistory(ItemsOf(combo));
    return true;
}

void TfrmFileSelection::btnFileManCancelClick() { reject(); }

void TfrmFileSelection::btnFileManClearFileNamesClick() {
    QComboBox* combo = ui->cboFileManNames;
    if (combo->count() == 0) {
        Warn("Empty List in the File Names Menu!\n", "0545.");
        return;
    }
    if (plat::MessageBox("Do you want to delete all item(s) from the File Names Menu ?", kCaption + "0546.",
                         plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) != plat::IDYES)
        return;
    const QString text = combo->currentText();
    combo->clear();
    combo->setEditText(text);
}

void TfrmFileSelection::rdoFileManNamesClick() {
    EnableFileSelModeControls(true);
    SetFileTypeRadios(false);
    ui->cboFileManNames->setEditText("*.*");
}

void TfrmFileSelection::rdoFileManTypesClick() {
    EnableFileSelModeControls(false);
    ui->cboFileManNames->setEditText(" ");
    if (GetFileSelAllTypes() != 0) ui->rdoAllFileTypes->setChecked(true);
    if (GetFileSelExcludedTypes() != 0) ui->rdoExcludedFileTypes->setChecked(true);
    if (GetFileSelIncludedTypes() != 0) ui->rdoIncludedFileTypes->setChecked(true);
    if (GetFileSelSelectOne() != 0) ui->rdoSelectOneFileTypes->setChecked(true);
    ui->cboSelectOneFileTypes->setEnabled(GetFileSelSelectOne() == 1);
    SelectOneType(GetFileSelOneType());
    if (!ui->rdoAllFileTypes->isChecked() && !ui->rdoExcludedFileTypes->isChecked() &&
        !ui->rdoIncludedFileTypes->isChecked() && !ui->rdoSelectOneFileTypes->isChecked())
        ui->rdoAllFileTypes->setChecked(true);
}

void TfrmFileSelection::TypeRadioClick(QRadioButton* radio) {
    ui->cboSelectOneFileTypes->setEnabled(radio == ui->rdoSelectOneFileTypes);
}

void TfrmFileSelection::EnableFileSelModeControls(bool namesMode) {
    ui->lblMagyarazat->setEnabled(namesMode);
    ui->cboFileManNames->setEnabled(namesMode);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->rdoAllFileTypes, ui->rdoExcludedFileTypes, ui->rdoIncludedFileTypes, ui->rdoSelectOneFileTypes,
             ui->cboSelectOneFileTypes, ui->edtFileTypesSelect, ui->lblFileTypesAdd, ui->edtFileTypesAdd,
             ui->btnFileTypesAdd, ui->lblFileTypesInclude, ui->lstFileTypesInclude, ui->lblFileTypesExclude,
             ui->lstFileTypesExclude, ui->btnFileTypesIncToExc, ui->btnFileTypesExcToInc, ui->btnFileTypesAllFromInc,
             ui->btnFileTypesAllFromExc, ui->btnFileTypesDelete, ui->btnFileTypesRemoveAll})
        w->setEnabled(!namesMode);
}

void TfrmFileSelection::EnableFileTypeChoice(bool enable) {
    ui->cboSelectOneFileTypes->setEnabled(enable);
    ui->rdoIncludedFileTypes->setEnabled(enable);
    ui->rdoSelectOneFileTypes->setEnabled(enable);
    if (!enable) {
        Uncheck(ui->rdoIncludedFileTypes);
        Uncheck(ui->rdoExcludedFileTypes);
        Uncheck(ui->rdoSelectOneFileTypes);
    }
    ui->rdoAllFileTypes->setChecked(true);
}

// false unchecks the four type radios; true checks "All file types".
void TfrmFileSelection::SetFileTypeRadios(bool checked) {
    if (checked) {
        ui->rdoAllFileTypes->setChecked(true);
        return;
    }
    for (QRadioButton* radio :
         {ui->rdoAllFileTypes, ui->rdoExcludedFileTypes, ui->rdoIncludedFileTypes, ui->rdoSelectOneFileTypes})
        Uncheck(radio);
}

std::string TfrmFileSelection::BuildFileSelNamesText(const StringList& masks) {
    std::string text;
    for (const auto& mask : masks) text += (HasWhiteSpace(mask) ? "\"" + mask + "\"" : mask) + " ";
    return TrimBlanks(text);
}
