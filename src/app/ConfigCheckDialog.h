#pragma once

#include "config/ConfigCheck.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;
class MainWindow;

// File > Check Config: the findings for one config file, a row each (line, text). A double-click
// on a row asks for the file at that line (lineChosen). Re-check, and coming back to the window
// (after an edit of the file), check the file again.
class ConfigCheckDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<QList<ConfigFinding>()>;

    ConfigCheckDialog(QWidget* owner, const QString& fileName, Engine engine, Check check);

    QLabel* summaryLabel() const { return summaryLabel_; }
    QTableWidget* findingsTable() const { return findingsTable_; }
    QPushButton* recheckButton() const { return recheckButton_; }

    // Checks the file again and shows what it finds now.
    void recheck();

signals:
    void lineChosen(int line);

protected:
    bool event(QEvent* event) override;

private:
    void showFindings(const QList<ConfigFinding>& findings);

    QString fileName_;
    Engine engine_;
    Check check_;
    QLabel* summaryLabel_;
    QTableWidget* findingsTable_;
    QPushButton* recheckButton_;
};

// Adds File > Check Config to the window's menu, and marks the window's key boxes while two
// commands share a key (the binding boxes and the message slots).
void installConfigChecks(MainWindow& window);
