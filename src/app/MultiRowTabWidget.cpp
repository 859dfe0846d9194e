#include "MultiRowTabWidget.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

MultiRowTabBar::MultiRowTabBar(QWidget* parent) : QTabBar(parent) {
    setUsesScrollButtons(false);
    setExpanding(false);
    setDrawBase(false);
    setMouseTracking(true);
    connect(this, &QTabBar::currentChanged, this, [this] { update(); });
}

// Compact rows: every pixel the two rows of tabs give back goes to the page.
int MultiRowTabBar::tabHeight() const {
    return fontMetrics().height() + 6;
}

int MultiRowTabBar::naturalWidth(int index) const {
    return tabSizeHint(index).width();
}

namespace {
// Fills rows of at most `limit` pixels in tab order.
QVector<QVector<int>> fillRows(const QVector<int>& tabs, const QVector<int>& widths, int limit) {
    QVector<QVector<int>> result;
    QVector<int> row;
    int used = 0;
    for (int k = 0; k < tabs.size(); ++k) {
        if (!row.isEmpty() && used + widths[k] > limit) {
            result << row;
            row.clear();
            used = 0;
        }
        row << tabs[k];
        used += widths[k];
    }
    if (!row.isEmpty())
        result << row;
    return result;
}
} // namespace

QVector<QVector<int>> MultiRowTabBar::rows(int width) const {
    QVector<int> tabs, widths;
    int total = 0;
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        tabs << i;
        widths << naturalWidth(i);
        total += widths.last();
    }
    QVector<QVector<int>> result = fillRows(tabs, widths, qMax(width, 1));
    // As few rows as the width needs, but balanced: the narrowest limit giving that many rows.
    const int needed = static_cast<int>(result.size());
    for (int limit = total / qMax(needed, 1); needed > 1 && limit < width; limit += 4) {
        QVector<QVector<int>> balanced = fillRows(tabs, widths, limit);
        if (balanced.size() <= needed) {
            result = balanced;
            break;
        }
    }
    // The rows stay in tab order whichever tab is chosen: a row that moved to the page under
    // the pointer would put another tab where the player just clicked.
    return result;
}

QVector<QRect> MultiRowTabBar::computeRects() const {
    QVector<QRect> rects(count());
    const int h = tabHeight();
    const QVector<QVector<int>> all = rows(width());
    for (int r = 0; r < all.size(); ++r) {
        const QVector<int>& row = all[r];
        int natural = 0;
        for (int i : row)
            natural += naturalWidth(i);
        // Full rows are stretched to the whole width; spare pixels go to the first tabs.
        const int spare = all.size() > 1 ? qMax(0, width() - natural) : 0;
        int x = 0;
        const int tabs = static_cast<int>(row.size());
        for (int k = 0; k < tabs; ++k) {
            const int extra = spare / tabs + (k < spare % tabs ? 1 : 0);
            const int w = naturalWidth(row[k]) + extra;
            rects[row[k]] = QRect(x, r * h, w, h);
            x += w;
        }
    }
    return rects;
}

int MultiRowTabBar::rowCount() const {
    return static_cast<int>(rows(width()).size());
}

QRect MultiRowTabBar::rowTabRect(int index) const {
    const QVector<QRect> rects = computeRects();
    return index >= 0 && index < rects.size() ? rects[index] : QRect();
}

int MultiRowTabBar::rowTabAt(const QPoint& position) const {
    const QVector<QRect> rects = computeRects();
    for (int i = 0; i < rects.size(); ++i)
        if (rects[i].contains(position))
            return i;
    return -1;
}

// Until its tab widget has been given a width, the bar counts on one row: the default width of a
// widget not yet laid out would wrap the tabs into a column and ask for a page far too tall.
QSize MultiRowTabBar::sizeHint() const {
    const bool placed = parentWidget() && parentWidget()->testAttribute(Qt::WA_Resized);
    const int w = placed ? parentWidget()->width() : QTabBar::sizeHint().width();
    const int rowsNeeded = qMax(1, static_cast<int>(rows(w).size()));
    return QSize(w, rowsNeeded * tabHeight());
}

// Rows wrap, so the bar can shrink to its widest tab; it keeps the rows its width needs.
QSize MultiRowTabBar::minimumSizeHint() const {
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            widest = qMax(widest, naturalWidth(i));
    return QSize(widest, sizeHint().height());
}

void MultiRowTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QVector<QRect> rects = computeRects();
    // The current tab is drawn last so that its raised edges overlap its neighbours.
    QVector<int> order;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i) && i != currentIndex())
            order << i;
    if (currentIndex() >= 0 && isTabVisible(currentIndex()))
        order << currentIndex();
    const int lastRowTop = (rowCount() - 1) * tabHeight();
    for (int i : order) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.rect = rects[i];
        option.state.setFlag(QStyle::State_MouseOver, i == hovered_);
        option.shape = QTabBar::RoundedNorth;
        // A chosen tab above the last row is drawn raised within its place: the style would
        // draw it down over the tabs of the row below.
        painter.setClipping(option.rect.top() < lastRowTop);
        painter.setClipRect(option.rect);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void MultiRowTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = rowTabAt(event->position().toPoint());
    if (index >= 0 && isTabEnabled(index))
        setCurrentIndex(index);
}

void MultiRowTabBar::mouseMoveEvent(QMouseEvent* event) {
    const int index = rowTabAt(event->position().toPoint());
    if (index != hovered_) {
        hovered_ = index;
        update();
    }
}

void MultiRowTabBar::leaveEvent(QEvent*) {
    hovered_ = -1;
    update();
}

void MultiRowTabBar::resizeEvent(QResizeEvent* event) {
    QTabBar::resizeEvent(event);
    updateGeometry();
}

void MultiRowTabBar::tabLayoutChange() {
    updateGeometry();
    update();
}

MultiRowTabWidget::MultiRowTabWidget(QWidget* parent)
    : QTabWidget(parent), bar_(new MultiRowTabBar) {
    setTabBar(bar_);
}
