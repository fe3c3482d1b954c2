// An editable combo box whose items are the field's history. Qt makes such
// a field complete the typed text inline from its items, whatever their
// letter case: "*." shows "*.*" with the last star selected, and Enter,
// leaving the field or the window's OK then take "*.*". With that
// completer Enter and leaving the field also select an item that differs
// from the typed text only in letter case ("*.TXT" becomes "*.txt").
#pragma once

class QComboBox;

namespace qtplat {

enum class HistoryList {
    DropDown,          // the combo's own list only
    DropDownAndPopup,  // also a list under the field of the entries that begin with the typed text
};

// The history is offered as a list to pick from, never written into the
// field: what the field holds is what was typed or picked. Once, in the
// window's constructor.
void OfferHistoryAsList(QComboBox* combo, HistoryList list = HistoryList::DropDown);

}  // namespace qtplat
