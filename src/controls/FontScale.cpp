#include "FontScale.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>

#include <algorithm>

namespace {

constexpr qreal CompactPointSize = 8.0;

} // namespace

qreal fontScale() {
    const QFont font = QApplication::font();
    QFont compact = font;
    compact.setPointSizeF(CompactPointSize);
    return std::max<qreal>(1.0, QFontMetricsF(font).height() / QFontMetricsF(compact).height());
}

int fontScaled(int measure) {
    return qRound(measure * fontScale());
}

QSize fontScaled(const QSize& size) {
    return {fontScaled(size.width()), fontScaled(size.height())};
}

QRect fontScaled(const QRect& place) {
    return {fontScaled(place.x()), fontScaled(place.y()), fontScaled(place.width()),
            fontScaled(place.height())};
}
