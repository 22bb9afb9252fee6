#pragma once

#include "app/MessagePresenter.h"

#include <QStringList>

// Keeps every message instead of showing a box, so tests can check what the user saw.
class RecordingMessagePresenter : public MessagePresenter {
public:
    void showMessage(const QString &text) override { messages.append(text); }

    QStringList messages;
};
