#include "SettingInfoDialog.h"

#include "FontScale.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr QSize clientSize(371, 290);

QLineEdit* readOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    return edit;
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap instead
    box->setTabChangesFocus(true);
    return box;
}

QLabel* caption(QWidget* parent, const char* text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setBuddy(buddy);
    return label;
}

// Exactly `lines` text lines tall, frame and document margins included.
void setHeightInLines(QPlainTextEdit& box, int lines) {
    const int margins = qRound(box.document()->documentMargin()) * 2 + box.frameWidth() * 2;
    box.setFixedHeight(box.fontMetrics().lineSpacing() * lines + margins);
}

} // namespace

SettingInfoDialog::SettingInfoDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmInfo"));
    setFixedSize(fontScaled(clientSize));

    // Holds the focus so that no value field opens selected; it has no room of its own.
    focusHolder_ = readOnlyEdit(this, "Edit1");
    focusHolder_->setFrame(false);
    focusHolder_->setGeometry(0, 0, 0, 0);

    commandBox_ = readOnlyEdit(this, "txtCommand");
    defaultBox_ = readOnlyEdit(this, "txtDefault");
    currentBoxes_[0] = readOnlyEdit(this, "txtCurrent1");
    currentBoxes_[1] = readOnlyEdit(this, "txtCurrent2");
    currentBoxes_[2] = readOnlyEdit(this, "txtCurrent3");
    currentBoxes_[3] = readOnlyEdit(this, "txtCurrent4");
    descriptionText_ = memo(this, "mmoDescription");
    notesText_ = memo(this, "mmoNotes");
    notesText_->setReadOnly(true);
    setHeightInLines(*descriptionText_, 2);

    auto* top = new QGridLayout;
    top->addWidget(caption(this, "Command", commandBox_), 0, 0);
    top->addWidget(caption(this, "Default", defaultBox_), 0, 1);
    top->addWidget(commandBox_, 1, 0);
    top->addWidget(defaultBox_, 1, 1);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 2);
    top->setVerticalSpacing(1);

    auto* values = new QGridLayout;
    values->addWidget(caption(this, "Value 1", currentBoxes_[0]), 0, 0);
    values->addWidget(currentBoxes_[0], 0, 1);
    values->addWidget(caption(this, "Value 2", currentBoxes_[1]), 0, 2);
    values->addWidget(currentBoxes_[1], 0, 3);
    values->addWidget(caption(this, "Value 3", currentBoxes_[2]), 1, 0);
    values->addWidget(currentBoxes_[2], 1, 1);
    values->addWidget(caption(this, "Value 4", currentBoxes_[3]), 1, 2);
    values->addWidget(currentBoxes_[3], 1, 3);
    values->setColumnStretch(1, 1);
    values->setColumnStretch(3, 1);
    values->setContentsMargins(8, 0, 0, 0);
    values->setVerticalSpacing(3);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->setSpacing(1);
    column->addLayout(top);
    column->addSpacing(5);
    currentCaption_ = caption(this, "Current Values");
    column->addWidget(currentCaption_);
    column->addLayout(values);
    column->addSpacing(5);
    column->addWidget(caption(this, "Description", descriptionText_));
    column->addWidget(descriptionText_);
    column->addSpacing(5);
    column->addWidget(caption(this, "Additional Notes", notesText_));
    column->addWidget(notesText_, 1);

    // The hidden box first; the command box only takes the focus by click, so Tab never bounces on
    // it.
    setTabOrder(focusHolder_, defaultBox_);
    setTabOrder(defaultBox_, currentBoxes_[0]);
    setTabOrder(currentBoxes_[0], currentBoxes_[1]);
    setTabOrder(currentBoxes_[1], currentBoxes_[2]);
    setTabOrder(currentBoxes_[2], currentBoxes_[3]);
    setTabOrder(currentBoxes_[3], descriptionText_);
    setTabOrder(descriptionText_, notesText_);
    commandBox_->setFocusPolicy(Qt::ClickFocus);
    commandBox_->installEventFilter(this);
    focusHolder_->setFocus();
}

void SettingInfoDialog::commandFocused() {
    focusHolder_->setFocus();
}

bool SettingInfoDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == commandBox_ && event->type() == QEvent::FocusIn)
        commandFocused();
    return QDialog::eventFilter(watched, event);
}
