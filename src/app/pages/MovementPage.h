#pragma once

#include <QWidget>

class CatalogueLayout;
class QSlider;

// The Movement tab: mouse, looking, running, strafing, climbing and movement settings of the
// catalogue, and the mouse sensitivity slider.
class MovementPage : public QWidget {
    Q_OBJECT
public:
    MovementPage(CatalogueLayout& settings, QWidget* parent);

    // Mouse sensitivity in steps of TrackBarStep::Sensitivity.
    QSlider* sensitivity() const { return sensitivity_; }

private:
    QSlider* sensitivity_;
};
