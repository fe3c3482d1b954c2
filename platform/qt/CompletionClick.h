// A click that ends typing in a field with a completion list: the list
// closes and the click still reaches the control it was given on, as it
// does where the list is not a popup holding the pointer. Qt's completer
// would take that click only to close its list, so that typing a folder
// and clicking the next button at once did nothing.
#pragma once

namespace qtplat {

// Watches every completion list of the application from now on; once per
// application object.
void InstallCompletionClickThrough();

}  // namespace qtplat
