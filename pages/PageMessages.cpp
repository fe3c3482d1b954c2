#include "pages/PageMessages.h"

#include <limits>

#include "core/FileNames.h"

std::string MessageCaption(const std::string& topic, const char* kind, const std::string& number,
                           const std::string& gap) {
    return topic + gap + kind + " no: " + number + ".";
}

std::string MessageCaption(const std::string& topic, const char* kind, int number, const std::string& gap) {
    return MessageCaption(topic, kind, std::to_string(number), gap);
}

std::string DiskShortageText(const std::string& root, std::uint64_t freeBytes, double required,
                             bool wholeRequired) {
    const double maxBytes = static_cast<double>(std::numeric_limits<std::uint64_t>::max());
    const std::uint64_t requiredBytes = required >= maxBytes ? std::numeric_limits<std::uint64_t>::max()
                                                             : static_cast<std::uint64_t>(required);
    return "There is not enough space on the disk.\nThe free space on the disk " + root + " is : " +
           FormatByteSize(freeBytes) + "    " + UInt64ToStr(freeBytes) + " bytes\n" +
           "The program requires : " + FormatByteSize(requiredBytes) + "    " +
           (wholeRequired ? UInt64ToStr(requiredBytes) : DoubleToStr(required)) + " bytes.";
}
