#include "help/TfrmExamplesIncreasedNumbers.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesIncreasedNumbers.h"

TfrmExamplesIncreasedNumbers* frmExamplesIncreasedNumbers = nullptr;

TfrmExamplesIncreasedNumbers::TfrmExamplesIncreasedNumbers(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesIncreasedNumbers>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExCrIncClose);
    auto* options = new examplekit::AttachOptions(
        this,
        {ui->rdoExCrIncAttachNothing,
         ui->rdoExCrIncAttachFolderTemplates,
         ui->rdoExCrIncAttachFolderStructures,
         {ui->rdoExCrIncAttachMainFolders, ui->rdoExCrIncAttachSubFoldersOnly,
          ui->rdoExCrIncAttachMainFoldersWithFiles, ui->rdoExCrIncAttachSubFoldersOnlyWithFiles}},
        ui->lstExCrIncFolderStructures, ui->lstExCrIncPreview,
        {QStringLiteral("f:\\Clients\\Customer-1-2015"), QStringLiteral("f:\\Clients\\Customer-2-2015")},
        QStringLiteral("Emails"));
    options->ShowDefault();
}

TfrmExamplesIncreasedNumbers::~TfrmExamplesIncreasedNumbers() = default;
