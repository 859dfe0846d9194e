#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    const struct {
        QToolButton* button;
        Qt::ArrowType arrow;
        int step;
    } buttons[] = {{up_, Qt::UpArrow, 1}, {down_, Qt::DownArrow, -1}};
    for (const auto& b : buttons) {
        b.button->setArrowType(b.arrow);
        b.button->setAutoRepeat(true);
        b.button->setFocusPolicy(Qt::NoFocus);
        connect(b.button, &QToolButton::clicked, this, [this, step = b.step] { stepBy(step); });
    }
}

void UpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void UpDown::setPosition(int position) {
    const int clamped = std::clamp(position, minimum_, maximum_);
    const bool changed = clamped != position_;
    position_ = clamped;
    showInBuddy();
    if (changed)
        emit positionChanged(position_);
}

void UpDown::stepBy(int steps) {
    long long next = static_cast<long long>(position_) + steps;
    if (wrap_ && next > maximum_)
        next = minimum_;
    else if (wrap_ && next < minimum_)
        next = maximum_;
    setPosition(static_cast<int>(std::clamp<long long>(next, minimum_, maximum_)));
}

void UpDown::setBuddy(QLineEdit* buddy) {
    if (buddy_)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_)
        buddy_->installEventFilter(this);
    showInBuddy();
}

void UpDown::showInBuddy() {
    if (buddy_)
        buddy_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}
