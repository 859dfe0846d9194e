#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrow buttons stepping an integer position within [minimum, maximum]. With a buddy
// edit attached, the edit always shows the position, and the Up and Down keys in the edit step it.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Stepping past an end stops there unless wrapping is on.
    void setWrap(bool wrap) { wrap_ = wrap; }

    int position() const { return position_; }
    // Clamped into the range; the buddy shows the result.
    void setPosition(int position);
    void stepBy(int steps);

    void setBuddy(QLineEdit* buddy);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void positionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showInBuddy();

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    bool wrap_ = false;
};
