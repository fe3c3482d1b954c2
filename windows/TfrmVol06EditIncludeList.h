// The Include-list editor of the rename-folders page (06).
// Takes normalised full paths only; never the root of a drive.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol06EditIncludeList;
}

class TfrmVol06EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol06EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol06EditIncludeList() override;

    void btnVol06EditIncludeListOkClick();
    void btnVol06EditIncludeListCancelClick();
    void mmoVol06EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol06EditIncludeList> ui;
};

extern TfrmVol06EditIncludeList* frmVol06EditIncludeList;
