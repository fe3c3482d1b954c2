// The Include-list editor of the copy-folders page (08).
// Takes normalised full paths only.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol08EditIncludeList;
}

class TfrmVol08EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol08EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol08EditIncludeList() override;

    void btnVol08EditIncludeListOkClick();
    void btnVol08EditIncludeListCancelClick();
    void mmoVol08EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol08EditIncludeList> ui;
};

extern TfrmVol08EditIncludeList* frmVol08EditIncludeList;
