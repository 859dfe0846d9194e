#pragma once

#include "CommandLine.h"
#include "platform/PlatformConventions.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// What the status box shows about a launch, as the box's texts.
struct LaunchSummary {
    QString batchFile;      // file name of the launch script
    QString configFiles;    // the config executed, or "Couldn't find value"
    QString game;           // the mod, or "Quake2"
    QString map;            // the start map, or "None"
    QString startingServer; // "Yes" / "No"
    QString dedicated;      // "Yes" / "No"
    QString connecting;     // "Yes" / "No"
    QString server;         // the server, or "None selected"
    QString warning;        // what the player must know before the game starts; often empty
};

LaunchSummary
summariseLaunch(const CommandLine& pieces, const QString& batchFile, bool startServer,
                const PlatformConventions& conventions = PlatformConventions::native());

// "Loading Quake2": a summary of the launch that proceeds by itself after [vexa] StatusTime
// seconds (default 10; 0 or less waits for a button). Ending it any way but "Proceed to Quake2"
// or the timer (Cancel, Escape, closing) returns Abort: the run stops.
class LaunchStatusDialog : public QDialog {
    Q_OBJECT
public:
    enum ModalResult { Abort = 3 };

    explicit LaunchStatusDialog(QWidget* owner = nullptr);

    void showSummary(const LaunchSummary& summary);

    QLineEdit* txtbatchFile;
    QPlainTextEdit* mmoConfigFiles;
    QLineEdit* txtGame;
    QLineEdit* txtMap;
    QLineEdit* txtStartingServer;
    QLineEdit* txtDedicated;
    QLineEdit* txtConnecting;
    QLineEdit* txtserver;
    QLabel* lblWarning; // shown only with a warning
    QPushButton* btnProceed;
    QPushButton* cancelButton_;
    QTimer* proceedTimer_;

public slots:
    void proceedTimeout();
    void proceed();
    void reject() override;

private:
    void formCreate();
    void layOut();
    void showWarning(const QString& warning);
};

// Shows the summary modally; true when the run is to proceed.
bool showStatusBox(QWidget* owner, const LaunchSummary& summary);
