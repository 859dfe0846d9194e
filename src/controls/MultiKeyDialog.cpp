#include "MultiKeyDialog.h"

#include "KeyCaptureEdit.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int boxWidth = 121;

// A caption with its box below it.
void addField(QVBoxLayout& column, const QString& caption, QWidget* box) {
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    column.addWidget(label);
    column.addSpacing(1);
    column.addWidget(box);
    column.addSpacing(6);
}

// The default is for reference: its box takes the colour of text that is not active.
void markAsReference(QLineEdit& box) {
    QPalette colours = box.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::Base, colours.color(group, QPalette::Button));
    box.setPalette(colours);
}

QPushButton* newButton(const QString& caption, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    button->setMinimumWidth(75);
    return button;
}

} // namespace

MultiKeyDialog::MultiKeyDialog(QWidget* owner, const QString& command, const QString& defaultValue,
                               const std::array<QString, 4>& keys)
    : QDialog(owner), keys_(keys) {
    setWindowTitle(command);

    defaultBox_ = new QLineEdit(defaultValue, this);
    defaultBox_->setObjectName(QStringLiteral("txtDefault"));
    defaultBox_->setFixedWidth(boxWidth);
    markAsReference(*defaultBox_);

    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    addField(*column, QStringLiteral("Default Value"), defaultBox_);
    for (int i = 0; i < 4; ++i) {
        auto* box = new KeyCaptureEdit(this);
        box->setObjectName(QStringLiteral("keyValue%1").arg(i + 1));
        box->setFixedWidth(boxWidth);
        box->setText(keys_[static_cast<size_t>(i)]);
        addField(*column, QStringLiteral("Value %1").arg(i + 1), box);
        keyBoxes_[static_cast<size_t>(i)] = box;
    }

    okButton_ = newButton(QStringLiteral("OK"), QStyle::SP_DialogOkButton, this);
    okButton_->setObjectName(QStringLiteral("BitBtn1"));
    okButton_->setDefault(true);
    cancelButton_ = newButton(QStringLiteral("Cancel"), QStyle::SP_DialogCancelButton, this);
    cancelButton_->setObjectName(QStringLiteral("BitBtn2"));
    connect(okButton_, &QPushButton::clicked, this, &MultiKeyDialog::acceptKeys);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    fields->addStretch();
    fields->addLayout(column);
    fields->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    resize(183, 285);
    // The dialog is for pressing keys.
    keyBoxes_[0]->setFocus();
}

void MultiKeyDialog::acceptKeys() {
    for (std::size_t i = 0; i < keyBoxes_.size(); ++i)
        keys_[i] = keyBoxes_[i]->text();
    accept();
}
