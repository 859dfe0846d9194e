#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The windows were drawn for a compact 8-point font and keep those measures as their minimum;
// with the desktop's larger font their fixed measures grow in proportion, so text still fits.

// How much taller the application's font is than the same family at 8 points; never below 1.
qreal fontScale();
// A measure drawn for the compact font, at the application's font.
int fontScaled(int measure);
QSize fontScaled(const QSize& size);
QRect fontScaled(const QRect& place);

// For a window whose parts are placed by hand (no layout), drawn for the compact font: every
// part, also inside group boxes and panels, moves and grows in proportion to the font. A check
// box or a label of one line keeps the width of its text.
void scaleHandPlacedParts(QWidget& window);
