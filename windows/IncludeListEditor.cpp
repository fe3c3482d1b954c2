#include "windows/IncludeListEditor.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

#include "core/ListPresence.h"
#include "core/PathTools.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "windows/ListTools.h"

namespace {

// The second character is a colon, or the text begins with two backslashes.
bool HasDrivePart(const std::string& text) {
    return text.size() >= 2 && (text[1] == ':' || (text[0] == '\\' && text[1] == '\\'));
}

std::string Normalized(const std::string& text) {
    StringList one;
    NormalizePath(text, one);
    return TrimControlAndBlanks(one.front());
}

// The pages refuse a bare drive by its length; the root of a drive is
// refused however it is written.
bool IsRootEntry(const std::string& trimmed) { return trimmed.size() <= 3 || IsDriveRootPath(trimmed); }

}  // namespace

IncludeListEditor::IncludeListEditor(QWidget* parent) : QDialog(parent) {}

void IncludeListEditor::InitEditor(const Setup& setup) {
    setup_ = setup;
    setup_.memo->viewport()->installEventFilter(this);  // mouse clicks land there
    // The count follows the memo however it changes: filled by the opener,
    // typed, pasted.
    connect(setup_.memo, &QPlainTextEdit::textChanged, this, &IncludeListEditor::MemoKeyPress);
    // Every editor's Help button (btnVol02EditHelp, btnVol11EditIncludeListHelp, ...).
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->objectName().endsWith(QLatin1String("Help")))
            connect(button, &QPushButton::clicked, this, &ShowMoreHelp);
    FormCreate();
}

int IncludeListEditor::EditIncludeList(QListWidget* include, QListWidget* exclude, QLabel* includeSum,
                                       LineRefusal refuses) {
    SetTargetLists(include, exclude, includeSum);
    refuses_ = std::move(refuses);
    SetMemoLines(listtools::ListLines(include));
    return qtplat::ExecModal(this);
}

void IncludeListEditor::SetTargetLists(QListWidget* include, QListWidget* exclude, QLabel* includeSum) {
    include_ = include;
    exclude_ = exclude;
    includeSum_ = includeSum;
}

void IncludeListEditor::SetMemoLines(const StringList& lines) { listtools::SetMemoLines(setup_.memo, lines); }

StringList IncludeListEditor::GetMemoLines() const { return listtools::MemoLines(setup_.memo); }

void IncludeListEditor::FormCreate() {
    setup_.memo->clear();
    setup_.linesSum->setText("0");
}

void IncludeListEditor::FormActivate() { setup_.memo->setFocus(); }

void IncludeListEditor::MemoKeyPress() {
    const int count = setup_.rule == LineRule::Plain ? listtools::MemoFilledLineCount(setup_.memo)
                                                     : listtools::MemoLineCount(setup_.memo);
    setup_.linesSum->setText(QString::number(count));
}

void IncludeListEditor::MemoClick() {
    if (setup_.currentLine) setup_.currentLine->setText(QString::number(setup_.memo->textCursor().blockNumber()));
}

void IncludeListEditor::CancelClick() {
    setup_.memo->clear();
    reject();
}

bool IncludeListEditor::LinesAccepted(const StringList& lines) {
    StringList filled;
    for (const auto& line : lines) {
        std::string trimmed = TrimControlAndBlanks(line);
        if (!trimmed.empty()) filled.push_back(std::move(trimmed));
    }
    std::string report;
    switch (setup_.rule) {
        case LineRule::FullPath:
            if (CheckFullPathList(filled, report)) {
                plat::MessageBox(report, setup_.refusedCaption, plat::MB_OK | plat::MB_ICONWARNING);
                return false;
            }
            break;
        case LineRule::Plain:
            // Lines go in unchanged, but never one that leads out of its folder.
            if (CheckDotFolderNames(filled, report)) {
                plat::MessageBox(report, windowTitle().toStdString(), plat::MB_OK | plat::MB_ICONWARNING);
                return false;
            }
            break;
        case LineRule::Relative:
            break;  // failing lines are dropped one by one
    }
    if (setup_.refuseRoots) {
        for (const auto& line : filled) {
            if (IsRootEntry(Normalized(line))) {
                plat::MessageBox(setup_.rootText, setup_.rootCaption, plat::MB_OK | plat::MB_ICONWARNING);
                return false;
            }
        }
    }
    if (refuses_)
        for (const auto& line : filled)
            if (refuses_(line)) return false;
    return true;
}

void IncludeListEditor::OkClick() {
    if (!include_ || !exclude_) return;  // no opener has handed its lists
    const StringList lines = GetMemoLines();
    if (!LinesAccepted(lines)) {
        ShowIncludeSum(static_cast<std::size_t>(include_->count()));
        return;
    }
    const ListPresence excluded(listtools::ListLines(exclude_));
    ListPresence held;
    StringList rebuilt;
    bool capped = false;
    for (const auto& line : lines) {
        std::string text = TrimControlAndBlanks(line);
        if (text.empty()) continue;
        if (setup_.cap != 0 && rebuilt.size() >= setup_.cap) {
            capped = true;
            break;
        }
        if (setup_.rule != LineRule::Plain) {
            text = Normalized(text);
            if (text.empty()) continue;
            if (setup_.rule == LineRule::FullPath && !HasDrivePart(text)) continue;
            if (setup_.rule == LineRule::Relative) {
                std::string found;
                if (HasDrivePart(text) || FindIllegalChars("H", text, found) || HasDotFolderName(text)) continue;
            }
        }
        if (excluded.Holds(text) || !held.Insert(text)) continue;
        rebuilt.push_back(std::move(text));
    }
    listtools::SetListLines(include_, rebuilt);
    ShowIncludeSum(rebuilt.size());
    if (capped) {
        // What was taken stays; the memo keeps its text and the editor stays open.
        plat::MessageBox(setup_.capText, setup_.capCaption, plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    setup_.memo->clear();
    accept();
}

void IncludeListEditor::ShowIncludeSum(std::size_t count) {
    if (includeSum_) includeSum_->setText(QString::number(count));
}

void IncludeListEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

bool IncludeListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == setup_.memo->viewport() && event->type() == QEvent::MouseButtonRelease) MemoClick();
    return QDialog::eventFilter(watched, event);
}
