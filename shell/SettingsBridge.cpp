// The settings bridge: store -> controls and lists after settings were
// read, controls and lists -> store before they are written.
#include "shell/SettingsBridge.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "core/PathTools.h"
#include "pages/PageCommon.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol07Page.h"
#include "pages/folders/Vol08Page.h"
#include "platform/qt/QtPlatform.h"
#include "shell/TfrmMain.h"

using namespace pagekit;

namespace {

template <class T>
T* Control(const QWidget* root, const char* name) {
    return root->findChild<T*>(QString::fromUtf8(name));
}

bool HasItems(const QWidget* root, const char* list) { return Control<QListWidget>(root, list)->count() > 0; }

bool HasText(const QComboBox* combo) { return !TrimControlAndBlanks(S(combo->currentText())).empty(); }

bool Checked(const QWidget* root, const char* radio) {
    return IsEnabledAndChecked(Control<QAbstractButton>(root, radio));
}

// The items as a list is filled; then the trimmed current text is selected,
// or added as the last item and selected when the combo does not hold it.
void FillDestinationCombo(QComboBox* combo, const StringList& history, const std::string& current) {
    combo->clear();
    combo->addItems(UniqueItems(history));
    const std::string text = TrimControlAndBlanks(current);
    const int index = DestinationIndex(combo, Q(text));
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->addItem(Q(text));
        combo->setCurrentIndex(combo->count() - 1);
    }
}

StringList ComboItems(const QComboBox* combo) {
    StringList items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(S(combo->itemText(i)));
    return items;
}

// A settings file may check none of a group of option radios (one made by
// hand or damaged): the group then takes the choice of a first start, so
// that no run reads its mode as none and asks what it would not do.
void CheckInitialOfEmptyGroups(const QWidget* root, const BridgePage& page) {
    std::map<const QWidget*, std::vector<std::pair<QRadioButton*, int>>> groups;
    for (const BridgeControl& row : page.controls) {
        auto* radio = Control<QRadioButton>(root, row.control);
        if (radio && radio->autoExclusive()) groups[radio->parentWidget()].push_back({radio, row.initialFlag});
    }
    for (const auto& [parent, radios] : groups) {
        if (std::any_of(radios.begin(), radios.end(), [](const auto& r) { return r.first->isChecked(); })) continue;
        for (const auto& [radio, initial] : radios)
            if (initial) SetChecked(radio, true);
    }
}

}  // namespace

void TfrmMain::RestoreControlsFromSettings() {
    for (const BridgePage& page : BridgePages()) {
        for (const BridgeControl& row : page.controls) {
            QWidget* control = Control<QWidget>(this, row.control);
            if (row.getFlag)
                SetChecked(qobject_cast<QAbstractButton*>(control), row.getFlag() != 0);
            else
                qobject_cast<QLineEdit*>(control)->setText(Q(row.getText()));
            // The page is left as with an empty Include list; only the AddToList edits stay usable.
            control->setEnabled(row.staysEnabled);
        }
        CheckInitialOfEmptyGroups(this, page);
        for (const char* name : page.alsoDisabled) Control<QWidget>(this, name)->setEnabled(false);
    }
}

void TfrmMain::RestorePageListsFromSettings() {
    RestoreControlsFromSettings();
    for (const BridgePage& page : BridgePages()) {
        for (const BridgeCombo& row : page.combos)
            FillDestinationCombo(Control<QComboBox>(this, row.combo), row.getHistory(), row.getText());
        for (const BridgeList& row : page.lists) FillListUnique(Control<QListWidget>(this, row.list), row.get());
        if (page.refreshAfterLists) page.refreshAfterLists(*this);
    }
}

void TfrmMain::RefreshAllPagesAfterRestore() {
    if (HasText(Control<QComboBox>(this, "cboVol02DestFolders"))) {
        Page02->Vol02EnableListControls(true);
        const bool items = HasItems(this, "lstVol02IncludeStrings");
        Page02->Vol02EnableNameControls(items);
        Page02->Vol02UpdateButtons(items);
    } else {
        Page02->Vol02EnablePageControls(false);
        Page02->Vol02UpdateButtons(false);
    }
    const bool destination03 = HasText(Control<QComboBox>(this, "cboVol03DestFolders"));
    Page03->Vol03EnablePageControls(destination03);
    Page03->Vol03UpdateButtons(destination03);

    const bool items04 = HasItems(this, "lstVol04IncludeFolderList");
    Page04->Vol04EnablePageControls(items04);
    Page04->Vol04EnableStructureControls(items04);

    const bool items06 = HasItems(this, "lstVol06IncludeFolderList");
    Page06->Vol06EnablePageControls(items06);
    Page06->Vol06EnableRunButtons(items06);
    const bool items07 = HasItems(this, "lstVol07IncludeFolderList");
    Page07->Vol07EnablePageControls(items07);
    Page07->Vol07EnableRunButtons(items07);
    const bool items08 = HasItems(this, "lstVol08IncludeFolderList");
    Page08->Vol08EnablePageControls(items08);
    Page08->Vol08EnableRunButtons(items08);
    const bool items10 = HasItems(this, "lstVol10IncludeFolderList");
    Page10->Vol10EnablePageControls(items10);
    Page10->Vol10EnableRunButtons(items10);
    const bool items11 = HasItems(this, "lstVol11IncludeFolderList");
    Page11->Vol11EnablePageControls(items11);
    Page11->Vol11EnableRunButtons(items11);
    const bool items12 = HasItems(this, "lstVol12IncludeFolderList");
    Page12->Vol12EnablePageControls(items12);
    Page12->Vol12EnableRunButtons(items12);
    const bool items15 = HasItems(this, "lstVol15IncludeFolderList");
    Page15->Vol15EnablePageControls(items15);
    Page15->Vol15EnableRunButtons(items15);
}

void TfrmMain::ReapplyAttachOptions() {
    // Per page, the first radio of the chain that is enabled and checked runs its logic.
    if (Checked(this, "rdoVol02AttachNothing"))
        Page02->rdoVol02AttachNothingClick();
    else if (Checked(this, "rdoVol02StructureImportRelativePaths"))
        Page02->Vol02SetRelativePathsMode();
    else if (Checked(this, "rdoVol02StructureImportFullPaths"))
        Page02->Vol02SetFullPathsMode();

    if (Checked(this, "rdoVol03AttachNothing"))
        Page03->rdoVol03AttachNothingClick();
    else if (Checked(this, "rdoVol03StructureImportRelativePaths"))
        Page03->Vol03SetRelativePathsMode();
    else if (Checked(this, "rdoVol03StructureImportFullPaths"))
        Page03->Vol03SetFullPathsMode();

    if (Checked(this, "rdoVol04AttachNothing"))
        Page04->rdoVol04AttachNothingClick();
    else if (Checked(this, "rdoVol04StructureImportRelativePaths"))
        Page04->Vol04SetRelativePathsMode();
    else if (Checked(this, "rdoVol04StructureImportFullPaths"))
        Page04->Vol04SetFullPathsMode();

    if (Checked(this, "rdoVol06RenameAddPrefixesSuffixes"))
        Page06->rdoVol06RenameAddPrefixesSuffixesClick();
    else if (Checked(this, "rdoVol06RenameTheLastSubFolder"))
        Page06->rdoVol06RenameTheLastSubFolderClick();

    if (Checked(this, "rdoVol08StructureImportRelativePaths"))
        Page08->Vol08SetRelativePathsMode();
    else if (Checked(this, "rdoVol08StructureImportFullPaths"))
        Page08->Vol08SetFullPathsMode();

    qtplat::ProcessPendingPaints();
}

void TfrmMain::SaveControlsToSettings() {
    for (const BridgePage* page : BridgePagesInSaveOrder()) {
        for (const BridgeControl& row : page->controls) {
            const QWidget* control = Control<QWidget>(this, row.control);
            if (row.setFlag)
                row.setFlag(qobject_cast<const QAbstractButton*>(control)->isChecked() ? 1 : 0);
            else
                row.setText(S(qobject_cast<const QLineEdit*>(control)->text()));
        }
    }
    for (const BridgePage& page : BridgePages()) {
        for (const BridgeCombo& row : page.combos) {
            const QComboBox* combo = Control<QComboBox>(this, row.combo);
            row.clearHistory();
            row.setHistory(ComboItems(combo));
            row.setText(S(combo->currentText()));
        }
        for (const BridgeList& row : page.lists) {
            row.clear();
            row.set(ListItems(Control<QListWidget>(this, row.list)));
        }
    }
}
