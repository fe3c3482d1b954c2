#include "help/TfrmExamplesRename.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesRename.h"

TfrmExamplesRename* frmExamplesRename = nullptr;

TfrmExamplesRename::TfrmExamplesRename(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesRename>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExReClose);
    examplekit::Fill(ui->lstExamplesRenameIncludeWindow,
                     {QStringLiteral("f:\\Clients\\Customer1\\Emails"), QStringLiteral("f:\\Clients\\Customer2\\SEO")});
    connect(ui->rdoExReAddPrefixesAndSuffixes, &QRadioButton::clicked, this,
            &TfrmExamplesRename::rdoExReAddPrefixesAndSuffixesClick);
    connect(ui->rdoExRenameTheLastSubFolder, &QRadioButton::clicked, this,
            &TfrmExamplesRename::rdoExRenameTheLastSubFolderClick);
    ui->rdoExReAddPrefixesAndSuffixes->setChecked(true);
    rdoExReAddPrefixesAndSuffixesClick();
}

TfrmExamplesRename::~TfrmExamplesRename() = default;

void TfrmExamplesRename::rdoExReAddPrefixesAndSuffixesClick() {
    for (QWidget* field : {ui->edtExReNewPrefix, ui->edtExRePrefixDelimiterSubFolder,
                           ui->edtExReSubFolderDelimiterSuffix, ui->edtExReNewSuffix})
        field->setEnabled(true);
    ui->edtExReNewLastSubFolder->setEnabled(false);
    // Prefix, first delimiter, the old last name, second delimiter, suffix.
    examplekit::Fill(ui->lstExRePreview, {QStringLiteral("f:\\Clients\\Customer1\\2015-Emails_July"),
                                          QStringLiteral("f:\\Clients\\Customer2\\2015-SEO_July")});
}

void TfrmExamplesRename::rdoExRenameTheLastSubFolderClick() {
    for (QWidget* field : {ui->edtExReNewPrefix, ui->edtExRePrefixDelimiterSubFolder,
                           ui->edtExReSubFolderDelimiterSuffix, ui->edtExReNewSuffix})
        field->setEnabled(false);
    ui->edtExReNewLastSubFolder->setEnabled(true);
    examplekit::Fill(ui->lstExRePreview, {QStringLiteral("f:\\Clients\\Customer1\\Company"),
                                          QStringLiteral("f:\\Clients\\Customer2\\Company")});
}
