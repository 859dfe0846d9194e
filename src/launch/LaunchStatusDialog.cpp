#include "LaunchStatusDialog.h"

#include "controls/ControlParts.h"
#include "controls/FontScale.h"
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
    setFixedSize(fontScaled(clientSize));

    batchFileBox_ = valueBox<QLineEdit>(this, "txtbatchFile");
    configFilesText_ = valueBox<QPlainTextEdit>(this, "mmoConfigFiles");
    configFilesText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    configFilesText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    configFilesText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    configFilesText_->setTabChangesFocus(true);
    gameBox_ = valueBox<QLineEdit>(this, "txtGame");
    mapBox_ = valueBox<QLineEdit>(this, "txtMap");
    startingServerBox_ = valueBox<QLineEdit>(this, "txtStartingServer");
    dedicatedBox_ = valueBox<QLineEdit>(this, "txtDedicated");
    connectingBox_ = valueBox<QLineEdit>(this, "txtConnecting");
    serverBox_ = valueBox<QLineEdit>(this, "txtserver");
    warningLabel_ = new QLabel(this);
    warningLabel_->setObjectName(QStringLiteral("lblWarning"));
    warningLabel_->setWordWrap(true);
    warningLabel_->setTextFormat(Qt::PlainText);
    QPalette warningPalette = warningLabel_->palette();
    warningPalette.setColor(QPalette::WindowText, warningColour(warningPalette));
    warningLabel_->setPalette(warningPalette);
    warningLabel_->hide();

    proceedButton_ = new QPushButton(QStringLiteral("Proceed to Quake2"), this);
    proceedButton_->setObjectName(QStringLiteral("btnProceed"));
    proceedButton_->setDefault(true);
    proceedButton_->setFocus();
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button1"));

    proceedTimer_ = new QTimer(this);
    proceedTimer_->setObjectName(QStringLiteral("Timer1"));

    layOut();
    connect(proceedTimer_, &QTimer::timeout, this, &LaunchStatusDialog::proceedTimeout);
    connect(proceedButton_, &QPushButton::clicked, this, &LaunchStatusDialog::proceed);
    connect(cancelButton_, &QPushButton::clicked, this, &LaunchStatusDialog::reject);
    formCreate();
    centreOnScreen(*this);
}

void LaunchStatusDialog::layOut() {
    // A one-line memo, as tall as the edit boxes beside it.
    configFilesText_->setFixedHeight(gameBox_->sizeHint().height());

    // The file names get whole rows; the short answers share theirs.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(caption(this, "Batch File", batchFileBox_), 0, 0);
    grid->addWidget(batchFileBox_, 0, 1, 1, 3);
    grid->addWidget(caption(this, "Config Files", configFilesText_), 1, 0);
    grid->addWidget(configFilesText_, 1, 1, 1, 3);
    grid->addWidget(caption(this, "Game", gameBox_), 2, 0);
    grid->addWidget(gameBox_, 2, 1);
    grid->addWidget(caption(this, "Map", mapBox_), 2, 2);
    grid->addWidget(mapBox_, 2, 3);
    grid->addWidget(caption(this, "Starting Server", startingServerBox_), 3, 0);
    grid->addWidget(startingServerBox_, 3, 1);
    grid->addWidget(caption(this, "Dedicated ", dedicatedBox_), 3, 2);
    grid->addWidget(dedicatedBox_, 3, 3);
    grid->addWidget(caption(this, "Connecting", connectingBox_), 4, 0);
    grid->addWidget(connectingBox_, 4, 1);
    grid->addWidget(caption(this, "server", serverBox_), 4, 2);
    grid->addWidget(serverBox_, 4, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(proceedButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->addLayout(grid);
    column->addWidget(warningLabel_);
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
    batchFileBox_->setText(summary.batchFile);
    configFilesText_->clear();
    configFilesText_->appendPlainText(summary.configFiles);
    configFilesText_->moveCursor(QTextCursor::Start);
    gameBox_->setText(summary.game);
    mapBox_->setText(summary.map);
    startingServerBox_->setText(summary.startingServer);
    dedicatedBox_->setText(summary.dedicated);
    connectingBox_->setText(summary.connecting);
    serverBox_->setText(summary.server);
    for (QLineEdit* box : {batchFileBox_, gameBox_, mapBox_, serverBox_})
        box->setCursorPosition(0); // long names show their beginning
    showWarning(summary.warning);
}

void LaunchStatusDialog::showWarning(const QString& warning) {
    // A break allowed after each separator, so that a long path wraps instead of being cut.
    warningLabel_->setText(QString(warning).replace(QLatin1Char('/'), QStringLiteral("/\u200b")));
    warningLabel_->setVisible(!warning.isEmpty());
    // The box grows by the warning's lines: a long path wraps rather than being cut.
    const int extra = warning.isEmpty()
                          ? 0
                          : warningLabel_->heightForWidth(fontScaled(clientSize).width() - 16) + 4;
    setFixedSize(fontScaled(clientSize) + QSize(0, extra));
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
