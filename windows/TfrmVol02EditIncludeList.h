// The Include-list editor of the create-from-strings page (02).
// Takes normalised relative paths only.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol02EditIncludeList;
}

class TfrmVol02EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol02EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol02EditIncludeList() override;

    void btnVol02EditOkClick();
    void btnVol02EditCancelClick();
    void mmoVol02EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol02EditIncludeList> ui;
};

extern TfrmVol02EditIncludeList* frmVol02EditIncludeList;
