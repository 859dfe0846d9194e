#include "AliasDialog.h"

#include "platform/IniEdit.h"
#include "platform/IniFile.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace ProfileKeys;

namespace {

constexpr int descriptiveNameLength = 16;

QString aliasLineKey(int j) {
    return AliasLinePrefix + QString::number(j);
}

// The lines as a memo counts them: a final line break does not start another line.
QStringList memoLines(const QPlainTextEdit& memo) {
    QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QPlainTextEdit* newMemo(QWidget* parent, const char* name, int height) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(height);
    return memo;
}

QLabel* caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

AliasDialog::AliasDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target)
    : EntryEditor(parent, prompts, target, QStringLiteral("txtNewAlias"), QStringLiteral("OK")) {
    setWindowTitle(QStringLiteral("Alias"));

    descriptiveNameBox_ = new QLineEdit(this);
    descriptiveNameBox_->setObjectName(QStringLiteral("txtDescriptiveName"));
    descriptiveNameBox_->setMaxLength(descriptiveNameLength);
    aliasNameBox_ = new QLineEdit(this);
    aliasNameBox_->setObjectName(QStringLiteral("txtAliasName"));
    descriptionText_ = newMemo(this, "mmoDescription", 48);
    aliasText_ = newMemo(this, "mmoAlias", 110);
    aliasText_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* names = new QFormLayout;
    names->addRow(caption(QStringLiteral("Descriptive Name"), descriptiveNameBox_),
                  descriptiveNameBox_);
    names->addRow(caption(QStringLiteral("Alias Name"), aliasNameBox_), aliasNameBox_);
    auto* fields = new QVBoxLayout;
    fields->addLayout(names);
    fields->addWidget(caption(QStringLiteral("Description"), descriptionText_));
    fields->addWidget(descriptionText_, 1);
    fields->addWidget(caption(QStringLiteral("Alias"), aliasText_));
    fields->addWidget(aliasText_, 3);
    setFields(fields, descriptiveNameBox_, aliasNameBox_,
              QStringLiteral("The alias needs a name: the game runs it by that name"));
    resize(330, 330);

    formActivate();
}

void AliasDialog::formActivate() {
    if (isNewEntry())
        return;
    const IniFile ini(profile());
    const QString section = EntryEditor::section(EntryKind::Alias);
    const QString name = ini.readString(section, DescriptiveName, QStringLiteral("No Name"));
    // A longer name from the file is shown whole, so that OK does not cut it.
    descriptiveNameBox_->setMaxLength(
        std::max(descriptiveNameLength, static_cast<int>(name.size())));
    descriptiveNameBox_->setText(name);
    aliasNameBox_->setText(ini.readString(section, AliasName, {}));
    // No more lines than the section has keys, whatever its count says.
    const int lines = std::min(ini.readInteger(section, AliasLines, -1), ini.keyCount(section));
    QStringList text;
    for (int j = 1; j <= lines; ++j)
        text << ini.readString(section, aliasLineKey(j), {});
    aliasText_->setPlainText(text.join(QLatin1Char('\n')));
    descriptionText_->setPlainText(ini.readString(section, Description, {}));
}

void AliasDialog::writeEntry() {
    const QString section = EntryEditor::section(EntryKind::Alias);
    const QStringList lines = memoLines(*aliasText_);
    IniFile(profile()).edit([&](IniEdit& ini) {
        ini.writeString(section, DescriptiveName, descriptiveNameBox_->text());
        ini.writeString(section, AliasName, aliasNameBox_->text());
        // The description is kept as one line.
        ini.writeString(section, Description, memoLines(*descriptionText_).join(QString()));
        ini.writeInteger(section, AliasLines, static_cast<int>(lines.size()));
        for (int j = 1; j <= lines.size(); ++j)
            ini.writeString(section, aliasLineKey(j), lines[j - 1]);
        const int count = isNewEntry() ? numberOfLines() + 1 : numberOfLines();
        ini.writeInteger(CountSection, ProfileFile::countKey(EntryKind::Alias), count);
    });
}
