// The example window of page 12: files renamed by prefix and suffix or by a new file type.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesRenameFiles;
}

class TfrmExamplesRenameFiles : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesRenameFiles(QWidget* parent = nullptr);
    ~TfrmExamplesRenameFiles() override;

    // A method click resets where and how to rename to their defaults.
    void MethodClicked();
    void ShowResults();

    std::unique_ptr<Ui::TfrmExamplesRenameFiles> ui;
};

extern TfrmExamplesRenameFiles* frmExamplesRenameFiles;
