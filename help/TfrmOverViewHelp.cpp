#include "help/TfrmOverViewHelp.h"

#include "core/SettingsStore.h"
#include "help/HelpLook.h"
#include "help/HelpTexts.h"
#include "help/HelpWindows.h"
#include "help/HyperlinkLabel.h"
#include "ui_TfrmOverViewHelp.h"

TfrmOverViewHelp* frmOverViewHelp = nullptr;

TfrmOverViewHelp::TfrmOverViewHelp(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmOverViewHelp>()) {
    ui->setupUi(this);
    helplook::ApplyWindowLook(this);
    helplook::SetUpHelpList(ui->lstOverViewHelp);
    helplook::MakeMaroonButton(ui->btnOverviewhelpOk);
    const QString title = QString::fromStdString(GetProgramTitle());
    setWindowTitle(title + QStringLiteral(" OverView, some questions."));

    QStringList lines{QStringLiteral("   ") + title + QStringLiteral(" - Overview.")};
    for (const char* line : helptext::OverviewLines()) lines << QString::fromUtf8(line);
    helplook::SetHelpLines(ui->lstOverViewHelp, lines);

    QFont linkFont(QStringLiteral("Verdana"));
    linkFont.setPixelSize(12);
    const std::pair<QLabel*, void (TfrmOverViewHelp::*)()> links[] = {
        {ui->statHtmlQuillmere, &TfrmOverViewHelp::statHtmlQuillmereClick},
        {ui->statHtmlAskExpert, &TfrmOverViewHelp::statHtmlAskExpertClick},
        {ui->statHtmlSupport, &TfrmOverViewHelp::statHtmlSupportClick},
    };
    for (const auto& [label, handler] : links) {
        label->setFont(linkFont);
        connect(MakeHyperlinkStatic(label), &HyperlinkLabel::activated, this, handler);
    }
    connect(ui->btnOverviewhelpOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmOverViewHelp::~TfrmOverViewHelp() = default;

void TfrmOverViewHelp::statHtmlAskExpertClick() { OpenProgramPage(); }
void TfrmOverViewHelp::statHtmlSupportClick() { OpenProgramPage(); }
void TfrmOverViewHelp::statHtmlQuillmereClick() { OpenProgramPage(); }
