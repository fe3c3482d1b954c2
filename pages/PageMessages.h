// The pages' messages: one message as data, the one caption builder and
// the button and icon flags every page's boxes use.
#pragma once

#include <cstdint>
#include <string>

#include "platform/MessageBox.h"

// One message of a page: its text and its caption.
struct PageMessage {
    std::string text;
    std::string caption;
};

// A message's caption: the topic, a gap (twelve blanks unless told), the
// kind ("Warning", "Information") with " no: ", and the number with a full stop.
std::string MessageCaption(const std::string& topic, const char* kind, const std::string& number,
                           const std::string& gap = "            ");
std::string MessageCaption(const std::string& topic, const char* kind, int number,
                           const std::string& gap = "            ");

// The disk-space check's shortage message: the required bytes in the
// six-digit number form, or as a whole number with `wholeRequired`.
std::string DiskShortageText(const std::string& root, std::uint64_t freeBytes, double requiredBytes,
                             bool wholeRequired = false);

namespace pagekit {

inline constexpr unsigned kWarn = plat::MB_OK | plat::MB_ICONWARNING;
inline constexpr unsigned kInfo = plat::MB_OK | plat::MB_ICONINFORMATION;
inline constexpr unsigned kError = plat::MB_OK | plat::MB_ICONERROR;
// Yes/No with No the default.
inline constexpr unsigned kAsk = plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2;

}  // namespace pagekit
