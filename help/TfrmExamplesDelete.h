// The example window of page 07: folder structures, main folders or files deleted.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesDelete;
}

class TfrmExamplesDelete : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesDelete(QWidget* parent = nullptr);
    ~TfrmExamplesDelete() override;

    // Shows what the checked option deletes and what it keeps.
    void ShowResults();

    std::unique_ptr<Ui::TfrmExamplesDelete> ui;
};

extern TfrmExamplesDelete* frmExamplesDelete;
