#include "ui/ProgramSession.h"

#include "ui/AppState.h"
#include "ui/MainWindow.h"

#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "link/PortConnection.h"
#include "link/SerialPortList.h"
#include "params/SettingsFile.h"

#include <QTimer>

namespace {

// Language paths this short name no file; the load is skipped.
constexpr int shortestLanguagePath = 9;
const QString simPrefix = QStringLiteral("sim:");

} // namespace

ProgramSession::ProgramSession(AppState &state, MainWindow &window) : state_(state), window_(window) {}

void ProgramSession::start(const QString &portOverride, const std::optional<QString> &settingsFile)
{
    AppConfig &config = state_.config;
    QString error;
    const bool existed = config.load(ProgramFolder::path(), &error);
    if (!error.isEmpty())
        state_.messages().showMessage(error);

    if (existed) {
        connectStoredCable(portOverride.isEmpty() ? storedPort(config) : portOverride);
        if (!config.logFile)
            state_.log().switchOff();
        window_.selectModel(config.newTkv ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC);
        window_.resize(config.width, config.height);
    } else {
        // A first start: the log is on; the cable is chosen by the technician.
        config.logFile = true;
        if (!portOverride.isEmpty())
            connectStoredCable(portOverride);
    }
    if (!state_.linkReady() && openCableSelection)
        QTimer::singleShot(0, &window_, [this] { openCableSelection(); });

    if (config.logFile)
        state_.log().begin(window_.windowTitle());
    if (config.languageFilePath.size() >= shortestLanguagePath)
        window_.loadLanguage();
    window_.showLogState();

    state_.settingsFilePath.clear();
    if (settingsFile)
        openCommandLineFile(*settingsFile);
}

void ProgramSession::connectStoredCable(const QString &port)
{
    if (port.isEmpty())
        return;
    QString error;
    // A stored cable that does not open is no reason for a message: the cable
    // selection follows and reports its own failures.
    if (!state_.connect(port, window_, &error) && !error.isEmpty())
        state_.messages().showMessage(error);
}

void ProgramSession::openCommandLineFile(const QString &path)
{
    const QString problem = settingsPathProblem(path, SettingsPathSource::CommandLine, state_.texts());
    if (!problem.isEmpty()) {
        state_.messages().showMessage(problem);
        return;
    }
    window_.openSettingsFile(path);
}

bool ProgramSession::close()
{
    const Answer answer = state_.messages().askYesNoCancel(state_.texts().text(QStringLiteral("Message"), 44),
                                                           state_.texts().text(QStringLiteral("Message"), 45));
    if (answer == Answer::Cancel)
        return false;
    window_.hangUpOnExit();
    window_.stopDevicePoll();
    if (answer == Answer::Yes) {
        state_.savePrefill = true;
        window_.saveSettingsAs();
    }

    AppConfig &config = state_.config;
    storeCable();
    config.logFile = state_.log().isEnabled();
    config.newTkv = state_.model() != CommunicatorModel::TkvC;
    config.width = window_.width();
    config.height = window_.height();
    config.left = window_.x();
    config.top = window_.y();
    QString error;
    if (!config.save(&error))
        state_.messages().showMessage(error);
    state_.log().stop();
    return true;
}

// The cable in use, as Config.ini keeps it.
void ProgramSession::storeCable()
{
    AppConfig &config = state_.config;
    const QString port = state_.port();
    config.usb = port == QLatin1String("usb") ? 1 : 0;
    config.sim = port.startsWith(simPrefix) ? port.mid(simPrefix.size()) : QString();
    const bool serial = !port.isEmpty() && !config.usb && config.sim.isEmpty();
    config.comPath = serial ? port : QString();
    config.com = serial ? SerialPortList().numberOf(port) : 0;
}
