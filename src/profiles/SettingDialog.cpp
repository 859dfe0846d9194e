#include "SettingDialog.h"

#include "platform/IniEdit.h"
#include "platform/IniFile.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace ProfileKeys;

SettingDialog::SettingDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target)
    : EntryEditor(parent, prompts, target, QStringLiteral("txtNewSetting"), QStringLiteral("Ok")) {
    setWindowTitle(QStringLiteral("Setting"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    settingBox_ = new QLineEdit(this);
    settingBox_->setObjectName(QStringLiteral("txtSetting"));
    settingValueBox_ = new QLineEdit(this);
    settingValueBox_->setObjectName(QStringLiteral("txtSettingValue"));

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("Set")));
    fields->addWidget(settingBox_, 1);
    fields->addWidget(new QLabel(QStringLiteral("to")));
    fields->addWidget(settingValueBox_, 1);
    setFields(fields, settingBox_, settingBox_,
              QStringLiteral("The setting needs the name of the variable it sets"));
    resize(300, sizeHint().height());

    formActivate();
}

void SettingDialog::formActivate() {
    if (isNewEntry())
        return;
    const IniFile ini(profile());
    const QString section = EntryEditor::section(EntryKind::Setting);
    settingBox_->setText(ini.readString(section, Setting, {}));
    settingValueBox_->setText(ini.readString(section, SettingValue, {}));
}

void SettingDialog::writeEntry() {
    const QString section = EntryEditor::section(EntryKind::Setting);
    IniFile(profile()).edit([&](IniEdit& ini) {
        ini.writeString(section, Setting, settingBox_->text());
        ini.writeString(section, SettingValue, settingValueBox_->text());
        // The tab passes the count less one for an edit, so this is the count, or one more on
        // Add.
        ini.writeInteger(CountSection, ProfileFile::countKey(EntryKind::Setting),
                         numberOfLines() + 1);
    });
}
