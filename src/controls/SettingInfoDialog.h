#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

// "More Information" about one setting control: command, default, up to four current values,
// description and notes. Fixed size, closed with the title bar's close box only.
class SettingInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingInfoDialog(QWidget* owner = nullptr);

    QLineEdit* focusHolder_;
    QLineEdit* txtCommand;
    QLineEdit* txtDefault;
    QLineEdit* txtCurrent1;
    QLineEdit* txtCurrent2;
    QLineEdit* txtCurrent3;
    QLineEdit* txtCurrent4;
    QPlainTextEdit* mmoDescription;
    QPlainTextEdit* mmoNotes;

public slots:
    void commandFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
