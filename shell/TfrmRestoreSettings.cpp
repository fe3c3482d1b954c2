#include "shell/TfrmRestoreSettings.h"

#include "core/SettingsStore.h"
#include "shell/TfrmMain.h"
#include "ui_TfrmRestoreSettings.h"

TfrmRestoreSettings* frmRestoreSettings = nullptr;

TfrmRestoreSettings::TfrmRestoreSettings(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmRestoreSettings) {
    ui->setupUi(this);
    connect(ui->btnRestoreSettingsOk, &QPushButton::clicked, this, &TfrmRestoreSettings::btnRestoreSettingsOkClick);
}

TfrmRestoreSettings::~TfrmRestoreSettings() {
    if (frmRestoreSettings == this) frmRestoreSettings = nullptr;
    delete ui;
}

void TfrmRestoreSettings::btnRestoreSettingsOkClick() {
    if (ui->rdoRestoreSettingsLastSavedAll->isChecked())
        SetRestoreMode(3);
    else if (ui->rdoRestoreSettingsLastSavedSettings->isChecked())
        SetRestoreMode(2);
    else
        SetRestoreMode(1);
    const bool remember = ui->chkRestoreSettingsRememberTheAnswer->isChecked();
    SetStartWindowState(remember ? 1 : 2);
    if (frmMain) frmMain->ShowStartWindowMenuState(!remember);
    accept();
}
