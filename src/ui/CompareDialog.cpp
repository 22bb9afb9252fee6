#include "ui/CompareDialog.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

CommLog *logOf(AppState &state)
{
    return state.log().isEnabled() ? &state.log() : nullptr;
}

} // namespace

CompareDialog::CompareDialog(AppState &state, QWidget *parent)
    : QDialog(parent),
      state_(state),
      comparison_(state.previousImage, state.newImage, state.model(), state.texts()),
      list_(new QListWidget),
      filterAll_(new QPushButton(text(2))),
      filterImportant_(new QPushButton(text(3))),
      returnPrevious_(new QPushButton(text(4))),
      useNew_(new QPushButton(text(5)))
{
    setWindowTitle(text(10));
    setModal(true);
    // The rows are columns of fixed width: they need a fixed-pitch font.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setMinimumSize(list_->fontMetrics().horizontalAdvance(QString(72, QLatin1Char('0'))), 300);

    auto *filters = new QVBoxLayout;
    filters->addWidget(filterAll_);
    filters->addWidget(filterImportant_);
    filters->addStretch();
    auto *middle = new QHBoxLayout;
    middle->addLayout(filters);
    middle->addWidget(list_, 1);

    auto *cancel = new QPushButton(text(6));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(returnPrevious_);
    buttons->addWidget(useNew_);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto *column = new QVBoxLayout(this);
    auto *explanation = new QLabel(text(1));
    explanation->setWordWrap(true);
    column->addWidget(explanation);
    column->addLayout(middle, 1);
    column->addLayout(buttons);

    connect(filterAll_, &QPushButton::clicked, this, [this] {
        comparison_.filterAll(logOf(state_));
        showList();
    });
    connect(filterImportant_, &QPushButton::clicked, this, [this] {
        comparison_.filterImportant(logOf(state_));
        showList();
    });
    connect(returnPrevious_, &QPushButton::clicked, this, [this] { decide(false); });
    connect(useNew_, &QPushButton::clicked, this, [this] { decide(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    comparison_.show(logOf(state_));
    showList();
}

QString CompareDialog::text(int key) const
{
    return state_.texts().text(QStringLiteral("Compare"), key);
}

void CompareDialog::showList()
{
    list_->clear();
    list_->addItems(comparison_.list());
}

void CompareDialog::decide(bool useNew)
{
    CommLog *log = logOf(state_);
    const ImageDecodeResult result =
        useNew ? comparison_.useNewReading(state_.workingImage, state_.parameters(), state_.status(), log)
               : comparison_.returnToPrevious(state_.workingImage, state_.parameters(), state_.status(), log);
    if (!result.ok()) {
        state_.messages().showMessage(result.message(state_.texts()));
        return;
    }
    accept();
}

void CompareDialog::done(int result)
{
    // Every way out writes the closing lines once.
    comparison_.close(logOf(state_));
    QDialog::done(result);
}
