#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// The game directories of a Quake 2 installation that may be offered as new games: every entry
// in name order, in lower case, without "." and "..", names with a three-letter
// extension, and the game's own "baseq2" and "docs" and "vexa". An unreadable directory offers
// nothing.
QStringList gameCandidates(const QString& quake2Directory);

// Asks for the name of a game (the folder of a Quake 2 mod); the installed ones are offered.
class TfrmGameInput : public QDialog {
    Q_OBJECT
public:
    TfrmGameInput(QWidget* parent, const QString& quake2Directory);

    QComboBox* cboGames;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // The name as typed; empty unless OK was pressed with a name that is not blank.
    QString GameName;

    void FormActivate();
    void btnOkClick();
    void btnCancelClick();

private:
    QString quake2Directory_;
};
