// The example window of page 10: files copied into a list of folders, with the three rules for a file
// that is already there.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesCopyFiles;
}

class TfrmExamplesCopyFiles : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesCopyFiles(QWidget* parent = nullptr);
    ~TfrmExamplesCopyFiles() override;

    // The results of the checked combination of the three option groups.
    void ShowResults();

    std::unique_ptr<Ui::TfrmExamplesCopyFiles> ui;
};

extern TfrmExamplesCopyFiles* frmExamplesCopyFiles;
