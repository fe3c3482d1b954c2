// The Include-list editor of the consistency checker (15).
// Takes normalised full paths only.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol15EditIncludeList;
}

class TfrmVol15EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol15EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol15EditIncludeList() override;

    void btnVol15EditIncludeListOkClick();
    void btnVol15EditIncludeListCancelClick();
    void mmoVol15EditIncludeListKeyPress();
    void mmoVol15EditIncludeListClick();

private:
    std::unique_ptr<Ui::TfrmVol15EditIncludeList> ui;
};

extern TfrmVol15EditIncludeList* frmVol15EditIncludeList;
