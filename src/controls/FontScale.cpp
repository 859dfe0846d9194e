#include "FontScale.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>

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

// Both edges scaled, so that parts that meet still meet.
QRect fontScaled(const QRect& place) {
    return QRect(
        QPoint(fontScaled(place.left()), fontScaled(place.top())),
        QPoint(fontScaled(place.x() + place.width()), fontScaled(place.y() + place.height())) -
            QPoint(1, 1));
}

namespace {

bool sizedToItsText(const QWidget& part) {
    const auto* label = qobject_cast<const QLabel*>(&part);
    return qobject_cast<const QCheckBox*>(&part) || (label && !label->wordWrap());
}

// Parts that only hold others, which they do not place themselves.
bool holdsPlacedParts(const QWidget& part) {
    const QMetaObject* type = part.metaObject();
    return !part.layout() &&
           (qobject_cast<const QGroupBox*>(&part) || type == &QWidget::staticMetaObject ||
            type == &QFrame::staticMetaObject);
}

void scaleParts(QWidget& container) {
    for (QWidget* part : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (part->isWindow())
            continue;
        QRect place = fontScaled(part->geometry());
        if (qobject_cast<const QLabel*>(part) && !sizedToItsText(*part))
            place.setHeight(part->heightForWidth(place.width()));
        else if (qobject_cast<const QLabel*>(part))
            place.setSize(part->sizeHint());
        else if (sizedToItsText(*part))
            place.setWidth(part->sizeHint().width());
        if (part->minimumSize() == part->maximumSize())
            part->setFixedSize(place.size());
        part->setGeometry(place);
        if (holdsPlacedParts(*part))
            scaleParts(*part);
    }
}

} // namespace

void scaleHandPlacedParts(QWidget& window) {
    if (fontScale() > 1)
        scaleParts(window);
}
