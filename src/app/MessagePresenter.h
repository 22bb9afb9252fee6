#pragma once

#include <QString>

// The one way an engine tells the user something: a modal box in the window,
// standard error in the command-line tool, a recorded list in tests.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void showMessage(const QString &text) = 0;
};
