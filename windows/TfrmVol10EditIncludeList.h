// The Include-list editor of the copy-files page (10).
// Takes the trimmed lines as they are.
#pragma once

#include <memory>

#include "windows/IncludeListEditor.h"

namespace Ui {
class TfrmVol10EditIncludeList;
}

class TfrmVol10EditIncludeList : public IncludeListEditor {
    Q_OBJECT

public:
    explicit TfrmVol10EditIncludeList(QWidget* parent = nullptr);
    ~TfrmVol10EditIncludeList() override;

    void btnVol10EditIncludeListOkClick();
    void btnVol10EditIncludeListCancelClick();
    void mmoVol10EditIncludeListKeyPress();

private:
    std::unique_ptr<Ui::TfrmVol10EditIncludeList> ui;
};

extern TfrmVol10EditIncludeList* frmVol10EditIncludeList;
