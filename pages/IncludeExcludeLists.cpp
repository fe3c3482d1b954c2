#include "pages/IncludeExcludeLists.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QStringList>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/PageCommon.h"
#include "pages/creation/CreationPage.h"
#include "platform/MessageBox.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "windows/IncludeListEditor.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"
#include "pages/PageMessages.h"

namespace pagekit {

namespace {


// The second character is a colon, or the text begins with two backslashes.
bool HasDrivePart(const std::string& text) {
    return text.size() >= 2 && (text[1] == ':' || (text[0] == '\\' && text[1] == '\\'));
}

QSet<QString> TextsOf(const QListWidget* list) {
    QSet<QString> texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) texts.insert(list->item(i)->text());
    return texts;
}

QStringList AllTexts(const QListWidget* list, bool selectedOnly) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (!selectedOnly || list->item(i)->isSelected()) texts.append(list->item(i)->text());
    return texts;
}

}  // namespace

IncludeExcludeLists::IncludeExcludeLists(QWidget* page, const char* pageName, IncludeListMessages messages)
    : page_(page), name_(QString::fromUtf8(pageName)), messages_(std::move(messages)) {}

QWidget* IncludeExcludeLists::Control(const char* pattern) const {
    return page_->findChild<QWidget*>(QString::fromUtf8(pattern).arg(name_));
}

QListWidget* IncludeExcludeLists::Include() const {
    return qobject_cast<QListWidget*>(Control("lst%1IncludeFolderList"));
}

QListWidget* IncludeExcludeLists::Exclude() const {
    return qobject_cast<QListWidget*>(Control("lst%1ExcludeFolderList"));
}

QLineEdit* IncludeExcludeLists::Field() const { return qobject_cast<QLineEdit*>(Control("edt%1AddToList")); }

bool IncludeExcludeLists::Holds(const QListWidget* list, const std::string& text) const {
    const QString item = Q(text);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == item) return true;
    return false;
}

void IncludeExcludeLists::Done(const char* focus) {
    if (Refresh) Refresh();
    if (QWidget* w = Control(focus)) w->setFocus();
}

// ---- adding -----------------------------------------------------------------------------

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

void IncludeExcludeLists::AddToListClick() {
    QLineEdit* field = Field();
    const std::string text = TrimBlanks(S(field->text()));
    std::string message, normalised;
    if (text.empty()) {
        plat::MessageBox("The text field is empty !!!", messages_.TextEmptyCaption, kWarn);
    } else if (!AnalyseColons(text, message)) {
        plat::MessageBox(message, messages_.ColonsCaption, kWarn);
    } else if (!AddPathsToIncludeList(text, true, normalised, message)) {
        plat::MessageBox(message, messages_.PathRefusedCaption, kWarn);
    } else {
        field->setText(Q(normalised));
    }
    Done("edt%1AddToList");
}

// ---- moves --------------------------------------------------------------------------------

void IncludeExcludeLists::MoveSelected(QListWidget* from, QListWidget* to) {
    QSet<QString> held = TextsOf(to);
    QStringList moved;
    for (const QString& text : AllTexts(from, true))
        if (!held.contains(text)) {
            held.insert(text);
            moved.append(text);
        }
    listtools::AddListItems(to, moved);
    QStringList keep;
    for (int i = 0; i < from->count(); ++i)
        if (!from->item(i)->isSelected()) keep.append(from->item(i)->text());
    listtools::SetListLines(from, keep);
    Done("edt%1AddToList");
}

void IncludeExcludeLists::MoveAll(QListWidget* from, QListWidget* to) {
    QSet<QString> held = TextsOf(to);
    QStringList moved;
    for (const QString& text : AllTexts(from, false))
        if (!held.contains(text)) {
            held.insert(text);
            moved.append(text);
        }
    listtools::AddListItems(to, moved);
    from->clear();
    Done("edt%1AddToList");
}

void IncludeExcludeLists::IncToExcClick() { MoveSelected(Include(), Exclude()); }
void IncludeExcludeLists::ExcToIncClick() { MoveSelected(Exclude(), Include()); }
void IncludeExcludeLists::AllFromIncClick() { MoveAll(Include(), Exclude()); }
void IncludeExcludeLists::AllFromExcClick() { MoveAll(Exclude(), Include()); }

void IncludeExcludeLists::ExchangeClick() {
    const QStringList include = AllTexts(Include(), false);
    listtools::SetListLines(Include(), AllTexts(Exclude(), false));
    listtools::SetListLines(Exclude(), include);
    Done("edt%1AddToList");
}

// ---- tools ---------------------------------------------------------------------------------

void IncludeExcludeLists::ImportClick() {
    const int result = frmFileImport ? frmFileImport->ExecFor(Include()) : QDialog::Rejected;
    const StringList lines = frmFileImport ? frmFileImport->GetResultLines() : StringList();
    if (frmFileImport) frmFileImport->ClearSourceLines();
    if (lines.empty()) {
        plat::MessageBox("Empty Result List in the File Import Window!\n", messages_.ImportEmptyCaption, kWarn);
    } else if (result == QDialog::Accepted) {
        QSet<QString> held = TextsOf(Include());
        held.unite(TextsOf(Exclude()));
        QStringList add;
        StringList one;
        for (const auto& line : lines) {
            NormalizePath(line, one);
            const std::string path = one.front();
            // A "." or ".." name would lead out of the folder it names.
            if (TrimBlanks(path).empty() || !(path.size() >= 2 && path[1] == ':') || HasDotFolderName(path) ||
                held.contains(Q(path)))
                continue;
            held.insert(Q(path));
            add.append(Q(path));
        }
        listtools::AddListItems(Include(), add);
        frmFileImport->ClearResultLines();
    }
    if (Refresh) Refresh();
    plat::MessageBox("End of the Import Process !!!\n", messages_.ImportEndCaption, kWarn);
    if (QWidget* w = Control("btn%1AddToList")) w->setFocus();
}

void IncludeExcludeLists::EditListClick(IncludeListEditor* editor) {
    if (editor && editor->EditIncludeList(Include(), Exclude(), qobject_cast<QLabel*>(Control("lbl%1IncludeSum"))) ==
                      QDialog::Accepted && Refresh)
        Refresh();
    if (QWidget* w = Control("edt%1AddToList")) w->setFocus();
}

void IncludeExcludeLists::ExportClick() {
    if (Include()->count() == 0) {
        plat::MessageBox("The Include List is empty !\n", messages_.ExportEmptyCaption, kWarn);
    } else {
        ExportThroughWindow(
            ListItems(Include()), [](const std::string& item) { return HasDrivePart(TrimBlanks(item)); }, "FOLDERS");
        if (Refresh) Refresh();
    }
    if (QWidget* w = Control("btn%1SmartExport")) w->setFocus();
}

void IncludeExcludeLists::ZoomClick() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(Include()->model());
}

void IncludeExcludeLists::DeleteFromExcludeClick() {
    QListWidget* exclude = Exclude();
    if (exclude->count() == 0) {
        plat::MessageBox(
            "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete "
            "it.\n",
            messages_.ExcludeEmptyCaption, kWarn);
    } else if (plat::MessageBox("Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can "
                                "delete ONLY from the EXCLUDE list.\n",
                                messages_.AskDeleteExcludedCaption, kAsk) == plat::IDYES) {
        QStringList keep;
        for (int i = 0; i < exclude->count(); ++i)
            if (!exclude->item(i)->isSelected()) keep.append(exclude->item(i)->text());
        listtools::SetListLines(exclude, keep);
    }
    Done("edt%1AddToList");
}

void IncludeExcludeLists::DeleteExcludeAllClick() {
    QListWidget* exclude = Exclude();
    if (exclude->count() == 0) {
        plat::MessageBox("Empty List in the Exclude Window!\n", messages_.DeleteAllEmptyCaption, kWarn);
    } else if (plat::MessageBox("Do you want to delete all item(s) from the Exclude list ?",
                                messages_.AskDeleteAllCaption, kAsk) == plat::IDYES) {
        exclude->clear();
    }
    Done("btn%1AddToList");
}

}  // namespace pagekit
