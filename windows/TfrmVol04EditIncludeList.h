// The Include-list editor of the create-from-paths page (04).
// Takes normalised full paths only.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol04EditIncludeList;
}

class TfrmVol04EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol04EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol04EditIncludeList() override;

    void btnVol04EditIncludeListOkClick();
    void btnVol04EditIncludeListCancelClick();
    void mmoVol04EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol04EditIncludeList> ui;
};

extern TfrmVol04EditIncludeList* frmVol04EditIncludeList;
