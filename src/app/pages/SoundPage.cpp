#include "SoundPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "settings/EngineWords.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

using namespace PageLayout;

SoundPage::SoundPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabSound"));
    settings.createControls("tabSound", this);

    auto* checks = newGrid();
    const int gap = settings.fillBlock(checks, "tabSound", "Checks");
    checks->setRowMinimumHeight(gap, blockSpacing());
    const int end = settings.fillBlock(checks, "tabSound", "CD loop", {.row = gap + 1});
    checks->setRowStretch(end, 1);

    auto* keys = newGrid();
    keys->setRowStretch(settings.fillBlock(keys, "tabSound", "Keys"), 1);

    auto* fields = newGrid();
    quality_ = editableCombo(this, "cboSndQuality");
    fillRates(Engine::id);
    quality_->setEditable(false);
    quality_->setCurrentIndex(1);
    setHintText(quality_, QStringLiteral("Low  (Sampling rate of the sound)"));
    mixAhead_ = maskedEdit(this, "txtSndDelay", TwoDecimals, QStringLiteral("0.2 "));
    setHintText(mixAhead_, QStringLiteral("0.2  (Seconds of sound mixed ahead)"));
    volume_ = trackBar(this, "barVolume", Qt::Horizontal, 0, 40, 20);
    setHintText(volume_, QStringLiteral("0.7  (Sound effects volume)"));
    addLabelled(fields, 0, 0, newLabel(this, QStringLiteral("Quality")), quality_);
    addLabelled(fields, 1, 0, newLabel(this, QStringLiteral("Mix Ahead")), mixAhead_);
    addLabelled(fields, 2, 0, newLabel(this, QStringLiteral("Volume")), volume_);

    auto* right = newColumn();
    right->addLayout(fields);
    right->addSpacing(blockSpacing());
    right->addWidget(pictureLabel(this, "imgSound", "tab_sound", 184), 0, Qt::AlignHCenter);
    right->addStretch();

    auto* layout = pageColumns(this);
    layout->setSpacing(blockSpacing() * 2);
    layout->addLayout(checks);
    layout->addLayout(keys);
    layout->addLayout(right, 1);
    compactRows(this);
}

void SoundPage::showEngineRates(Engine engine) {
    if (engine == ratesEngine_)
        return;
    ratesEngine_ = engine;
    const QVariant chosen = quality_->currentData();
    fillRates(engine);
    quality_->setCurrentIndex(quality_->findData(chosen));
    const int engineRate = engine == Engine::id ? 11 : engineDefault(engine, u"s_khz").toInt();
    setHintText(quality_, quality_->itemText(quality_->findData(engineRate)) +
                              QStringLiteral("  (Sampling rate of the sound)"));
}

// id's two rates keep the names its menu gives them.
void SoundPage::fillRates(Engine engine) {
    quality_->clear();
    for (int rate : engineSoundRates(engine)) {
        quality_->addItem(engine == Engine::id ? QLatin1String(rate >= 22 ? "High" : "Low")
                                               : QStringLiteral("%1 kHz").arg(rate),
                          rate);
    }
}
