#pragma once

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

    QComboBox* quality() const { return quality_; }   // "High" or "Low" (s_khz 22 or 11)
    QLineEdit* mixAhead() const { return mixAhead_; } // seconds, two decimals
    QSlider* volume() const { return volume_; }       // in steps of TrackBarStep::Volume

private:
    QComboBox* quality_;
    QLineEdit* mixAhead_;
    QSlider* volume_;
};
