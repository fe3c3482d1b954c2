#include "platform/qt/HistoryField.h"

#include <QComboBox>
#include <QCompleter>

namespace qtplat {

void OfferHistoryAsList(QComboBox* combo, HistoryList list) {
    if (!combo || !combo->isEditable()) return;
    if (list == HistoryList::DropDown) {
        // Without a completer the combo box also compares the typed text
        // with its items in letter case.
        combo->setCompleter(nullptr);
        return;
    }
    // The completer the field was made with, on the combo's own items.
    QCompleter* completer = combo->completer();
    if (!completer) return;
    completer->setCompletionMode(QCompleter::PopupCompletion);
    // Letter case counts, as it does in the file system's names.
    completer->setCaseSensitivity(Qt::CaseSensitive);
}

}  // namespace qtplat
