// The example window of page 02: folders made from a list of strings.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmDriveSelect;
}

class TfrmDriveSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDriveSelect(QWidget* parent = nullptr);
    ~TfrmDriveSelect() override;

    std::unique_ptr<Ui::TfrmDriveSelect> ui;
};

extern TfrmDriveSelect* frmDriveSelect;
