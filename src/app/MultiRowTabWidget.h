#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <QVector>

// A tab bar that wraps its tabs onto as many rows as the width needs, like a multi-line tab
// control: every tab stays in view, each row is stretched to the full width, and the rows keep
// their places when a tab is chosen (the chosen tab is drawn raised where it is).
class MultiRowTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Where tab `index` is drawn; empty for a hidden tab.
    QRect rowTabRect(int index) const;
    int rowTabAt(const QPoint& position) const;
    int rowCount() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void tabLayoutChange() override;

private:
    int tabHeight() const;
    int naturalWidth(int index) const;
    // Visible tab indexes per row, in tab order.
    QVector<QVector<int>> rows(int width) const;
    QVector<QRect> computeRects() const;

    int hovered_ = -1;
};

class MultiRowTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit MultiRowTabWidget(QWidget* parent = nullptr);
    MultiRowTabBar* rowTabBar() const { return bar_; }

private:
    MultiRowTabBar* bar_;
};
