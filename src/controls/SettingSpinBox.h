#pragma once

#include "SettingControl.h"

#include <QSpinBox>

// An integer spin edit carrying one console variable, with an optional caption label beside it.
//
// minValue and maxValue limit the field only when they differ; equal (both 0 by default) means no
// limit. Value() reads the field's text, and text that is no integer reads as minValue; leaving
// the field turns such text back into a clamped number.
//
// Handlers that must see every change of the field, by typing, the buttons or by program, connect
// to supChange(). It is emitted after the text has changed and before supValue follows it, so
// handlers read Value().
class SettingSpinBox : public QSpinBox, public SettingControl {
    Q_OBJECT
public:
    explicit SettingSpinBox(QWidget* owner = nullptr);

    int minValue() const { return minValue_; }
    void setMinValue(int value);
    int maxValue() const { return maxValue_; }
    void setMaxValue(int value);
    // The integer shown; QSpinBox::setValue assigns it, clamped to the limits.
    int Value() const;

    int supValue() const { return value_; }
    void setSupValue(int value);
    int supDefault() const { return default_; }
    void setSupDefault(int value);

    QString valueText(int index = 0) const override;
    QString shownValueText() const override;
    void setValues(const QStringList& values) override;
    QString defaultText() const override;
    void resetToDefault() override;
    void setDefaultText(const QString& text) override;
    QMetaObject::Connection connectChange(QObject* context, std::function<void()> handler) override;

    // As wide as the longest text it has shown needs, never narrower than the form's width; a
    // layout short of room may keep it down to the form's width.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void supChange();

protected:
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;

private:
    bool limited() const { return minValue_ != maxValue_; }
    int clamped(int value) const;
    int valueOfText(const QString& text) const;
    void applyLimits();
    void onTextChange();
    // Never narrower than the form's width, but wide enough for its text (a rate of 25000) where
    // its row has the room.
    void widenToFitText();
    static constexpr int FormWidth = 55;
    static constexpr int TextMargin = 2;
    qsizetype longestText_ = 0;  // the longest text widenToFitText has measured
    const int formWidth_;        // the form's width at the application's font
    int textWidth_ = formWidth_; // the width that text needs

    int minValue_ = 0;
    int maxValue_ = 0;
    int value_ = 0;
    int default_ = 0;
    QString notifiedText_; // the field's text at the last change notification
};
