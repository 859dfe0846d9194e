#include "BindingDialog.h"

#include "controls/ChoiceBox.h"
#include "controls/KeyNames.h"
#include "platform/IniEdit.h"
#include "platform/IniFile.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace ProfileKeys;

namespace {

// The same key as BindValue (names match without regard to letter case); this spelling is the
// one written when an alias was picked from the list.
constexpr char PickedAliasValue[] = "Bindvalue";

QString aliasSection(int index) {
    return ProfileFile::sectionName(EntryKind::Alias, index + 1);
}

} // namespace

BindingDialog::BindingDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target,
                             const QStringList& aliasNames)
    : EntryEditor(parent, prompts, target, QStringLiteral("txtNewBinding"), QStringLiteral("OK")),
      aliasNames_(aliasNames) {
    setWindowTitle(QStringLiteral("Key Binding"));

    bindKeyBox_ = new QLineEdit(this);
    bindKeyBox_->setObjectName(QStringLiteral("txtBindKey"));
    bindKeyBox_->setFixedWidth(keyBoxWidth(*bindKeyBox_));
    KeyCaptureFilter::install(*bindKeyBox_);
    bindValueBox_ = new QComboBox(this);
    bindValueBox_->setObjectName(QStringLiteral("cboBindValue"));
    setUpChoiceBox(*bindValueBox_);
    bindValueBox_->setMinimumWidth(170);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Bind")));
    row->addWidget(bindKeyBox_);
    row->addWidget(new QLabel(QStringLiteral("to")));
    row->addWidget(bindValueBox_, 1);
    auto* fields = new QVBoxLayout;
    fields->addLayout(row);
    fields->addWidget(new QLabel(QStringLiteral("note : Aliases provided in combo box.")));
    setFields(fields, bindKeyBox_, bindKeyBox_,
              QStringLiteral("The binding needs a key: press it in the box after Bind"));

    formActivate();
}

void BindingDialog::formActivate() {
    replaceChoiceItems(*bindValueBox_, aliasNames_);
    if (isNewEntry())
        return;
    const IniFile ini(profile());
    const QString section = EntryEditor::section(EntryKind::Binding);
    bindKeyBox_->setText(ini.readString(section, BindKey, {}));
    showCommand(ini.readString(section, BindValue, {}));
}

// A command that is the alias name of a global alias shows that alias picked in the box;
// any other command shows as text.
void BindingDialog::showCommand(const QString& command) {
    const IniFile global(ProfileFile::globalProfilePath(profileDirectory()));
    const int count = ProfileFile::readCount(global, EntryKind::Alias, CountReading::Lenient);
    int picked = -1;
    for (int j = 0; j < count; ++j) {
        if (global.readString(aliasSection(j), AliasName, {}) == command) {
            picked = aliasItemFor(
                global.readString(aliasSection(j), DescriptiveName, QStringLiteral("No Name")),
                command);
        }
    }
    if (picked >= 0)
        bindValueBox_->setCurrentIndex(picked);
    else
        bindValueBox_->setEditText(command);
}

// The entry showing that descriptive name whose alias in this editor's profile is called by the
// command: OK would store the command unchanged. Another entry of the same name (a game alias
// named like a global one, or two names differing in letter case) would silently rebind the key
// to a different alias, so it is not picked.
int BindingDialog::aliasItemFor(const QString& descriptiveName, const QString& command) const {
    for (int k = 0; k < aliasNames_.size(); ++k) {
        if (aliasNames_[k].compare(descriptiveName, Qt::CaseInsensitive) == 0 &&
            aliasNameAt(k) == command)
            return k;
    }
    return -1;
}

// The alias whose descriptive name the box shows, letter case ignored: the picked entry when it
// is one of them, else the first; -1 when the text is a plain command.
int BindingDialog::chosenAlias() const {
    const QString text = bindValueBox_->currentText();
    const int current = bindValueBox_->currentIndex();
    if (current >= 0 && bindValueBox_->itemText(current).compare(text, Qt::CaseInsensitive) == 0)
        return current;
    return bindValueBox_->findText(text, Qt::MatchFixedString);
}

QString BindingDialog::aliasNameAt(int index) const {
    return IniFile(profile()).readString(aliasSection(index), AliasName, {});
}

void BindingDialog::writeEntry() {
    const QString section = EntryEditor::section(EntryKind::Binding);
    const int alias = chosenAlias();
    const QString aliasName = alias >= 0 ? aliasNameAt(alias) : QString();
    IniFile(profile()).edit([&](IniEdit& ini) {
        ini.writeString(section, BindKey, bindKeyBox_->text());
        if (alias >= 0)
            ini.writeString(section, PickedAliasValue, aliasName);
        else
            ini.writeString(section, BindValue, bindValueBox_->currentText());
        if (isNewEntry())
            ini.writeInteger(CountSection, ProfileFile::countKey(EntryKind::Binding),
                             numberOfLines() + 1);
    });
}
