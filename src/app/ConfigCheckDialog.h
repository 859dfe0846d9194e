#pragma once

#include "config/ConfigCheck.h"

#include <QDialog>
#include <QList>

class QLabel;
class QTableWidget;
class MainWindow;

// File > Check Config: the findings for one config file, a row each (line, text). A double-click
// on a row asks for the file at that line (lineChosen).
class ConfigCheckDialog : public QDialog {
    Q_OBJECT
public:
    ConfigCheckDialog(QWidget* owner, const QString& fileName, Engine engine,
                      const QList<ConfigFinding>& findings);

    QLabel* summaryLabel() const { return summaryLabel_; }
    QTableWidget* findingsTable() const { return findingsTable_; }

signals:
    void lineChosen(int line);

private:
    QLabel* summaryLabel_;
    QTableWidget* findingsTable_;
};

// Adds File > Check Config to the window's menu, and marks the window's key boxes while two
// commands share a key (the binding boxes and the message slots).
void installConfigChecks(MainWindow& window);
