// A window that start-up creates and nothing fills or shows: the subfolders
// that already existed or were not created for other reasons.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TSubFolderUnSuccessFullForm;
}

class TSubFolderUnSuccessFullForm : public QDialog {
    Q_OBJECT
public:
    explicit TSubFolderUnSuccessFullForm(QWidget* parent = nullptr);
    ~TSubFolderUnSuccessFullForm() override;

    void btnSubFolderUnSuccessFullOkClick();

private:
    std::unique_ptr<Ui::TSubFolderUnSuccessFullForm> ui;
};

extern TSubFolderUnSuccessFullForm* SubFolderUnSuccessFullForm;
