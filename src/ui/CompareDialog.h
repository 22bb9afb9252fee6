#pragma once

#include "compare/ReadingComparison.h"

#include <QDialog>

class AppState;
class QListWidget;
class QPushButton;

// "Compare reading values": the bytes in which the image before a remote reading and
// the image read differ, each named after its parameter, and the choice between the
// two. Each showing starts afresh from the two images; a decision decodes the chosen
// image into the parameters being edited.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(AppState &state, QWidget *parent = nullptr);

    QListWidget *list() const { return list_; }
    QPushButton *filterAllButton() const { return filterAll_; }
    QPushButton *filterImportantButton() const { return filterImportant_; }
    QPushButton *returnPreviousButton() const { return returnPrevious_; }
    QPushButton *useNewButton() const { return useNew_; }

    void done(int result) override;

private:
    void showList();
    void decide(bool useNew);
    QString text(int key) const;

    AppState &state_;
    ReadingComparison comparison_;
    QListWidget *list_;
    QPushButton *filterAll_;
    QPushButton *filterImportant_;
    QPushButton *returnPrevious_;
    QPushButton *useNew_;
};
