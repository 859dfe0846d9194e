#include "EntryEditor.h"

#include "AliasDialog.h"
#include "BindingDialog.h"
#include "SettingDialog.h"
#include "platform/Guard.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* hiddenField(QGroupBox& box, const QString& name, const QString& value) {
    auto* field = new QLineEdit(value, &box);
    field->setObjectName(name);
    box.layout()->addWidget(field);
    return field;
}

QPushButton* dialogButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(75);
    return button;
}

} // namespace

EntryEditor::EntryEditor(QWidget* parent, Prompts& prompts, const EntryEditTarget& target,
                         const QString& newFieldName, const QString& okCaption)
    : QDialog(parent), prompts_(prompts), profileDirectory_(target.profileDirectory),
      profile_(target.profileFile) {
    hiddenItems_ = new QGroupBox(QStringLiteral("Hidden Items"), this);
    hiddenItems_->setObjectName(QStringLiteral("gbxHiddenItems"));
    new QVBoxLayout(hiddenItems_);
    lineNumberBox_ = hiddenField(*hiddenItems_, QStringLiteral("txtLineNumber"),
                                 QString::number(target.lineNumber));
    numberOfLinesBox_ = hiddenField(*hiddenItems_, QStringLiteral("txtNumberOfLines"),
                                    QString::number(target.numberOfLines));
    newEntryField_ = hiddenField(*hiddenItems_, newFieldName,
                                 target.isNew ? QStringLiteral("true") : QStringLiteral("false"));
    currentGameBox_ =
        hiddenField(*hiddenItems_, QStringLiteral("txtCurrentGame"), target.profileName);
    hiddenItems_->hide();

    okButton_ = dialogButton(this, "btnOk", okCaption);
    okButton_->setDefault(true);
    cancelButton_ = dialogButton(this, "btnCancel", QStringLiteral("Cancel"));
    connect(okButton_, &QPushButton::clicked, this, &EntryEditor::okClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &EntryEditor::cancel);
}

void EntryEditor::setFields(QBoxLayout* fields, QWidget* first, QLineEdit* name,
                            const QString& nameMissing) {
    name_ = name;
    nameMissing_ = nameMissing;
    first->setFocus();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(fields);
    layout->addWidget(hiddenItems_);
    layout->addSpacing(4);
    layout->addLayout(buttons);
}

void EntryEditor::okClicked() {
    if (name_->text().trimmed().isEmpty()) {
        prompts_.error(nameMissing_);
        name_->setFocus();
        return;
    }
    if (runGuarded(prompts_, [this] { writeEntry(); }))
        accept();
}

void EntryEditor::cancel() {
    reject();
}

bool EntryEditor::isNewEntry() const {
    return newEntryField_->text() == QLatin1String("true");
}

int EntryEditor::entryNumber() const {
    return lineNumberBox_->text().toInt() + 1;
}

int EntryEditor::numberOfLines() const {
    return numberOfLinesBox_->text().toInt();
}

QString EntryEditor::section(EntryKind kind) const {
    return ProfileFile::sectionName(kind, entryNumber());
}

std::unique_ptr<EntryEditor> newEntryEditor(EntryKind kind, QWidget* parent, Prompts& prompts,
                                            const EntryEditTarget& target,
                                            const QStringList& aliases) {
    switch (kind) {
    case EntryKind::Alias:
        return std::make_unique<AliasDialog>(parent, prompts, target);
    case EntryKind::Binding:
        return std::make_unique<BindingDialog>(parent, prompts, target, aliases);
    case EntryKind::Setting:
        break;
    }
    return std::make_unique<SettingDialog>(parent, prompts, target);
}
