#include "windows/TfrmEditSmartImport.h"

#include <QPlainTextEdit>
#include <QListWidget>
#include <unordered_set>

#include "core/PathTools.h"
#include "help/HelpWindows.h"
#include "platform/MessageBox.h"
#include "ui_TfrmEditSmartImport.h"
#include "windows/ListTools.h"

TfrmEditSmartImport* frmEditSmartImport = nullptr;

TfrmEditSmartImport::TfrmEditSmartImport(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmEditSmartImport>()) {
    ui->setupUi(this);
    // The count follows the memo however it changes: filled, typed, pasted.
    connect(ui->mmoEditSmartImportMemo, &QPlainTextEdit::textChanged, this,
            &TfrmEditSmartImport::mmoEditSmartImportMemoKeyPress);
    connect(ui->btnEditSmartImportOk, &QPushButton::clicked, this, &TfrmEditSmartImport::btnEditSmartImportOkClick);
    connect(ui->btnEditSmartImportHelp, &QPushButton::clicked, this, &ShowMoreHelp);
    connect(ui->btnEditSmartImportCancel, &QPushButton::clicked, this,
            &TfrmEditSmartImport::btnEditSmartImportCancelClick);
    FormCreate();
}

TfrmEditSmartImport::~TfrmEditSmartImport() = default;

void TfrmEditSmartImport::SetMemoLines(const StringList& lines) {
    listtools::SetMemoLines(ui->mmoEditSmartImportMemo, lines);
}

StringList TfrmEditSmartImport::GetMemoLines() const { return listtools::MemoLines(ui->mmoEditSmartImportMemo); }

void TfrmEditSmartImport::FormCreate() {
    limit_ = 30000;
    limitMessage_ = "In this Version you can enter or load\nmaximum 30,000 Folders/Subfolders!\n\n";
    ui->mmoEditSmartImportMemo->clear();
    ui->lblEditSmartImportLinesCurrent->setText("0");
}

void TfrmEditSmartImport::FormActivate() { ui->mmoEditSmartImportMemo->setFocus(); }

void TfrmEditSmartImport::mmoEditSmartImportMemoKeyPress() {
    ui->lblEditSmartImportLinesCurrent->setText(QString::number(listtools::MemoLineCount(ui->mmoEditSmartImportMemo)));
}

void TfrmEditSmartImport::btnEditSmartImportOkClick() {
    if (!results_) return;
    StringList taken;
    std::unordered_set<std::string> held;  // the created list compares exact texts
    for (const auto& line : GetMemoLines()) {
        const std::string trimmed = TrimControlAndBlanks(line);
        if (trimmed.empty()) continue;
        StringList normalised;
        NormalizePath(trimmed, normalised);
        if (taken.size() >= limit_) {
            // What was taken stays; the memo keeps its text and the window stays open.
            listtools::SetListLines(results_, taken);
            plat::MessageBox(limitMessage_, "Edit Import Folders/Subfolders.            Warning no: 0297.",
                             plat::MB_OK | plat::MB_ICONWARNING);
            return;
        }
        if (!TrimControlAndBlanks(normalised.front()).empty() && held.insert(normalised.front()).second)
            taken.push_back(normalised.front());
    }
    listtools::SetListLines(results_, taken);
    ui->mmoEditSmartImportMemo->clear();
    accept();
}

void TfrmEditSmartImport::btnEditSmartImportCancelClick() {
    ui->mmoEditSmartImportMemo->clear();
    reject();
}

void TfrmEditSmartImport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}
