#pragma once

#include <QList>
#include <QWidget>

class CatalogueLayout;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// The Server tab: the server's name, password, master and start map, the server settings of the
// catalogue with the frag and time limit switches, the game type and the deathmatch flags.
class ServerPage : public QWidget {
    Q_OBJECT
public:
    ServerPage(CatalogueLayout& settings, QWidget* parent);

    QLineEdit* serverName() const { return serverName_; }
    QLineEdit* serverPassword() const { return serverPassword_; }
    QLineEdit* masterServer() const { return masterServer_; }
    QComboBox* startMap() const { return startMap_; }
    QCheckBox* fragLimit() const { return fragLimit_; }
    QCheckBox* timeLimit() const { return timeLimit_; }
    QRadioButton* deathMatch() const { return deathMatch_; }
    QRadioButton* cooperative() const { return cooperative_; }
    // One box per deathmatch flag, in the order of the flags.
    const QList<QCheckBox*>& deathmatchFlagBoxes() const { return deathmatchFlagBoxes_; }
    // The "dmflags" number the boxes stand for, and the boxes set to show one.
    int deathmatchFlagNumber() const;
    void applyDeathmatchFlags(int number);

private:
    QLineEdit* serverName_;
    QLineEdit* serverPassword_;
    QLineEdit* masterServer_;
    QComboBox* startMap_;
    QCheckBox* fragLimit_;
    QCheckBox* timeLimit_;
    QRadioButton* deathMatch_;
    QRadioButton* cooperative_;
    QList<QCheckBox*> deathmatchFlagBoxes_;
};
