#include "windows/TfrmFolderTemplateOptions.h"

#include <QRadioButton>

#include "core/TemplateOptions.h"
#include "help/HelpWindows.h"
#include "ui_TfrmFolderTemplateOptions.h"

TfrmFolderTemplateOptions* frmFolderTemplateOptions = nullptr;

namespace {

// A checked radio of an exclusive group cannot be unchecked directly.
void Uncheck(QRadioButton* radio) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
}

}  // namespace

TfrmFolderTemplateOptions::TfrmFolderTemplateOptions(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmFolderTemplateOptions>()) {
    ui->setupUi(this);
    connect(ui->btnFolderTemplateOptionsOk, &QPushButton::clicked, this,
            &TfrmFolderTemplateOptions::btnFolderTemplateOptionsOkClick);
    connect(ui->btnFolderTemplateOptionsCancel, &QPushButton::clicked, this,
            &TfrmFolderTemplateOptions::btnFolderTemplateOptionsCancelClick);
    connect(ui->rdoFolderTemplateOptionsReplaceNo, &QRadioButton::clicked, this,
            &TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceNoClick);
    connect(ui->rdoFolderTemplateOptionsReplaceFirst, &QRadioButton::clicked, this,
            &TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceFirstClick);
    connect(ui->rdoFolderTemplateOptionsReplaceAll, &QRadioButton::clicked, this,
            &TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceAllClick);
    connect(ui->rdoFolderTemplateOptionsReplaceRemainder, &QRadioButton::clicked, this,
            &TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceRemainderClick);
    // The template index is the help topic of the same number.
    connect(ui->btnFolderTemplateOptionsHelp, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(static_cast<unsigned>(TemplateIndex)); });
}

TfrmFolderTemplateOptions::~TfrmFolderTemplateOptions() = default;

void TfrmFolderTemplateOptions::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TfrmFolderTemplateOptions::FormActivate() {
    Uncheck(ui->rdoFolderTemplateOptionsReplaceNo);
    Uncheck(ui->rdoFolderTemplateOptionsReplaceFirst);
    Uncheck(ui->rdoFolderTemplateOptionsReplaceAll);
    Uncheck(ui->rdoFolderTemplateOptionsReplaceRemainder);
    ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(false);
    ui->edtFolderTemplateOptionsReplaceRemainder->clear();

    const _tagFoldersTemplateOptions options = GetFolderTemplateOptions(TemplateIndex);
    if (options.ReplaceNo == 1) {
        ui->rdoFolderTemplateOptionsReplaceNo->setChecked(true);
    } else if (options.ReplaceRemainder == 1) {
        ui->rdoFolderTemplateOptionsReplaceRemainder->setChecked(true);
        ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(true);
        ui->edtFolderTemplateOptionsReplaceRemainder->setText(QString::fromStdString(options.SearchTerm));
    } else if (options.ReplaceFirst == 1) {
        ui->rdoFolderTemplateOptionsReplaceFirst->setChecked(true);
    } else {
        ui->rdoFolderTemplateOptionsReplaceAll->setChecked(true);
    }
}

// The remainder radio stands in another group, so it is tested first of
// the three that replace something and wins while it is checked.
void TfrmFolderTemplateOptions::btnFolderTemplateOptionsOkClick() {
    _tagFoldersTemplateOptions options;
    options.ReplaceNo = 0;
    if (ui->rdoFolderTemplateOptionsReplaceNo->isChecked()) {
        options.ReplaceNo = 1;
    } else if (ui->rdoFolderTemplateOptionsReplaceRemainder->isChecked()) {
        options.ReplaceRemainder = 1;
        options.SearchTerm = ui->edtFolderTemplateOptionsReplaceRemainder->text().toStdString();
    } else if (ui->rdoFolderTemplateOptionsReplaceFirst->isChecked()) {
        options.ReplaceFirst = 1;
    } else if (ui->rdoFolderTemplateOptionsReplaceAll->isChecked()) {
        options.ReplaceAll = 1;
    }
    SetFolderTemplateOptions(TemplateIndex, options);
    accept();
}

void TfrmFolderTemplateOptions::btnFolderTemplateOptionsCancelClick() { reject(); }

void TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceNoClick() {
    ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(false);
}

void TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceFirstClick() {
    ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(false);
}

void TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceAllClick() {
    ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(false);
}

void TfrmFolderTemplateOptions::rdoFolderTemplateOptionsReplaceRemainderClick() {
    ui->edtFolderTemplateOptionsReplaceRemainder->setEnabled(true);
}
