#pragma once

#include <QDialog>

class LanguageTable;
class QLabel;

// A small note with a picture and one line of text, shown without blocking while the
// program hangs up a remote connection on its way out.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit InfoWindow(const LanguageTable &texts, QWidget *parent = nullptr);

    QLabel *textLabel() const { return text_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    const LanguageTable &texts_;
    QLabel *text_;
};
