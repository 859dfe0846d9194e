#include "AboutDialog.h"

#include "controls/FontScale.h"
#include "platform/JpegImage.h"
#include "platform/VexaError.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QSize clientSize(435, 393);
const QSize smallestSize(275, 215);

// The recessed panel of the About picture (30, 178 to 404, 370 of its 435 x 393 pixels) as
// fractions, so the text stays on it however the box is stretched.
const double panelSide = 30.0 / 435;
const double panelTop = 178.0 / 393;
const double panelBottom = 22.0 / 393;
const int panelPadding = 6;
const int creditGap = 6;

const QString credit = QStringLiteral("Vexa — Quake 2 settings editor and launcher");
const QString contact = QStringLiteral("Support: support@vexa.example.org");
const QString webSites[] = {QStringLiteral("https://vexa.example.org"),
                            QStringLiteral("https://vexa.example.org/forum")};
const QString year = QStringLiteral("© 2026 the Vexa developers");

const QColor textColour(0xf2, 0xdc, 0xb8);
const QColor backgroundColour(0x1a, 0x12, 0x0c);

} // namespace

AboutDialog::AboutDialog(QWidget* parent, const QString& pictureFile) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    resize(fontScaled(clientSize));
    setMinimumSize(fontScaled(smallestSize));

    try {
        picture_ = loadJpeg(pictureFile);
    } catch (const VexaError& e) {
        pictureError_ = e.message();
    }

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addStretch(1);
    QLabel* creditLabel = addLabel("lblCredit", credit);
    QFont bold = creditLabel->font();
    bold.setBold(true);
    creditLabel->setFont(bold);
    layout->addSpacing(creditGap);
    addLabel("lblContact", contact);
    web_ = addLabel("lblWeb", QString());
    layout->addStretch(1);
    addLabel("lblYear", year);
    fitTextToPanel();
}

// A transparent, centred, wrapping label with a dark halo so it reads on any part of the
// picture.
QLabel* AboutDialog::addLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    label->setPalette(palette);
    auto* halo = new QGraphicsDropShadowEffect(label);
    halo->setColor(Qt::black);
    halo->setOffset(1, 1);
    halo->setBlurRadius(4);
    label->setGraphicsEffect(halo);
    layout()->addWidget(label);
    labels_ << label;
    return label;
}

// Keeps the text on the picture's panel. When the box is too small for that, the two web
// addresses go on lines of their own instead of breaking inside one, and the text spreads
// evenly above and below the panel rather than being cut.
void AboutDialog::fitTextToPanel() {
    const int side = qRound(panelSide * width()) + panelPadding;
    QRect area = rect().adjusted(side, qRound(panelTop * height()) + panelPadding, -side,
                                 -qRound(panelBottom * height()) - panelPadding);

    const QString oneLine = webSites[0] + QStringLiteral("  ·  ") + webSites[1];
    const bool fits = web_->fontMetrics().horizontalAdvance(oneLine) <= area.width();
    web_->setText(fits ? oneLine : webSites[0] + QLatin1Char('\n') + webSites[1]);

    int needed = creditGap + layout()->spacing() * static_cast<int>(labels_.size() - 1);
    for (const QLabel* label : labels_)
        needed += label->heightForWidth(area.width());
    if (needed > area.height()) {
        const int extra = needed - area.height();
        area.adjust(0, -(extra + 1) / 2, 0, extra / 2);
        area &= rect().adjusted(panelPadding, panelPadding, -panelPadding, -panelPadding);
    }
    layout()->setContentsMargins(area.left(), area.top(), width() - area.right() - 1,
                                 height() - area.bottom() - 1);
    // The layout has already handled this resize with the old margins.
    layout()->activate();
}

void AboutDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), backgroundColour);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
}

void AboutDialog::resizeEvent(QResizeEvent* event) {
    fitTextToPanel();
    QDialog::resizeEvent(event);
}
