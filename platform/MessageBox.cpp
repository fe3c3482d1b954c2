#include "platform/MessageBox.h"

namespace plat {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

int SafeAnswer(unsigned flags) {
    switch (flags & MB_BUTTONMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    default: return IDCANCEL;
    }
}

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (auto& h = Handler()) return h(text, caption, flags);
    return SafeAnswer(flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

MessageBoxScript::MessageBoxScript() {
    previous_ = SetMessageBoxHandler([this](const std::string& text, const std::string& caption,
                                            unsigned flags) {
        shown_.push_back({text, caption, flags});
        if (answers_.empty()) return SafeAnswer(flags);
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

MessageBoxScript::~MessageBoxScript() { SetMessageBoxHandler(std::move(previous_)); }

}  // namespace plat
