#include "windows/TfrmQuotationMarks.h"

#include "core/SettingsStore.h"
#include "ui_TfrmQuotationMarks.h"

TfrmQuotationMarks* frmQuotationMarks = nullptr;

TfrmQuotationMarks::TfrmQuotationMarks(QWidget* parent)
    : MarkListWindow(parent), ui(std::make_unique<Ui::TfrmQuotationMarks>()) {
    ui->setupUi(this);
    connect(ui->btnQuotationMarksAdd, &QPushButton::clicked, this, &TfrmQuotationMarks::btnQuotationMarksAddClick);
    connect(ui->btnQuotationMarksIncToExc, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksIncToExcClick);
    connect(ui->btnQuotationMarksExcToInc, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksExcToIncClick);
    connect(ui->btnQuotationMarksAllFromInc, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksAllFromIncClick);
    connect(ui->btnQuotationMarksAllFromExc, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksAllFromExcClick);
    connect(ui->btnQuotationMarksExchangeIncExc, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksExchangeIncExcClick);
    connect(ui->btnQuotationMarksDelete, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksDeleteClick);
    connect(ui->btnQuotationMarksRemoveAll, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksRemoveAllClick);
    connect(ui->btnQuotationMarksDefaults, &QPushButton::clicked, this,
            &TfrmQuotationMarks::btnQuotationMarksDefaultsClick);
    connect(ui->btnQuotationMarksClose, &QPushButton::clicked, this, &TfrmQuotationMarks::btnQuotationMarksCloseClick);
    Setup setup;
    setup.included = ui->lstQuotationMarksIncluded;
    setup.excluded = ui->lstQuotationMarksExcluded;
    setup.add = ui->edtQuotationMarksAdd;
    setup.defaults = {",", ";", "space", "\",", "'", "|", "~", ":", "#", "&", "@", "$", "<", ">", ".", "-", "_"};
    setup.get = GetQuotList;
    setup.clear = ClearQuotList;
    setup.append = AddToQuotListChars;
    setup.addCaption = "QuotationMarks.            Warning no: ";
    setup.manageCaption = "Managing QuotationMarks.            Warning no: ";
    setup.limit0125 = "The Limit is 30,000 QuotationMarks";
    setup.limit0126 = "The limit is 30,000 QuotationMarks";
    setup.limit0127 = "The limit is 30,000 QuotationMarks";
    InitMarkList(std::move(setup));
}

TfrmQuotationMarks::~TfrmQuotationMarks() = default;

void TfrmQuotationMarks::LoadQuotationMarkLists() { LoadLists(); }
void TfrmQuotationMarks::btnQuotationMarksAddClick() { AddClick(); }
void TfrmQuotationMarks::btnQuotationMarksIncToExcClick() { IncToExcClick(); }
void TfrmQuotationMarks::btnQuotationMarksExcToIncClick() { ExcToIncClick(); }
void TfrmQuotationMarks::btnQuotationMarksAllFromIncClick() { AllFromIncClick(); }
void TfrmQuotationMarks::btnQuotationMarksAllFromExcClick() { AllFromExcClick(); }
void TfrmQuotationMarks::btnQuotationMarksExchangeIncExcClick() { ExchangeIncExcClick(); }
void TfrmQuotationMarks::btnQuotationMarksDeleteClick() { DeleteClick(); }
void TfrmQuotationMarks::btnQuotationMarksRemoveAllClick() { RemoveAllClick(); }
void TfrmQuotationMarks::btnQuotationMarksDefaultsClick() { SetDefaultsClick(); }
void TfrmQuotationMarks::btnQuotationMarksCloseClick() { CloseClick(); }
