// The program-wide list of quotation marks (QuotList), which the import window
// offers. Close stores the Included list and saves the settings file.
#pragma once

#include <memory>

#include "windows/MarkListWindow.h"

namespace Ui {
class TfrmQuotationMarks;
}

class TfrmQuotationMarks : public MarkListWindow {
    Q_OBJECT

public:
    explicit TfrmQuotationMarks(QWidget* parent = nullptr);
    ~TfrmQuotationMarks() override;

    void LoadQuotationMarkLists();
    void btnQuotationMarksAddClick();
    void btnQuotationMarksIncToExcClick();
    void btnQuotationMarksExcToIncClick();
    void btnQuotationMarksAllFromIncClick();
    void btnQuotationMarksAllFromExcClick();
    void btnQuotationMarksExchangeIncExcClick();
    void btnQuotationMarksDeleteClick();
    void btnQuotationMarksRemoveAllClick();
    void btnQuotationMarksDefaultsClick();
    void btnQuotationMarksCloseClick();

private:
    std::unique_ptr<Ui::TfrmQuotationMarks> ui;
};

extern TfrmQuotationMarks* frmQuotationMarks;
