#include "SettingChoiceBox.h"

#include <QAbstractItemView>

SettingChoiceBox::SettingChoiceBox(QWidget* owner)
    : QComboBox(owner), SettingControl(*this, SettingKind::Choice) {
    makePopupMenu();
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

SettingChoiceBox::~SettingChoiceBox() {
    disconnect(this, &QComboBox::currentIndexChanged, nullptr, nullptr);
}

void SettingChoiceBox::setChoices(const QList<std::pair<QString, QString>>& choices,
                                  const QString& defaultValue) {
    clear();
    for (const auto& [value, label] : choices)
        addItem(label, value);
    default_ = defaultValue;
    setCurrentIndex(entryOf(defaultValue));
    updateHint();
}

int SettingChoiceBox::entryOf(const QString& value) {
    if (const int found = findData(value); found >= 0)
        return found;
    // The game reads "1.0" as 1.
    bool number = false;
    const double wanted = value.toDouble(&number);
    for (int entry = 0; number && entry < count(); ++entry) {
        bool isNumber = false;
        if (itemData(entry).toString().toDouble(&isNumber) == wanted && isNumber)
            return entry;
    }
    addItem(value, value);
    return count() - 1;
}

QString SettingChoiceBox::valueText(int index) const {
    return index == 0 ? currentData().toString() : QString();
}

void SettingChoiceBox::setValues(const QStringList& values) {
    const int entry = entryOf(values.value(0));
    if (entry != currentIndex())
        setCurrentIndex(entry);
}

void SettingChoiceBox::resetToDefault() {
    setValues({default_});
}

void SettingChoiceBox::setDefaultText(const QString& text) {
    default_ = text;
    updateHint();
}

QMetaObject::Connection SettingChoiceBox::connectChange(QObject* context,
                                                        std::function<void()> handler) {
    return connect(this, &QComboBox::currentIndexChanged, context,
                   [handler = std::move(handler)](int) { handler(); });
}

void SettingChoiceBox::showPopup() {
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

QString SettingChoiceBox::shownText(const QString& value) const {
    const int found = findData(value);
    const QString label = found >= 0 ? itemText(found) : value;
    return label == value ? value : value + QStringLiteral(" (") + label + u')';
}
