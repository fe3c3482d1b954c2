#include "help/TfrmDriveSelect.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmDriveSelect.h"

TfrmDriveSelect* frmDriveSelect = nullptr;

TfrmDriveSelect::TfrmDriveSelect(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmDriveSelect>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnADSClose);
    examplekit::Fill(ui->lstADSStringList, {QStringLiteral("Customer1"), QStringLiteral("Customer2")});
    auto* options = new examplekit::AttachOptions(
        this,
        {ui->rdoExCrStringsAttachNothing,
         ui->rdoExCrStringsAttachFolderTemplates,
         ui->rdoExCrStringsAttachFolderStructures,
         {ui->rdoExCrStringsAttachMainFolders, ui->rdoExCrStringsAttachSubFoldersOnly,
          ui->rdoExCrStringsAttachMainFoldersWithFiles, ui->rdoExCrStringsAttachSubFoldersOnlyWithFiles}},
        ui->lstExamplesCreateStringsFolderStructures, ui->lstADSPreview,
        {QStringLiteral("f:\\Clients\\2015-Customer1-July"), QStringLiteral("f:\\Clients\\2015-Customer2-July")},
        QStringLiteral("Emails"));
    options->ShowDefault();
}

TfrmDriveSelect::~TfrmDriveSelect() = default;
