// The one way any layer asks the user something or tells them something.
// The windows install a handler that shows a real box; tests install a
// MessageBoxScript that answers from a queue and records every box shown.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace plat {

// Button and icon flags, numbered as the program has always numbered them.
enum MsgFlags : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
};
constexpr unsigned MB_BUTTONMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;

enum MsgAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using MessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

// Shows a box through the installed handler and returns the answer.
// Without a handler (a program without windows) nothing is shown and the
// safe answer comes back: OK for an OK box, No/Cancel for a question.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

// The answer given when nobody answers: never the one that goes ahead.
int SafeAnswer(unsigned flags);

// Installs a handler; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// For tests: while alive, every box is recorded and answered from the queue
// (the safe answer once the queue is empty). Restores the previous handler.
class MessageBoxScript {
public:
    struct Shown {
        std::string text;
        std::string caption;
        unsigned flags = 0;
    };

    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void Queue(int answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    std::deque<int> answers_;
    std::vector<Shown> shown_;
    MessageBoxHandler previous_;
};

}  // namespace plat
