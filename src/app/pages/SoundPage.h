#pragma once

#include "settings/Engine.h"

#include <QWidget>

class CatalogueLayout;
class QComboBox;
class QLineEdit;
class QSlider;

// The Sound tab: sound and CD settings and keys of the catalogue, and the fixed fields for the
// sampling rate, the mix-ahead time and the volume.
class SoundPage : public QWidget {
    Q_OBJECT
public:
    SoundPage(CatalogueLayout& settings, QWidget* parent);

    // id's "High" or "Low" (s_khz 22 or 11); the other engines' rates ("44 kHz"); the item's
    // data is the rate.
    QComboBox* quality() const { return quality_; }
    QLineEdit* mixAhead() const { return mixAhead_; } // seconds, two decimals
    QSlider* volume() const { return volume_; }       // in steps of TrackBarStep::Volume

    // The rates the engine mixes at, keeping the chosen rate where the engine has it.
    void showEngineRates(Engine engine);

private:
    void fillRates(Engine engine);

    QComboBox* quality_;
    Engine ratesEngine_ = Engine::id;
    QLineEdit* mixAhead_;
    QSlider* volume_;
};
