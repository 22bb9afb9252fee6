#pragma once

#include <QWidget>

class QFrame;
class QVBoxLayout;
class WrapLabel;

// A titled box of rows on a parameter page. Unlike a group box its title wraps, so a
// long title (in any language) never makes the page wider than the window.
class PageGroup : public QWidget {
    Q_OBJECT
public:
    explicit PageGroup(const QString &title, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;
    // The box's column of rows.
    QVBoxLayout *body() const { return body_; }
    QFrame *frame() const { return frame_; }

private:
    WrapLabel *title_;
    QFrame *frame_;
    QVBoxLayout *body_;
};
