#pragma once

#include <QString>

enum class MessageIcon { Information, Warning };
enum class Answer { Yes, No, Cancel };

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
    // A Yes/No/Cancel question. A presenter that cannot ask answers Cancel.
    virtual Answer askYesNoCancel(const QString &text, const QString &title)
    {
        (void)title;
        showMessage(text);
        return Answer::Cancel;
    }
};
