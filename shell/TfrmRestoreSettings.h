// The start window: what the main window starts with (last settings and
// lists, last settings with empty lists, or the defaults), and whether to
// ask again next time.
#pragma once

#include <QDialog>

namespace Ui {
class TfrmRestoreSettings;
}

class TfrmRestoreSettings : public QDialog {
    Q_OBJECT

public:
    explicit TfrmRestoreSettings(QWidget* parent = nullptr);
    ~TfrmRestoreSettings() override;

    // Stores the answer (RestoreMode, StartWindowState and the Settings
    // menu item of the main window) and closes with OK.
    void btnRestoreSettingsOkClick();

    Ui::TfrmRestoreSettings* ui;
};

extern TfrmRestoreSettings* frmRestoreSettings;
