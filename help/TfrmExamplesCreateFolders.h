// The example window of page 04: folders made from a list of folders.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesCreateFolders;
}

class TfrmExamplesCreateFolders : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesCreateFolders(QWidget* parent = nullptr);
    ~TfrmExamplesCreateFolders() override;

    std::unique_ptr<Ui::TfrmExamplesCreateFolders> ui;
};

extern TfrmExamplesCreateFolders* frmExamplesCreateFolders;
