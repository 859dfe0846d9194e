#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;

// Tells when the user chooses a text in an editable box: by typing, or by picking an entry from
// its list. An editable box also reports its text as chosen when it loses the focus; that is no
// choice, and neither is a text the program sets. With OnlyChanges, picking the entry already
// shown is none either: the text counts from the moment the box is entered.
class UserChoice : public QObject {
public:
    enum Report { EveryChoice, OnlyChanges };

    UserChoice(QComboBox* box, Report report, std::function<void(const QString&)> chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check(const QString& text);

    QComboBox* box_;
    Report report_;
    std::function<void(const QString&)> chosen_;
    QString shown_;
};
