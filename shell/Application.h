// The application object: an exception that escapes a handler is shown to
// the user and the program goes on.
#pragma once

#include <QApplication>
#include <string>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an exception's message the way the application object does.
void ShowException(const std::string& message);
