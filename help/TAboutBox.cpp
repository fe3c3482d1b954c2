#include "help/TAboutBox.h"

#include <QApplication>
#include <QStyle>

#include "core/SettingsStore.h"
#include "help/HelpLook.h"
#include "help/HelpWindows.h"
#include "help/HyperlinkLabel.h"
#include "ui_TAboutBox.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>()) {
    ui->setupUi(this);
    const QString title = QString::fromStdString(GetProgramTitle());
    setWindowTitle(title);
    ui->ProductName->setText(title);
    QFont nameFont = ui->ProductName->font();
    nameFont.setBold(true);
    ui->ProductName->setFont(nameFont);
    // The program has no icon of its own; a folder says what it works on.
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_DirIcon)
                                                            : QApplication::windowIcon();
    ui->ProgramIcon->setPixmap(icon.pixmap(33, 33));
    connect(MakeHyperlinkStatic(ui->statHtmlVelbrook), &HyperlinkLabel::activated, this,
            &TAboutBox::statHtmlVelbrookClick);
    connect(ui->btnAboutOk, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::statHtmlVelbrookClick() { OpenProgramPage(); }
