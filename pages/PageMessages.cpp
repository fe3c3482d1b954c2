#include "pages/PageMessages.h"

std::string MessageCaption(const std::string& topic, const char* kind, const std::string& number,
                           const std::string& gap) {
    return topic + gap + kind + " no: " + number + ".";
}

std::string MessageCaption(const std::string& topic, const char* kind, int number, const std::string& gap) {
    return MessageCaption(topic, kind, std::to_string(number), gap);
}
