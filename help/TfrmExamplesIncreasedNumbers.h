// The example window of page 03: folders made from increased numbers.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmExamplesIncreasedNumbers;
}

class TfrmExamplesIncreasedNumbers : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExamplesIncreasedNumbers(QWidget* parent = nullptr);
    ~TfrmExamplesIncreasedNumbers() override;

    std::unique_ptr<Ui::TfrmExamplesIncreasedNumbers> ui;
};

extern TfrmExamplesIncreasedNumbers* frmExamplesIncreasedNumbers;
