// The example window of page 08: folder structures or templates copied into a list of folders.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesCopy;
}

class TfrmExamplesCopy : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesCopy(QWidget* parent = nullptr);
    ~TfrmExamplesCopy() override;

    std::unique_ptr<Ui::TfrmExamplesCopy> ui;
};

extern TfrmExamplesCopy* frmExamplesCopy;
