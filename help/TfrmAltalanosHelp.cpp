#include "help/TfrmAltalanosHelp.h"

#include "core/SettingsStore.h"
#include "help/HelpLook.h"
#include "help/HelpTexts.h"
#include "help/HelpWindows.h"
#include "ui_TfrmAltalanosHelp.h"

TfrmAltalanosHelp* frmAltalanosHelp = nullptr;

TfrmAltalanosHelp::TfrmAltalanosHelp(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmAltalanosHelp>()) {
    ui->setupUi(this);
    helplook::ApplyWindowLook(this);
    helplook::SetUpHelpList(ui->lstAltalanosHelp);
    helplook::MakeMaroonButton(ui->btnAltalanosHelpOk);
    helplook::MakeMaroonButton(ui->btnAltalanosHelpMoreHelp);
    setWindowTitle(QStringLiteral("Help for ") + QString::fromStdString(GetProgramTitle()));
    connect(ui->btnAltalanosHelpOk, &QPushButton::clicked, this, &TfrmAltalanosHelp::btnAltalanosHelpOkClick);
    connect(ui->btnAltalanosHelpMoreHelp, &QPushButton::clicked, this,
            &TfrmAltalanosHelp::btnAltalanosHelpMoreHelpClick);
}

TfrmAltalanosHelp::~TfrmAltalanosHelp() = default;

void TfrmAltalanosHelp::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TfrmAltalanosHelp::FormActivate() {
    ui->lstAltalanosHelp->clear();
    const bool known = Topic >= 1 && Topic <= HelpTopic::Count;
    const bool moreHelp = !known || helptext::TopicOffersMoreHelp(Topic);
    ui->btnAltalanosHelpMoreHelp->setEnabled(moreHelp);
    ui->btnAltalanosHelpMoreHelp->setVisible(moreHelp);
    if (!known) return;
    QStringList lines;
    for (const char* line : helptext::TopicBody(Topic)) lines << QString::fromUtf8(line);
    for (const char* line : helptext::TopicNotes(Topic)) lines << QString::fromUtf8(line);
    helplook::SetHelpLines(ui->lstAltalanosHelp, lines);
    ui->lstAltalanosHelp->scrollToTop();
}

void TfrmAltalanosHelp::btnAltalanosHelpOkClick() { accept(); }

// The help list keeps its place while More help is open.
void TfrmAltalanosHelp::btnAltalanosHelpMoreHelpClick() { ShowMoreHelp(); }
