// The multiline increased-numbers window of page 03: ten lines,
// each a range of increased numbers with its last subfolder, prefix and
// suffix. Created at start-up with every window; nothing shows it or reads
// it, so it has no effect on any run.
#pragma once

#include <QDialog>
#include <memory>

class QCheckBox;
class QLineEdit;

namespace Ui {
class TfrmVol03Multi;
}

class TfrmVol03Multi : public QDialog {
    Q_OBJECT

public:
    explicit TfrmVol03Multi(QWidget* parent = nullptr);
    ~TfrmVol03Multi() override;

    void FormCreate();
    // Line enabler of line 1 to 10: its five edits follow its check box.
    void chkVol03MultiEnabledDisabledClick(int line);
    // Every line's check box set to the flag, then every line enabler.
    void SetAllLines(bool flag);
    // All lines off, then the five edits of line 1 emptied.
    void ClearLineOne();
    void btnVol03MultiClearAllClick();
    // Line 1's prefix loses a character no folder name may hold, one at a time.
    void edtVol03MultiPrefix01Change();
    void edtVol03MultiPrefix01Exit() { edtVol03MultiPrefix01Change(); }

    QCheckBox* LineCheck(int line) const;
    QLineEdit* LineEdit(int line, int column) const;  // 0 last subfolder ... 4 suffix

    std::unique_ptr<Ui::TfrmVol03Multi> ui;
};

extern TfrmVol03Multi* frmVol03Multi;
