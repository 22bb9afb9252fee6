#pragma once

#include <QColor>
#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

class AppState;
class QLabel;
class QFrame;
class TickTimer;

// A version "9.2.1.17" in the long form "9.02.01.17" ("%d.%02d.%02d.%02d"); missing
// trailing parts count as 0. Empty when the text is not one to four numbers 0 to 65535.
QString longVersion(const QString &dotted);
// The first four characters of a long version ("9.02").
QString shortVersion(const QString &longForm);
// The long version of this program.
QString programVersion();

// The background of the main window's serial-number label: cream while the expert
// view is on, the window's own colour otherwise.
QColor expertMarkColor();
void showExpertMark(QWidget &label, bool expertView);

// The about window: what the program is, who makes it, how to reach them, and the
// version. Releasing the left mouse button over it with Shift and Ctrl held shows the
// credits for a moment and switches the expert view of the main window on or off.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int creditsMs = 3200;

    // setExpertView applies the new expert-view flag to the main window.
    AboutDialog(AppState &state, std::function<void(bool)> setExpertView, QWidget *parent = nullptr);
    ~AboutDialog() override;

    // Reads every text and the version again (showing the window does it too).
    void applyTexts();
    // How the e-mail and web addresses are handed to the desktop (tests record them).
    void setUrlOpener(std::function<void(const QUrl &)> open) { openUrl_ = std::move(open); }

    QLabel *logo() const { return logo_; }
    QLabel *emailLabel() const { return email_; }
    QLabel *webLabel() const { return web_; }
    QLabel *longVersionLabel() const { return longVersion_; }
    QLabel *shortVersionLabel() const { return shortVersion_; }
    QFrame *creditsPanel() const { return credits_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void expertGesture();
    void hideCredits();
    QUrl mailUrl() const;
    QUrl webUrl() const;
    QString info(int key) const;

    AppState &state_;
    std::function<void(bool)> setExpertView_;
    std::function<void(const QUrl &)> openUrl_;
    QLabel *logo_;
    QLabel *description_;
    QLabel *collection_;
    QLabel *address_[4];
    QLabel *email_;
    QLabel *web_;
    QLabel *versionCaption_;
    QLabel *shortVersion_;
    QLabel *longVersion_;
    QLabel *creditsTitle_;
    QLabel *creditsText_;
    QWidget *details_;
    QFrame *credits_;
    std::unique_ptr<TickTimer> creditsTimer_;
};
