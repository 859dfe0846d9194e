#include "LaunchStatusDialog.h"

#include "platform/IniFile.h"
#include "platform/VexaIni.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

constexpr QSize clientSize(354, 182);
constexpr int defaultStatusTime = 10;

QString yesNo(bool yes) {
    return yes ? QStringLiteral("Yes") : QStringLiteral("No");
}

// The boxes show values, they take no input: read-only, in the button face's colour.
template <typename Box> Box* valueBox(QWidget* parent, const char* name) {
    auto* box = new Box(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    return box;
}

QLabel* caption(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setBuddy(buddy);
    return label;
}

void centreOnScreen(QWidget& window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

LaunchSummary summariseLaunch(const CommandLine& pieces, const QString& batchFile, bool startServer,
                              const PlatformConventions& conventions) {
    const QList<CommandWords> commands = commandWords(pieces);
    auto value = [&](const char* key) { return findCommandValue(commands, QLatin1String(key)); };
    LaunchSummary summary;
    summary.batchFile = conventions.fileNameOf(batchFile);
    summary.configFiles = value("exec").value_or(QStringLiteral("Couldn't find value"));
    summary.game = value("set game").value_or(QStringLiteral("Quake2"));
    summary.map = value("map").value_or(QStringLiteral("None"));
    summary.startingServer = yesNo(startServer);
    summary.dedicated = yesNo(value("set dedicated") == QStringLiteral("1"));
    const std::optional<QString> server = value("connect");
    summary.connecting = yesNo(server.has_value());
    summary.server = server.value_or(QStringLiteral("None selected"));
    return summary;
}

LaunchStatusDialog::LaunchStatusDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Loading Quake2"));
    setFixedSize(clientSize);

    txtbatchFile = valueBox<QLineEdit>(this, "txtbatchFile");
    mmoConfigFiles = valueBox<QPlainTextEdit>(this, "mmoConfigFiles");
    mmoConfigFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoConfigFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoConfigFiles->setLineWrapMode(QPlainTextEdit::NoWrap);
    mmoConfigFiles->setTabChangesFocus(true);
    txtGame = valueBox<QLineEdit>(this, "txtGame");
    txtMap = valueBox<QLineEdit>(this, "txtMap");
    txtStartingServer = valueBox<QLineEdit>(this, "txtStartingServer");
    txtDedicated = valueBox<QLineEdit>(this, "txtDedicated");
    txtConnecting = valueBox<QLineEdit>(this, "txtConnecting");
    txtserver = valueBox<QLineEdit>(this, "txtserver");
    lblWarning = new QLabel(this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    lblWarning->setTextFormat(Qt::PlainText);
    QPalette warningPalette = lblWarning->palette();
    warningPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lblWarning->setPalette(warningPalette);
    lblWarning->hide();

    btnProceed = new QPushButton(QStringLiteral("Proceed to Quake2"), this);
    btnProceed->setObjectName(QStringLiteral("btnProceed"));
    btnProceed->setDefault(true);
    btnProceed->setFocus();
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button1"));

    proceedTimer_ = new QTimer(this);
    proceedTimer_->setObjectName(QStringLiteral("Timer1"));

    layOut();
    connect(proceedTimer_, &QTimer::timeout, this, &LaunchStatusDialog::proceedTimeout);
    connect(btnProceed, &QPushButton::clicked, this, &LaunchStatusDialog::proceed);
    connect(cancelButton_, &QPushButton::clicked, this, &LaunchStatusDialog::reject);
    formCreate();
    centreOnScreen(*this);
}

void LaunchStatusDialog::layOut() {
    // A one-line memo, as tall as the edit boxes beside it.
    mmoConfigFiles->setFixedHeight(txtGame->sizeHint().height());

    // The file names get whole rows; the short answers share theirs.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(caption(this, "Batch File", txtbatchFile), 0, 0);
    grid->addWidget(txtbatchFile, 0, 1, 1, 3);
    grid->addWidget(caption(this, "Config Files", mmoConfigFiles), 1, 0);
    grid->addWidget(mmoConfigFiles, 1, 1, 1, 3);
    grid->addWidget(caption(this, "Game", txtGame), 2, 0);
    grid->addWidget(txtGame, 2, 1);
    grid->addWidget(caption(this, "Map", txtMap), 2, 2);
    grid->addWidget(txtMap, 2, 3);
    grid->addWidget(caption(this, "Starting Server", txtStartingServer), 3, 0);
    grid->addWidget(txtStartingServer, 3, 1);
    grid->addWidget(caption(this, "Dedicated ", txtDedicated), 3, 2);
    grid->addWidget(txtDedicated, 3, 3);
    grid->addWidget(caption(this, "Connecting", txtConnecting), 4, 0);
    grid->addWidget(txtConnecting, 4, 1);
    grid->addWidget(caption(this, "server", txtserver), 4, 2);
    grid->addWidget(txtserver, 4, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnProceed);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->addLayout(grid);
    column->addWidget(lblWarning);
    column->addStretch(1);
    column->addLayout(buttons);
}

void LaunchStatusDialog::formCreate() {
    const IniFile ini(VexaIni::fileName(), VexaIni::Encoding);
    const qint64 seconds = VexaIni::readInteger(ini, VexaIni::StatusTime, defaultStatusTime);
    // A negative time would start a timer that never fires; a huge one must not overflow.
    proceedTimer_->setInterval(static_cast<int>(std::clamp<qint64>(seconds * 1000, 0, INT_MAX)));
    if (proceedTimer_->interval() > 0)
        proceedTimer_->start();
}

void LaunchStatusDialog::showSummary(const LaunchSummary& summary) {
    txtbatchFile->setText(summary.batchFile);
    mmoConfigFiles->clear();
    mmoConfigFiles->appendPlainText(summary.configFiles);
    mmoConfigFiles->moveCursor(QTextCursor::Start);
    txtGame->setText(summary.game);
    txtMap->setText(summary.map);
    txtStartingServer->setText(summary.startingServer);
    txtDedicated->setText(summary.dedicated);
    txtConnecting->setText(summary.connecting);
    txtserver->setText(summary.server);
    for (QLineEdit* box : {txtbatchFile, txtGame, txtMap, txtserver})
        box->setCursorPosition(0); // long names show their beginning
    showWarning(summary.warning);
}

void LaunchStatusDialog::showWarning(const QString& warning) {
    // A break allowed after each separator, so that a long path wraps instead of being cut.
    lblWarning->setText(QString(warning).replace(QLatin1Char('/'), QStringLiteral("/\u200b")));
    lblWarning->setVisible(!warning.isEmpty());
    // The box grows by the warning's lines: a long path wraps rather than being cut.
    const int extra =
        warning.isEmpty() ? 0 : lblWarning->heightForWidth(clientSize.width() - 16) + 4;
    setFixedSize(clientSize.width(), clientSize.height() + extra);
}

void LaunchStatusDialog::proceedTimeout() {
    proceedTimer_->stop();
    accept();
}

void LaunchStatusDialog::proceed() {
    proceedTimer_->stop();
    accept();
}

void LaunchStatusDialog::reject() {
    // Escape and closing stop the run like Cancel does: only a clear "proceed" starts the game.
    proceedTimer_->stop();
    done(Abort);
}

bool showStatusBox(QWidget* owner, const LaunchSummary& summary) {
    LaunchStatusDialog box(owner);
    box.showSummary(summary);
    return box.exec() == QDialog::Accepted;
}
