#include "help/TfrmMoreHelp.h"

#include "core/SettingsStore.h"
#include "help/HelpLook.h"
#include "help/HelpTexts.h"
#include "ui_TfrmMoreHelp.h"

TfrmMoreHelp* frmMoreHelp = nullptr;

TfrmMoreHelp::TfrmMoreHelp(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmMoreHelp>()) {
    ui->setupUi(this);
    helplook::ApplyWindowLook(this);
    helplook::SetUpHelpList(ui->lstMoreHelp);
    helplook::MakeMaroonButton(ui->btnMorehelpOk);
    setWindowTitle(QStringLiteral("More Help Topics for ") + QString::fromStdString(GetProgramTitle()));
    QStringList lines;
    for (const char* line : helptext::MoreHelpLines()) lines << QString::fromUtf8(line);
    helplook::SetHelpLines(ui->lstMoreHelp, lines);
    connect(ui->btnMorehelpOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmMoreHelp::~TfrmMoreHelp() = default;
