#pragma once

#include <QString>

enum class MessageIcon { Information, Warning };

// The one way an engine tells the user something: a modal box in the window,
// standard error in the command-line tool, a recorded list in tests.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void showMessage(const QString &text) = 0;
    // A message with a caption and icon of its own (the rules of the edit fields).
    virtual void showNotice(const QString &text, const QString &title, MessageIcon icon)
    {
        (void)title;
        (void)icon;
        showMessage(text);
    }
    // A Yes/No question; true for Yes. A presenter that cannot ask answers No.
    virtual bool askYesNo(const QString &text, const QString &title)
    {
        (void)title;
        showMessage(text);
        return false;
    }
};
