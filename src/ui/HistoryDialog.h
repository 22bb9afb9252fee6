#pragma once

#include "history/ReadingHistory.h"

#include <QDialog>
#include <optional>

class LanguageTable;
class QPushButton;
class QTreeWidget;

// "File / History": the readings kept in the history folder, grouped by device with
// the newest first; "Open" (or a double click) takes the chosen one.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    HistoryDialog(const LanguageTable &texts, const QList<HistoryEntry> &entries, const QString &folder,
                  QWidget *parent = nullptr);

    QTreeWidget *tree() const { return tree_; }
    QPushButton *openButton() const { return open_; }
    // The reading chosen when the window was accepted.
    std::optional<HistoryEntry> chosen() const;

private:
    void choose();

    QList<HistoryEntry> entries_;
    QTreeWidget *tree_;
    QPushButton *open_;
};
