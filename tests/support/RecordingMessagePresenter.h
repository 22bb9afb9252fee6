#pragma once

#include "app/MessagePresenter.h"

#include <QStringList>

// Keeps every message instead of showing a box, so tests can check what the user saw.
// Questions are recorded too and answered with `answer`.
class RecordingMessagePresenter : public MessagePresenter {
public:
    void showMessage(const QString &text) override { messages.append(text); }
    void showNotice(const QString &text, const QString &title, MessageIcon) override
    {
        messages.append(text);
        titles.append(title);
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        questions.append(text);
        titles.append(title);
        return answer;
    }

    Answer askYesNoCancel(const QString &text, const QString &title) override
    {
        questions.append(text);
        titles.append(title);
        return threeWayAnswer;
    }

    QStringList messages;
    QStringList titles;
    QStringList questions;
    bool answer = false;
    Answer threeWayAnswer = Answer::Cancel;
};
