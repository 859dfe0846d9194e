#include "SettingInfoDialog.h"

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
    setFixedSize(clientSize);

    // Holds the focus so that no value field opens selected; it has no room of its own.
    focusHolder_ = readOnlyEdit(this, "Edit1");
    focusHolder_->setFrame(false);
    focusHolder_->setGeometry(0, 0, 0, 0);

    txtCommand = readOnlyEdit(this, "txtCommand");
    txtDefault = readOnlyEdit(this, "txtDefault");
    txtCurrent1 = readOnlyEdit(this, "txtCurrent1");
    txtCurrent2 = readOnlyEdit(this, "txtCurrent2");
    txtCurrent3 = readOnlyEdit(this, "txtCurrent3");
    txtCurrent4 = readOnlyEdit(this, "txtCurrent4");
    mmoDescription = memo(this, "mmoDescription");
    mmoNotes = memo(this, "mmoNotes");
    mmoNotes->setReadOnly(true);
    setHeightInLines(*mmoDescription, 2);

    auto* top = new QGridLayout;
    top->addWidget(caption(this, "Command", txtCommand), 0, 0);
    top->addWidget(caption(this, "Default", txtDefault), 0, 1);
    top->addWidget(txtCommand, 1, 0);
    top->addWidget(txtDefault, 1, 1);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 2);
    top->setVerticalSpacing(1);

    auto* values = new QGridLayout;
    values->addWidget(caption(this, "Value 1", txtCurrent1), 0, 0);
    values->addWidget(txtCurrent1, 0, 1);
    values->addWidget(caption(this, "Value 2", txtCurrent2), 0, 2);
    values->addWidget(txtCurrent2, 0, 3);
    values->addWidget(caption(this, "Value 3", txtCurrent3), 1, 0);
    values->addWidget(txtCurrent3, 1, 1);
    values->addWidget(caption(this, "Value 4", txtCurrent4), 1, 2);
    values->addWidget(txtCurrent4, 1, 3);
    values->setColumnStretch(1, 1);
    values->setColumnStretch(3, 1);
    values->setContentsMargins(8, 0, 0, 0);
    values->setVerticalSpacing(3);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->setSpacing(1);
    column->addLayout(top);
    column->addSpacing(5);
    column->addWidget(caption(this, "Current Values"));
    column->addLayout(values);
    column->addSpacing(5);
    column->addWidget(caption(this, "Description", mmoDescription));
    column->addWidget(mmoDescription);
    column->addSpacing(5);
    column->addWidget(caption(this, "Additional Notes", mmoNotes));
    column->addWidget(mmoNotes, 1);

    // The hidden box first; txtCommand only takes the focus by click, so Tab never bounces on it.
    setTabOrder(focusHolder_, txtDefault);
    setTabOrder(txtDefault, txtCurrent1);
    setTabOrder(txtCurrent1, txtCurrent2);
    setTabOrder(txtCurrent2, txtCurrent3);
    setTabOrder(txtCurrent3, txtCurrent4);
    setTabOrder(txtCurrent4, mmoDescription);
    setTabOrder(mmoDescription, mmoNotes);
    txtCommand->setFocusPolicy(Qt::ClickFocus);
    txtCommand->installEventFilter(this);
    focusHolder_->setFocus();
}

void SettingInfoDialog::commandFocused() {
    focusHolder_->setFocus();
}

bool SettingInfoDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCommand && event->type() == QEvent::FocusIn)
        commandFocused();
    return QDialog::eventFilter(watched, event);
}
