#pragma once

#include <QWidget>

class CatalogueLayout;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;

// The General tab: the player's name, model and skin, weapon hand, crosshair, the gun and view
// spins of the catalogue, view bobbing, and the logo.
class GeneralPage : public QWidget {
    Q_OBJECT
public:
    GeneralPage(CatalogueLayout& settings, QWidget* parent);

    QLineEdit* playerName() const { return playerName_; }
    QComboBox* model() const { return model_; }
    QComboBox* skin() const { return skin_; }
    QRadioButton* handLeft() const { return handLeft_; }
    QRadioButton* handCenter() const { return handCenter_; }
    QRadioButton* handRight() const { return handRight_; }
    QRadioButton* crossNone() const { return crossNone_; }
    QRadioButton* crossX() const { return crossX_; }
    QRadioButton* crossAngle() const { return crossAngle_; }
    QRadioButton* crossDot() const { return crossDot_; }
    QLineEdit* walkPitch() const { return walkPitch_; }
    QLineEdit* walkRoll() const { return walkRoll_; }
    QLineEdit* bobStart() const { return bobStart_; }
    QLineEdit* runPitch() const { return runPitch_; }
    QLineEdit* runRoll() const { return runRoll_; }
    QFrame* logoPanel() const { return logoPanel_; }
    QLabel* logo() const { return logo_; }

private:
    QLineEdit* playerName_;
    QComboBox* model_;
    QComboBox* skin_;
    QRadioButton* handLeft_;
    QRadioButton* handCenter_;
    QRadioButton* handRight_;
    QRadioButton* crossNone_;
    QRadioButton* crossX_;
    QRadioButton* crossAngle_;
    QRadioButton* crossDot_;
    QLineEdit* walkPitch_;
    QLineEdit* walkRoll_;
    QLineEdit* bobStart_;
    QLineEdit* runPitch_;
    QLineEdit* runRoll_;
    QFrame* logoPanel_;
    QLabel* logo_;
};
