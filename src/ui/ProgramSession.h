#pragma once

#include <QString>
#include <functional>
#include <optional>

class AppState;
class MainWindow;

// The program's start-up and shutdown around the main window: Config.ini, the stored
// cable, the communication log, the language, a settings file named on the command
// line; at the end the save question, Config.ini written back and the log ended.
class ProgramSession {
public:
    ProgramSession(AppState &state, MainWindow &window);

    // portOverride: a cable named on the command line (--port), empty for the stored
    // one. settingsFile: the settings file named on the command line, if any.
    void start(const QString &portOverride, const std::optional<QString> &settingsFile);
    // The close question and what follows it; false when the technician cancelled and
    // the window stays open.
    bool close();

    // Opens the cable selection (modal); set by the program. Start-up calls it, once
    // the window shows, when no cable could be opened.
    std::function<void()> openCableSelection;

private:
    void connectStoredCable(const QString &port);
    void openCommandLineFile(const QString &path);
    void storeCable();

    AppState &state_;
    MainWindow &window_;
};
