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
    txtNewSetting = newEntryField();

    txtSetting = new QLineEdit(this);
    txtSetting->setObjectName(QStringLiteral("txtSetting"));
    txtSettingValue = new QLineEdit(this);
    txtSettingValue->setObjectName(QStringLiteral("txtSettingValue"));

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("Set")));
    fields->addWidget(txtSetting, 1);
    fields->addWidget(new QLabel(QStringLiteral("to")));
    fields->addWidget(txtSettingValue, 1);
    setFields(fields);
    resize(300, sizeHint().height());

    formActivate();
}

void SettingDialog::formActivate() {
    if (isNewEntry())
        return;
    const IniFile ini(profile());
    const QString section = EntryEditor::section(EntryKind::Setting);
    txtSetting->setText(ini.readString(section, Setting, {}));
    txtSettingValue->setText(ini.readString(section, SettingValue, {}));
}

void SettingDialog::writeEntry() {
    const QString section = EntryEditor::section(EntryKind::Setting);
    IniFile(profile()).edit([&](IniEdit& ini) {
        ini.writeString(section, Setting, txtSetting->text());
        ini.writeString(section, SettingValue, txtSettingValue->text());
        // The tab passes the count less one for an edit, so this is the count, or one more on
        // Add.
        ini.writeInteger(CountSection, ProfileFile::countKey(EntryKind::Setting),
                         numberOfLines() + 1);
    });
}
