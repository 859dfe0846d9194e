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

    QLineEdit* batchFileBox() const { return batchFileBox_; }
    QPlainTextEdit* configFilesText() const { return configFilesText_; }
    QLineEdit* gameBox() const { return gameBox_; }
    QLineEdit* mapBox() const { return mapBox_; }
    QLineEdit* startingServerBox() const { return startingServerBox_; }
    QLineEdit* connectingBox() const { return connectingBox_; }
    QLineEdit* serverBox() const { return serverBox_; }
    QLabel* warningLabel() const { return warningLabel_; }
    QPushButton* proceedButton() const { return proceedButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QTimer* proceedTimer() const { return proceedTimer_; }

public slots:
    void proceedTimeout();
    void proceed();
    void reject() override;

private:
    void formCreate();
    void layOut();
    void showWarning(const QString& warning);

    QLineEdit* batchFileBox_;
    QPlainTextEdit* configFilesText_;
    QLineEdit* gameBox_;
    QLineEdit* mapBox_;
    QLineEdit* startingServerBox_;
    QLineEdit* dedicatedBox_;
    QLineEdit* connectingBox_;
    QLineEdit* serverBox_;
    QLabel* warningLabel_; // shown only with a warning
    QPushButton* proceedButton_;
    QPushButton* cancelButton_;
    QTimer* proceedTimer_;
};

// Shows the summary modally; true when the run is to proceed.
bool showStatusBox(QWidget* owner, const LaunchSummary& summary);
