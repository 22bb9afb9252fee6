#include "ui/AboutDialog.h"

#include "ui/AppState.h"

#include "app/ProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

QString longVersion(const QString &dotted)
{
    const QStringList parts = dotted.split(u'.');
    if (parts.size() > 4)
        return {};
    int numbers[4] = {};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok || numbers[i] < 0 || numbers[i] > 0xFFFF || parts[i].trimmed() != parts[i])
            return {};
    }
    return QString::asprintf("%d.%02d.%02d.%02d", numbers[0], numbers[1], numbers[2], numbers[3]);
}

QString shortVersion(const QString &longForm)
{
    return longForm.left(4);
}

QString programVersion()
{
    return longVersion(QStringLiteral(OSTRAKEL_VERSION));
}

QColor expertMarkColor()
{
    return QColor(0xFF, 0xFB, 0xF0);
}

void showExpertMark(QWidget &label, bool expertView)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window,
                     expertView ? expertMarkColor() : QApplication::palette(&label).color(QPalette::Window));
    label.setPalette(palette);
    label.setAutoFillBackground(expertView);
}

namespace {

QLabel *linkLabel()
{
    auto *label = new QLabel;
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setForegroundRole(QPalette::Link);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

bool isExpertGesture(const QMouseEvent &event)
{
    const Qt::KeyboardModifiers both = Qt::ShiftModifier | Qt::ControlModifier;
    return event.button() == Qt::LeftButton && (event.modifiers() & both) == both;
}

} // namespace

AboutDialog::AboutDialog(AppState &state, std::function<void(bool)> setExpertView, QWidget *parent)
    : QDialog(parent),
      state_(state),
      setExpertView_(std::move(setExpertView)),
      openUrl_([](const QUrl &url) { QDesktopServices::openUrl(url); }),
      logo_(new QLabel),
      description_(new QLabel),
      collection_(new QLabel),
      address_{new QLabel, new QLabel, new QLabel, new QLabel},
      email_(linkLabel()),
      web_(linkLabel()),
      versionCaption_(new QLabel),
      shortVersion_(new QLabel),
      longVersion_(new QLabel),
      creditsTitle_(new QLabel),
      creditsText_(new QLabel),
      details_(new QWidget),
      credits_(new QFrame(this)),
      creditsTimer_(state.clock().createTimer(Millis(creditsMs), [this] { hideCredits(); }))
{
    logo_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QFont heading = description_->font();
    heading.setBold(true);
    if (heading.pointSizeF() > 0)
        heading.setPointSizeF(heading.pointSizeF() * 1.2);
    description_->setFont(heading);
    description_->setWordWrap(true);

    // The addresses; the credits panel is laid over them when it shows.
    auto *detailLines = new QVBoxLayout(details_);
    detailLines->setContentsMargins(0, 8, 0, 0);
    detailLines->setSpacing(2);
    for (QLabel *line : address_)
        detailLines->addWidget(line);
    detailLines->addSpacing(10);
    detailLines->addWidget(email_);
    detailLines->addWidget(web_);
    detailLines->addStretch();
    // The window keeps its size while the credits stand in for the addresses.
    for (QLabel *link : {email_, web_}) {
        QSizePolicy policy = link->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        link->setSizePolicy(policy);
    }

    credits_->setFrameShape(QFrame::StyledPanel);
    credits_->setAutoFillBackground(true);
    credits_->setBackgroundRole(QPalette::Base);
    QFont creditsFont = creditsTitle_->font();
    creditsFont.setBold(true);
    creditsTitle_->setFont(creditsFont);
    creditsText_->setWordWrap(true);
    auto *creditsLines = new QVBoxLayout(credits_);
    creditsLines->addWidget(creditsTitle_);
    creditsLines->addWidget(creditsText_);
    creditsLines->addStretch();
    credits_->hide();

    auto *versionPanel = new QFrame;
    versionPanel->setFrameShape(QFrame::StyledPanel);
    auto *versionLine = new QHBoxLayout(versionPanel);
    versionLine->addWidget(versionCaption_);
    versionLine->addWidget(shortVersion_);
    versionLine->addStretch();
    versionLine->addWidget(longVersion_);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(logo_, 0, 0, 4, 1);
    grid->addWidget(description_, 0, 1);
    grid->addWidget(collection_, 1, 1);
    grid->addWidget(details_, 2, 1);
    grid->addWidget(versionPanel, 3, 1);
    grid->addWidget(ok, 4, 1, Qt::AlignRight);
    grid->setColumnMinimumWidth(1, 360);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // Every part of the window but its button takes the gesture.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractButton *>(child))
            child->installEventFilter(this);
    }
    applyTexts();
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::info(int key) const
{
    return state_.texts().text(QStringLiteral("Info"), key);
}

void AboutDialog::applyTexts()
{
    setWindowTitle(info(17));
    description_->setText(info(2));
    collection_->setText(info(3));
    for (int line = 0; line < 4; ++line)
        address_[line]->setText(info(4 + line));
    email_->setText(QStringLiteral("Email: ") + info(8));
    email_->setToolTip(info(9));
    web_->setText(QStringLiteral("WEB : ") + info(12));
    web_->setToolTip(info(15));
    versionCaption_->setText(info(13) + u':');
    creditsTitle_->setText(info(1));
    creditsText_->setText(state_.texts().text(QStringLiteral("Extensions"), 20));
    const QString version = programVersion();
    longVersion_->setText(QStringLiteral("(V  ") + version + u')');
    shortVersion_->setText(shortVersion(version));

    // The logo only when its file is there; no logo is no error.
    const QString logoName = info(16);
    const QString logoPath = logoName.isEmpty() ? QString() : ProgramFolder::findDataFile(logoName);
    const QPixmap logo = logoPath.isEmpty() ? QPixmap() : QPixmap(logoPath);
    logo_->setPixmap(logo);
    logo_->setVisible(!logo.isNull());
}

void AboutDialog::showEvent(QShowEvent *event)
{
    applyTexts();
    QDialog::showEvent(event);
    if (const QWidget *parent = parentWidget()) {
        adjustSize();
        move(parent->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    const auto &mouse = static_cast<const QMouseEvent &>(*event);
    if (isExpertGesture(mouse)) {
        expertGesture();
        return true;
    }
    if (mouse.button() == Qt::LeftButton && (watched == email_ || watched == web_)) {
        openUrl_(watched == email_ ? mailUrl() : webUrl());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::expertGesture()
{
    email_->hide();
    web_->hide();
    // Outside the layout, so that showing it never resizes the window.
    credits_->setGeometry(details_->geometry());
    credits_->show();
    credits_->raise();
    creditsTimer_->start();

    state_.expertView = !state_.expertView;
    if (setExpertView_)
        setExpertView_(state_.expertView);
}

void AboutDialog::hideCredits()
{
    creditsTimer_->stop();
    credits_->hide();
    email_->show();
    web_->show();
}

QUrl AboutDialog::mailUrl() const
{
    return QUrl(QStringLiteral("mailto:") + info(10) + QStringLiteral("?SUBJECT=") + info(11));
}

QUrl AboutDialog::webUrl() const
{
    return QUrl::fromUserInput(info(14));
}
