#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "app/SingleInstance.h"
#include "ui/AppState.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QScreen>

int main(int argc, char **argv)
{
    // Qt 6.4's FFmpeg media backend crashes without a sound device; GStreamer is sound.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    // The desktop entry's name and the icon it installs.
    QGuiApplication::setDesktopFileName(QStringLiteral("ostrakel-configurator"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ostrakel-configurator")));
    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0;

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("\"usb\", a serial device path or \"sim:KIND\""),
                                        QStringLiteral("PORT"));
    parser.addOption(portOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A settings file (*.GDL) to open"));
    parser.process(app);

    MessageBoxPresenter messages;
    AppState state(messages, ProgramFolder::path() + QStringLiteral("LOG_comm_file.TXT"), false);
    state.soundOutputs = soundOutputNames();
    MainWindow window(state);
    messages.setParent(&window);
    ProgramSession session(state, window);
    window.onClose = [&session] { return session.close(); };
    session.openCableSelection = [&window] { window.openCableSelection(); };

    // Centred on the desktop at the window's own size; a stored size follows.
    window.resize(window.minimumWidth(), AppConfig::builtInHeight);
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();

    const QStringList files = parser.positionalArguments();
    session.start(parser.value(portOption), files.isEmpty() ? std::nullopt : std::optional<QString>(files.first()));
    return app.exec();
}
