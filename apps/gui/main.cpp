#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "app/SingleInstance.h"
#include "link/PortConnection.h"
#include "ui/AppState.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0;

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("\"usb\", a serial device path or \"sim:KIND\""),
                                        QStringLiteral("PORT"));
    parser.addOption(portOption);
    parser.process(app);

    // The cable is looked up before Config.ini is created on a first start.
    const QString folder = ProgramFolder::path();
    const bool configExisted = QFile::exists(AppConfig::filePath(folder));
    const QString port = parser.isSet(portOption) ? parser.value(portOption) : configuredPort(QStringLiteral("TKV-C3"));

    MessageBoxPresenter messages;
    AppConfig config;
    QString configError;
    const bool configLoaded = config.load(folder, &configError) || configError.isEmpty();

    AppState state(messages, folder + QStringLiteral("LOG_comm_file.TXT"), config.logFile);
    if (configExisted && QFile::exists(config.languageFilePath) && !state.texts().load(config.languageFilePath))
        messages.showMessage(state.texts().errorString());

    state.selectModel(config.newTkv ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC);
    MainWindow window(state);
    messages.setParent(&window);
    window.resize(config.width, config.height);
    window.show();
    if (!configLoaded)
        messages.showMessage(configError);

    QString linkError;
    if (!state.connect(port, window, &linkError))
        messages.showMessage(linkError);

    const int result = app.exec();
    config.width = window.width();
    config.height = window.height();
    config.logFile = state.log().isEnabled();
    config.newTkv = state.model() != CommunicatorModel::TkvC;
    if (configLoaded && !config.save(&configError))
        messages.showMessage(configError);
    return result;
}
