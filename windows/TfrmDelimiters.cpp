#include "windows/TfrmDelimiters.h"

#include "core/SettingsStore.h"
#include "ui_TfrmDelimiters.h"

TfrmDelimiters* frmDelimiters = nullptr;

TfrmDelimiters::TfrmDelimiters(QWidget* parent) : MarkListWindow(parent), ui(std::make_unique<Ui::TfrmDelimiters>()) {
    ui->setupUi(this);
    connect(ui->btnDelimitersAdd, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersAddClick);
    connect(ui->btnDelimitersIncToExc, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersIncToExcClick);
    connect(ui->btnDelimitersExcToInc, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersExcToIncClick);
    connect(ui->btnDelimitersAllFromInc, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersAllFromIncClick);
    connect(ui->btnDelimitersAllFromExc, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersAllFromExcClick);
    connect(ui->btnDelimitersExchangeIncExc, &QPushButton::clicked, this,
            &TfrmDelimiters::btnDelimitersExchangeIncExcClick);
    connect(ui->btnDelimitersDelete, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersDeleteClick);
    connect(ui->btnDelimitersRemoveAll, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersRemoveAllClick);
    connect(ui->btnDelimitersSetDefaults, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersSetDefaultsClick);
    connect(ui->btnDelimitersClose, &QPushButton::clicked, this, &TfrmDelimiters::btnDelimitersCloseClick);
    Setup setup;
    setup.included = ui->lstDelimitersIncluded;
    setup.excluded = ui->lstDelimitersExcluded;
    setup.add = ui->edtDelimitersAdd;
    setup.defaults = {",", ";", "space", "\"", "'", "|", "~", ":", "#", "&", "@", "$", "<", ">", ".", "-", "_"};
    setup.get = GetDelimList;
    setup.clear = ClearDelimList;
    setup.append = AddToDelimListChars;
    setup.addCaption = "Delimiters.            Warning no: ";
    setup.manageCaption = "Managing Delimiters.            Warning no: ";
    setup.limit0125 = "The Limit is 30,000 Delimiters";
    setup.limit0126 = "The limit is 30,000 Delimiters";
    setup.limit0127 = "The limit is 30,000 Delimiters";
    InitMarkList(std::move(setup));
}

TfrmDelimiters::~TfrmDelimiters() = default;

void TfrmDelimiters::LoadDelimiterLists() { LoadLists(); }
void TfrmDelimiters::btnDelimitersAddClick() { AddClick(); }
void TfrmDelimiters::btnDelimitersIncToExcClick() { IncToExcClick(); }
void TfrmDelimiters::btnDelimitersExcToIncClick() { ExcToIncClick(); }
void TfrmDelimiters::btnDelimitersAllFromIncClick() { AllFromIncClick(); }
void TfrmDelimiters::btnDelimitersAllFromExcClick() { AllFromExcClick(); }
void TfrmDelimiters::btnDelimitersExchangeIncExcClick() { ExchangeIncExcClick(); }
void TfrmDelimiters::btnDelimitersDeleteClick() { DeleteClick(); }
void TfrmDelimiters::btnDelimitersRemoveAllClick() { RemoveAllClick(); }
void TfrmDelimiters::btnDelimitersSetDefaultsClick() { SetDefaultsClick(); }
void TfrmDelimiters::btnDelimitersCloseClick() { CloseClick(); }
