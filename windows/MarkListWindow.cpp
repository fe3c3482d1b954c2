#include "windows/MarkListWindow.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "core/ListPresence.h"
#include "core/PathTools.h"
#include "core/SettingsFile.h"
#include "platform/MessageBox.h"
#include "windows/ListTools.h"

namespace {

constexpr int kLimit = 30000;

// A mark that looks like a path with a drive never moves between the lists.
bool HasDrivePart(const std::string& item) {
    const std::string t = TrimControlAndBlanks(item);
    return t.size() >= 2 && (t[1] == ':' || (t[0] == '\\' && t[1] == '\\'));
}

// Appends every item that the list lacks (ignoring case) and that `take`
// lets through.
template <typename Take>
void AppendMissing(QListWidget* list, const StringList& items, Take take) {
    ListPresence held(listtools::ListLines(list), ListPresence::Lines::IgnoringCase);
    QStringList added;
    for (const auto& item : items)
        if (take(item) && held.Insert(item)) added << QString::fromStdString(item);
    list->addItems(added);
}

StringList SelectedLines(const QListWidget* list) {
    StringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) out.push_back(list->item(i)->text().toStdString());
    return out;
}

void RemoveSelected(QListWidget* list) {
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->item(i)->isSelected()) delete list->takeItem(i);
}

bool NoDrive(const std::string& item) { return !HasDrivePart(item); }

}  // namespace

MarkListWindow::MarkListWindow(QWidget* parent) : QDialog(parent) {}

void MarkListWindow::InitMarkList(Setup setup) {
    setup_ = std::move(setup);
    for (const auto& item : setup_.defaults) defaultList_.push_back(ToLowerCase(TrimControlAndBlanks(item)));
    setup_.add->installEventFilter(this);
    LoadLists();
}

void MarkListWindow::LoadLists() {
    workingList_ = setup_.get();
    if (workingList_.empty()) workingList_ = defaultList_;
    AppendMissing(setup_.included, workingList_, [](const std::string&) { return true; });
}

void MarkListWindow::Warn(const std::string& text, const std::string& number, bool add) {
    plat::MessageBox(text, (add ? setup_.addCaption : setup_.manageCaption) + number + ".",
                     plat::MB_OK | plat::MB_ICONWARNING);
}

bool MarkListWindow::Ask(const std::string& text, const std::string& number) {
    return plat::MessageBox(text, setup_.manageCaption + number + ".",
                            plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) == plat::IDYES;
}

void MarkListWindow::AddClick() {
    const std::string text = TrimControlAndBlanks(setup_.add->text().toStdString());
    if (setup_.included->count() >= kLimit) {
        Warn("The limit is 30000", "0121", true);
    } else if (text.empty()) {
        Warn("The text field is empty !\nAction : You must enter some text to add to the Include List.", "0122", true);
    } else if (ListPresence(listtools::ListLines(setup_.included), ListPresence::Lines::IgnoringCase).Holds(text)) {
        Warn("This item is already exist in the Include list !", "0123", true);
    } else if (ListPresence(listtools::ListLines(setup_.excluded), ListPresence::Lines::IgnoringCase).Holds(text)) {
        Warn("This item is already exist in the Exclude list !", "0124", true);
    } else {
        setup_.included->addItem(QString::fromStdString(text));
        setup_.add->setText(QString::fromStdString(text));
    }
    setup_.add->setFocus();
}

void MarkListWindow::IncToExcClick() {
    AppendMissing(setup_.excluded, SelectedLines(setup_.included), NoDrive);
    RemoveSelected(setup_.included);
    setup_.add->setFocus();
}

void MarkListWindow::ExcToIncClick() {
    const StringList selected = SelectedLines(setup_.excluded);
    if (setup_.included->count() + static_cast<int>(selected.size()) > kLimit) {
        Warn(setup_.limit0125, "0125");
    } else {
        AppendMissing(setup_.included, selected, NoDrive);
        RemoveSelected(setup_.excluded);
    }
    setup_.add->setFocus();
}

void MarkListWindow::AllFromIncClick() {
    AppendMissing(setup_.excluded, listtools::ListLines(setup_.included), NoDrive);
    setup_.included->clear();
    setup_.add->setFocus();
}

void MarkListWindow::AllFromExcClick() {
    const StringList excluded = listtools::ListLines(setup_.excluded);
    const ListPresence included(listtools::ListLines(setup_.included), ListPresence::Lines::IgnoringCase);
    const auto lacking =
        std::count_if(excluded.begin(), excluded.end(), [&](const std::string& item) { return !included.Holds(item); });
    if (setup_.included->count() + lacking > kLimit) {
        Warn(setup_.limit0126, "0126");
    } else {
        AppendMissing(setup_.included, excluded, NoDrive);
        setup_.excluded->clear();
    }
    setup_.add->setFocus();
}

void MarkListWindow::ExchangeIncExcClick() {
    if (setup_.excluded->count() > kLimit) {
        Warn(setup_.limit0127, "0127");
    } else {
        StringList kept;
        for (const auto& item : listtools::ListLines(setup_.included))
            if (NoDrive(item)) kept.push_back(item);
        setup_.included->clear();
        AppendMissing(setup_.included, listtools::ListLines(setup_.excluded), NoDrive);
        setup_.excluded->clear();
        AppendMissing(setup_.excluded, kept, NoDrive);
    }
    setup_.add->setFocus();
}

void MarkListWindow::DeleteClick() {
    if (Ask("Do you want to delete selected delimiter(s) from the Exclude list ?", "0128"))
        RemoveSelected(setup_.excluded);
    setup_.add->setFocus();
}

void MarkListWindow::RemoveAllClick() {
    if (Ask("Do you want to remove (delete) all delimiter(s) from the Exclude list ?", "0129"))
        setup_.excluded->clear();
    setup_.add->setFocus();
}

void MarkListWindow::SetDefaultsClick() {
    setup_.included->clear();
    setup_.excluded->clear();
    AppendMissing(setup_.included, defaultList_, [](const std::string&) { return true; });
}

void MarkListWindow::CloseClick() {
    setup_.clear();
    for (const auto& item : listtools::ListLines(setup_.included)) setup_.append(item);
    SaveClass saver("");  // default.set in the program folder; a failure is reported there
    saver.Save();
    accept();
}

void MarkListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    LoadLists();
}

bool MarkListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == setup_.add && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            AddClick();
            return true;  // Enter adds; it does not close the window
        }
    }
    return QDialog::eventFilter(watched, event);
}
