// Renders the main window for every kind of simulated device and every page node into
// PNG files, so that the layout can be reviewed without a cable or a technician:
//   OUTDIR/<kind>/node-NN.png       the window at 1000x720 with tree node NN shown
//   OUTDIR/<kind>/min-node-NN.png   the same at the window's minimum size
//   OUTDIR/<kind>/page-NN-full.png  the whole content of page NN, not only what fits
//   OUTDIR/windows/*.png            the cable selection, about, information, comparison, history
//                                   remote programming and firmware windows
#include "app/MessagePresenter.h"
#include "protocol/CommandExchange.h"
#include "ui/AboutDialog.h"
#include "ui/AppState.h"
#include "ui/CableSelectionDialog.h"
#include "ui/CompareDialog.h"
#include "ui/FirmwareDialog.h"
#include "ui/HistoryDialog.h"
#include "history/ReadingHistory.h"
#include "ui/LegacyTalkerDialog.h"
#include "ui/ToneSamplesDialog.h"
#include "ui/VoiceMessagesDialog.h"
#include "voice/VoiceUpload.h"
#include "ui/ConnectDialog.h"
#include "ui/RemoteReadDialog.h"
#include "ui/RemoteWriteDialog.h"
#include "remote/RemoteLink.h"
#include "ui/InfoWindow.h"
#include "ui/MainWindow.h"
#include "ui/PageTree.h"
#include "ui/ParameterPages.h"

#include <QLabel>
#include <QTreeWidget>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScrollArea>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// Messages go to standard error: a modal box would stop the run.
struct StderrPresenter : MessagePresenter {
    void showMessage(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

// The model selected before the first identification is the one whose request the
// device answers with the reply length that model expects.
struct DeviceKind {
    const char *name;
    CommunicatorModel model;
};
constexpr DeviceKind deviceKinds[] = {
    {"TKV-C", CommunicatorModel::TkvC},     {"TKV-C2", CommunicatorModel::TkvC2},
    {"TKV-C3", CommunicatorModel::TkvC3},   {"Option", CommunicatorModel::TkvC2},
    {"Switch", CommunicatorModel::TkvC2},
};

struct Shot {
    QSize size;
    const char *prefix;
    bool withFullPages;
};
constexpr Shot shots[] = {{{1000, 720}, "", true}, {{660, 570}, "min-", false}};

// Above the exchange's own time-out and the pauses after it.
constexpr int identificationLimitMs = 8000;
constexpr int layoutLimitMs = 2000;

// Runs the event loop until done() or the limit; false when the limit came first.
bool waitUntil(const std::function<bool()> &done, int limitMs)
{
    if (done())
        return true;
    const QDeadlineTimer deadline(limitMs);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    check.start(5);
    loop.exec();
    return done();
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class Renderer {
public:
    explicit Renderer(const QDir &out) : out_(out) {}

    bool save(const QPixmap &pixmap, const QString &fileName)
    {
        const QString path = out_.filePath(fileName);
        if (pixmap.isNull() || !pixmap.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
            return false;
        }
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        std::fflush(stdout);
        return true;
    }

    // The content of the shown page at the height it asks for, at the width the page
    // has in the window.
    bool saveFullPage(ParameterPages &pages)
    {
        auto *area = qobject_cast<QScrollArea *>(pages.currentWidget());
        if (!area || !area->widget())
            return true;
        QWidget *content = area->widget();
        const int width = area->viewport()->width();
        const int height = content->hasHeightForWidth() ? content->heightForWidth(width) : content->sizeHint().height();
        // A resizable scroll area fits its widget back to the viewport on every resize.
        area->setWidgetResizable(false);
        content->resize(width, std::max(height, content->sizeHint().height()));
        const QPixmap pixmap = content->grab();
        area->setWidgetResizable(true);
        return save(pixmap, QStringLiteral("page-%1-full.png").arg(pages.currentIndex(), 2, 10, QLatin1Char('0')));
    }

private:
    QDir out_;
};

// Sends one identification request and waits for the exchange to end. False when the
// device did not answer in time.
bool identifyOnce(MainWindow &window, AppState &state)
{
    window.pollDevice();
    CommandExchange *exchange = state.exchange();
    return waitUntil([exchange] { return !exchange->isActive() && exchange->isIdle(); }, identificationLimitMs)
           && exchange->lastResult() == ExchangeResult::Completed;
}

// The texts of a language file beside this program (German.lng ...); the built-in
// English ones for an empty name.
bool loadLanguage(AppState &state, const QString &language)
{
    if (language.isEmpty())
        return true;
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + language + QStringLiteral(".lng");
    if (state.texts().load(path))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(state.texts().errorString()));
    return false;
}

bool renderKind(const DeviceKind &kind, const QDir &outRoot, const QString &logPath, const QString &language)
{
    const QString name = QString::fromLatin1(kind.name);
    if (!outRoot.mkpath(name)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(QDir::toNativeSeparators(outRoot.filePath(name))));
        return false;
    }
    StderrPresenter messages;
    AppState state(messages, logPath, false);
    if (!loadLanguage(state, language))
        return false;
    state.selectModel(kind.model);
    MainWindow window(state);
    window.resize(shots[0].size);
    window.show();
    QString error;
    if (!state.connect(QStringLiteral("sim:") + name, window, &error)) {
        std::fprintf(stderr, "%s: %s\n", kind.name, qPrintable(error));
        return false;
    }
    // The poll runs by hand here so that no request is on the wire while rendering.
    window.stopDevicePoll();
    // The first answer identifies the device; the next poll lets the panel and the pages
    // follow it. Its own answer is not needed: the pictures show the first one.
    if (!identifyOnce(window, state)) {
        std::fprintf(stderr, "%s: the simulated device on sim:%s did not answer the identification request\n",
                     kind.name, kind.name);
        return false;
    }
    if (!identifyOnce(window, state))
        std::fprintf(stderr, "%s: the device poll after the identification got no complete answer "
                             "(the model is now %s)\n",
                     kind.name, qPrintable(modelName(state.model())));
    // An exchange that timed out starts the poll again.
    window.stopDevicePoll();

    Renderer renderer{QDir(outRoot.filePath(name))};
    for (const Shot &shot : shots) {
        window.resize(shot.size);
        if (!waitUntil([&] { return window.size() == shot.size; }, layoutLimitMs))
            std::fprintf(stderr, "%s: the window is %dx%d instead of %dx%d\n", kind.name, window.width(),
                         window.height(), shot.size.width(), shot.size.height());
        QSet<int> pagesSaved;
        for (int node = 0; node < PageTree::nodeCount; ++node) {
            window.pageTree()->setCurrentItem(window.pageTree()->node(node));
            window.showNode(node);
            settle();
            const QString file = QStringLiteral("%1node-%2.png").arg(QLatin1String(shot.prefix)).arg(node, 2, 10, QLatin1Char('0'));
            if (!renderer.save(window.grab(), file))
                return false;
            const int page = window.pages()->currentIndex();
            if (shot.withFullPages && !pagesSaved.contains(page)) {
                pagesSaved.insert(page);
                if (!renderer.saveFullPage(*window.pages()))
                    return false;
                settle();
            }
        }
    }
    return true;
}

// The small windows of the shell over a main window on the TKV-C3 simulator. The
// cable window gets a sample port listing, so that its port texts can be reviewed on a
// machine without serial ports.
// The remote programming windows: the connect window before and after a BlackBox was
// selected, the read and the write window.
bool renderRemoteWindows(AppState &state, MainWindow &window, Renderer &renderer)
{
    RemoteLink &remote = *state.remote();
    if (!remote.beginConnect())
        return false;
    ConnectDialog connectWindow(remote, state.texts(), state.messages(), &window);
    connectWindow.prepare(QStringLiteral("6183"), {});
    connectWindow.show();
    settle();
    if (!renderer.save(connectWindow.grab(), QStringLiteral("connect.png")))
        return false;
    connectWindow.deviceBox()->setCurrentIndex(0);
    connectWindow.selectButton()->click();
    connectWindow.telephoneNumberEdit()->setText(QStringLiteral("0041612345678"));
    settle();
    if (!renderer.save(connectWindow.grab(), QStringLiteral("connect-selected.png")))
        return false;
    connectWindow.secondCancelButton()->click();

    RemoteReadDialog read(state, QStringLiteral("2026_12_10-11_08_34"), &window);
    read.show();
    settle();
    if (!renderer.save(read.grab(), QStringLiteral("remote-read.png")))
        return false;
    read.hide();
    RemoteWriteDialog write(state, QStringLiteral("2026_12_10-11_08_34"), &window);
    write.show();
    settle();
    return renderer.save(write.grab(), QStringLiteral("remote-write.png"));
}

// The voice windows with files picked for three slots, and the tone samples.
bool renderVoiceWindows(AppState &state, MainWindow &window, Renderer &renderer)
{
    const QDir home(QString::fromLocal8Bit(qgetenv("OSTRAKEL_HOME")));
    const QStringList files = {home.filePath(QStringLiteral("messages/address.wav")),
                               home.filePath(QStringLiteral("messages/please-wait.wav")),
                               home.filePath(QStringLiteral("messages/goodbye.wav"))};
    VoiceMessagesDialog voice(state, VoiceDevice::Communicator, &window);
    voice.show();
    voice.setSlotFile(1, files[0]);
    voice.setSlotFile(3, files[1]);
    voice.setSlotFile(5, files[2]);
    voice.messageLabel()->setText(QStringLiteral("Msg#0:"));
    voice.sizeLabel()->setText(VoiceUpload::sizeText(21000, VoiceUpload::communicatorCapacity));
    settle();
    if (!renderer.save(voice.grab(), QStringLiteral("voice-messages.png")))
        return false;
    voice.hide();
    VoiceMessagesDialog module(state, VoiceDevice::Module, &window);
    module.show();
    settle();
    if (!renderer.save(module.grab(), QStringLiteral("voice-module.png")))
        return false;
    module.hide();
    LegacyTalkerDialog legacy(state, &window);
    legacy.show();
    legacy.setSlotFile(1, files[0]);
    settle();
    if (!renderer.save(legacy.grab(), QStringLiteral("voice-module-old.png")))
        return false;
    legacy.hide();
    ToneSamplesDialog tones(state, &window);
    tones.show();
    settle();
    const bool saved = renderer.save(tones.grab(), QStringLiteral("tone-samples.png"));
    tones.hide();
    return saved;
}

// The history window with a few readings of two communicators and a remote one.
bool renderHistoryWindow(AppState &state, MainWindow &window, Renderer &renderer)
{
    const QString folder = ReadingHistory::folder();
    QDir(folder).removeRecursively();  // the run of the other language made some
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char *device;
        CommunicatorModel model;
        int daysAgo;
    } readings[] = {
        {"1234567890", CommunicatorModel::TkvC3, 0}, {"1234567890", CommunicatorModel::TkvC3, 14},
        {"0000421337", CommunicatorModel::TkvC2, 3}, {"Tel0612345678", CommunicatorModel::TkvC2, 1},
    };
    for (const auto &reading : readings) {
        const SettingsFileResult result = ReadingHistory::archive(folder, QLatin1String(reading.device), reading.model,
                                                                  now.addDays(-reading.daysAgo), state.parameters(),
                                                                  state.texts());
        if (!result.ok) {
            std::fprintf(stderr, "history: %s\n", qPrintable(result.message));
            return false;
        }
    }
    HistoryDialog history(state.texts(), ReadingHistory::list(folder), folder, &window);
    history.show();
    history.tree()->setCurrentItem(history.tree()->topLevelItem(0)->child(0));
    settle();
    const bool saved = renderer.save(history.grab(), QStringLiteral("history.png"));
    history.hide();
    return saved;
}

bool renderWindows(const QDir &outRoot, const QString &logPath, const QString &language)
{
    const QString name = QStringLiteral("windows");
    if (!outRoot.mkpath(name)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(QDir::toNativeSeparators(outRoot.filePath(name))));
        return false;
    }
    StderrPresenter messages;
    AppState state(messages, logPath, false);
    if (!loadLanguage(state, language))
        return false;
    MainWindow window(state);
    window.resize(shots[0].size);
    window.show();
    QString error;
    if (!state.connect(QStringLiteral("sim:TKV-C3"), window, &error)) {
        std::fprintf(stderr, "windows: %s\n", qPrintable(error));
        return false;
    }
    window.stopDevicePoll();
    Renderer renderer{QDir(outRoot.filePath(name))};

    const QList<SerialPortEntry> samplePorts = {
        {1, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/serial/by-id/usb-FTDI_USB-LNKv2-if00-port0"),
         PortState::Free},
        {2, QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyUSB1"), PortState::InUse},
        {3, QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM0"), PortState::Free},
        {4, QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), PortState::Free},
    };
    CableSelectionDialog cables(state, window, &window, [&] { return samplePorts; });
    cables.show();
    settle();
    if (!renderer.save(cables.grab(), QStringLiteral("cable-selection.png")))
        return false;
    // Hiding the window applies nothing: only closing it does.
    cables.chooseCable(CableSelectionDialog::UsbLnkV2);
    settle();
    if (!renderer.save(cables.grab(), QStringLiteral("cable-selection-com.png")))
        return false;
    cables.hide();

    AboutDialog about(state, [&](bool on) { window.setExpertView(on); }, &window);
    about.show();
    settle();
    if (!renderer.save(about.grab(), QStringLiteral("about.png")))
        return false;
    const QPointF corner(2, 2);
    QMouseEvent gesture(QEvent::MouseButtonRelease, corner, about.mapToGlobal(corner), Qt::LeftButton,
                        Qt::NoButton, Qt::ShiftModifier | Qt::ControlModifier);
    QCoreApplication::sendEvent(&about, &gesture);
    settle();
    if (!renderer.save(about.grab(), QStringLiteral("about-credits.png")))
        return false;
    about.hide();

    InfoWindow info(state.texts(), &window);
    info.show();
    settle();
    if (!renderer.save(info.grab(), QStringLiteral("info.png")))
        return false;
    info.hide();

    // A reading that differs from the one before in a few bytes.
    for (int position : {36, 80, 81, 241})
        state.newImage[position - 1] = char(quint8(state.newImage.at(position - 1)) ^ 3);
    CompareDialog compare(state, &window);
    compare.show();
    settle();
    if (!renderer.save(compare.grab(), QStringLiteral("compare.png")))
        return false;
    compare.hide();

    // The firmware window with a file loaded.
    const QString hexPath = QDir(QString::fromLocal8Bit(qgetenv("OSTRAKEL_HOME"))).filePath(QStringLiteral("Firmware.HEX"));
    QFile hex(hexPath);
    if (hex.open(QIODevice::WriteOnly))
        hex.write(":020000040000FA\r\n:10100000000102030405060708090A0B0C0D0E0F68\r\n:00000001FF\r\n");
    hex.close();
    FirmwareDialog firmware(state, &window);
    firmware.show();
    firmware.openFile(hexPath);
    settle();
    if (!renderer.save(firmware.grab(), QStringLiteral("firmware.png")))
        return false;
    firmware.hide();
    return renderHistoryWindow(state, window, renderer) && renderVoiceWindows(state, window, renderer)
           && renderRemoteWindows(state, window, renderer);
}

} // namespace

int main(int argc, char **argv)
{
    // Without a display the window is rendered off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The simulator keeps its memory in the program folder: never in the source tree.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a temporary program folder: %s\n", qPrintable(home.errorString()));
        return 2;
    }
    qputenv("OSTRAKEL_HOME", QFile::encodeName(home.path()));

    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", qPrintable(QFileInfo(args.value(0)).fileName()));
        return 2;
    }
    const QDir outRoot(args[1]);
    if (!outRoot.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(QDir::toNativeSeparators(args[1])));
        return 1;
    }
    const QString logPath = QDir(home.path()).filePath(QStringLiteral("LOG_comm_file.TXT"));
    // English (built in) at the top of OUTDIR, German in OUTDIR/German.
    for (const QString &language : {QString(), QStringLiteral("German")}) {
        const QDir root(outRoot.filePath(language));
        if (!outRoot.mkpath(language.isEmpty() ? QStringLiteral(".") : language))
            return 1;
        for (const DeviceKind &kind : deviceKinds)
            if (!renderKind(kind, root, logPath, language))
                return 1;
        if (!renderWindows(root, logPath, language))
            return 1;
    }
    return 0;
}
