#include "shell/Application.h"

#include <exception>

#include "core/SettingsStore.h"
#include "platform/MessageBox.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("");
    }
    return false;
}

void ShowException(const std::string& message) {
    plat::MessageBox(message, GetProgramTitle(), plat::MB_OK | plat::MB_ICONERROR);
}
