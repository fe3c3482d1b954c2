// What the delimiter and quotation-mark windows share: an Included list
// (the marks that are stored) and an Excluded list (parked for this run),
// moves between them, and Close, which stores the Included list and saves
// the settings file.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/Types.h"

class QLineEdit;
class QListWidget;

class MarkListWindow : public QDialog {
    Q_OBJECT

protected:
    struct Setup {
        QListWidget* included = nullptr;
        QListWidget* excluded = nullptr;
        QLineEdit* add = nullptr;
        std::vector<std::string> defaults;  // the window's own table
        // The stored list.
        StringList (*get)() = nullptr;
        void (*clear)() = nullptr;
        void (*append)(const std::string&) = nullptr;
        // "Delimiters." / "QuotationMarks." captions of Add, "Managing ..." of the rest.
        std::string addCaption;
        std::string manageCaption;
        std::string limit0125, limit0126, limit0127;
    };

    explicit MarkListWindow(QWidget* parent);
    void InitMarkList(Setup setup);

    void LoadLists();
    void AddClick();
    void IncToExcClick();
    void ExcToIncClick();
    void AllFromIncClick();
    void AllFromExcClick();
    void ExchangeIncExcClick();
    void DeleteClick();
    void RemoveAllClick();
    void SetDefaultsClick();
    void CloseClick();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Warn(const std::string& text, const std::string& number, bool add = false);
    bool Ask(const std::string& text, const std::string& number);

    Setup setup_;
    StringList defaultList_;
    StringList workingList_;
};
