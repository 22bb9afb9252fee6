#pragma once

#include <QLabel>

// A caption that keeps to one line while the page has room and wraps when it has
// not, with a height that always fits its lines (a plain word-wrapped QLabel asks for
// a narrow column and is cut off in form rows).
class WrapLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int preferredMaxWidth = 380;
    static constexpr int minimumWidth = 110;

    explicit WrapLabel(const QString &text = {}, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The label of a check box or option button passes its clicks on.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
