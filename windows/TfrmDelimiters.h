// The program-wide list of delimiters (DelimList), which the import window
// offers. Close stores the Included list and saves the settings file.
#pragma once

#include <memory>

#include "windows/MarkListWindow.h"

namespace Ui {
class TfrmDelimiters;
}

class TfrmDelimiters : public MarkListWindow {
    Q_OBJECT

public:
    explicit TfrmDelimiters(QWidget* parent = nullptr);
    ~TfrmDelimiters() override;

    void LoadDelimiterLists();
    void btnDelimitersAddClick();
    void btnDelimitersIncToExcClick();
    void btnDelimitersExcToIncClick();
    void btnDelimitersAllFromIncClick();
    void btnDelimitersAllFromExcClick();
    void btnDelimitersExchangeIncExcClick();
    void btnDelimitersDeleteClick();
    void btnDelimitersRemoveAllClick();
    void btnDelimitersSetDefaultsClick();
    void btnDelimitersCloseClick();

private:
    std::unique_ptr<Ui::TfrmDelimiters> ui;
};

extern TfrmDelimiters* frmDelimiters;
