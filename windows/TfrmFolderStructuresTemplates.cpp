#include "windows/TfrmFolderStructuresTemplates.h"

#include <QPlainTextEdit>

#include "help/HelpWindows.h"
#include "ui_TfrmFolderStructuresTemplates.h"
#include "windows/ListTools.h"

TfrmFolderStructuresTemplates* frmFolderStructuresTemplates = nullptr;

TfrmFolderStructuresTemplates::TfrmFolderStructuresTemplates(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmFolderStructuresTemplates>()) {
    ui->setupUi(this);
    // The count follows the memo however it changes: filled, typed, pasted.
    connect(ui->mmoEditFolderStructuresTemplates, &QPlainTextEdit::textChanged, this,
            &TfrmFolderStructuresTemplates::mmoEditFolderStructuresTemplatesKeyPress);
    connect(ui->btnFolderStructuresTemplatesHelp, &QPushButton::clicked, this, &ShowMoreHelp);
    connect(ui->btnFolderStructuresTemplatesOk, &QPushButton::clicked, this,
            &TfrmFolderStructuresTemplates::btnFolderStructuresTemplatesOkClick);
    connect(ui->btnFolderStructuresTemplatesCancel, &QPushButton::clicked, this,
            &TfrmFolderStructuresTemplates::btnFolderStructuresTemplatesCancelClick);
    FormCreate();
}

TfrmFolderStructuresTemplates::~TfrmFolderStructuresTemplates() = default;

void TfrmFolderStructuresTemplates::SetMemoLines(const StringList& lines) {
    listtools::SetMemoLines(ui->mmoEditFolderStructuresTemplates, lines);
}

StringList TfrmFolderStructuresTemplates::GetMemoLines() const {
    return listtools::MemoLines(ui->mmoEditFolderStructuresTemplates);
}

void TfrmFolderStructuresTemplates::ClearMemo() { ui->mmoEditFolderStructuresTemplates->clear(); }

void TfrmFolderStructuresTemplates::FormCreate() {
    ClearMemo();
    ui->lblFolderStructuresTemplatesEditLinesCurrent->setText("0");
}

void TfrmFolderStructuresTemplates::FormActivate() { ui->mmoEditFolderStructuresTemplates->setFocus(); }

void TfrmFolderStructuresTemplates::mmoEditFolderStructuresTemplatesKeyPress() {
    ui->lblFolderStructuresTemplatesEditLinesCurrent->setText(
        QString::number(listtools::MemoLineCount(ui->mmoEditFolderStructuresTemplates)));
}

// The page reads the memo itself.
void TfrmFolderStructuresTemplates::btnFolderStructuresTemplatesOkClick() { accept(); }

void TfrmFolderStructuresTemplates::btnFolderStructuresTemplatesCancelClick() {
    ClearMemo();
    reject();
}

void TfrmFolderStructuresTemplates::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}
