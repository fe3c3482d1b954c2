// A window that start-up creates and nothing fills or shows: the folders
// that already existed or were not created for other reasons.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForcedUnSuccessFullForm;
}

class TForcedUnSuccessFullForm : public QDialog {
    Q_OBJECT
public:
    explicit TForcedUnSuccessFullForm(QWidget* parent = nullptr);
    ~TForcedUnSuccessFullForm() override;

private:
    std::unique_ptr<Ui::TForcedUnSuccessFullForm> ui;
};

extern TForcedUnSuccessFullForm* ForcedUnSuccessFullForm;
