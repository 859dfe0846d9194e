// Stands in for the game in the demo installation: shows the working directory and the command
// line it was started with, and records them in "<program>.log" beside itself (the working
// directory on the first line, then one argument per line) so the start can also be checked
// without a screen.
//
//   vexa_standin_game [ARGUMENT]...

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

namespace {

// Where this program lives, found before any Qt object exists.
QString programPath() {
    const QFileInfo link(QStringLiteral("/proc/self/exe"));
    return link.exists() ? link.canonicalFilePath() : QString();
}

void writeLog(const QString& program, const QByteArray& directory, int argc, char** argv) {
    if (program.isEmpty())
        return;
    QFile log(program + QStringLiteral(".log"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    log.write(directory + '\n');
    for (int i = 1; i < argc; ++i)
        log.write(QByteArray(argv[i]) + '\n');
}

bool hasScreen() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// An argument as a shell would need it typed, so the line reads back unambiguously.
QString quoted(const QString& argument) {
    if (!argument.isEmpty() && !argument.contains(QLatin1Char(' ')) &&
        !argument.contains(QLatin1Char('"')))
        return argument;
    QString text = argument;
    text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

int main(int argc, char** argv) {
    // Qt takes some options for itself, so the arguments are kept before it sees them.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString directory = QDir::currentPath();
    writeLog(programPath(), QFile::encodeName(directory), argc, argv);
    if (!hasScreen())
        return 0;

    QApplication app(argc, argv);
    QDialog window;
    window.setWindowTitle(QStringLiteral("Quake 2 (stand-in)"));
    auto* layout = new QVBoxLayout(&window);

    auto* intro = new QLabel(QStringLiteral("The game would start now, like this:"));
    layout->addWidget(intro);
    layout->addWidget(new QLabel(QStringLiteral("Working directory:")));
    auto* where = new QLabel(directory);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);

    QStringList line{QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()};
    for (const QString& argument : arguments)
        line << quoted(argument);
    layout->addWidget(new QLabel(QStringLiteral("Command line:")));
    auto* commandLine = new QPlainTextEdit(line.join(QLatin1Char(' ')));
    commandLine->setReadOnly(true);
    commandLine->setFixedHeight(commandLine->fontMetrics().lineSpacing() * 3 + 12);
    layout->addWidget(commandLine);

    layout->addWidget(new QLabel(QStringLiteral("Arguments, one per line:")));
    auto* list = new QPlainTextEdit(arguments.join(QLatin1Char('\n')));
    list->setReadOnly(true);
    layout->addWidget(list, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);

    window.resize(480, 360);
    window.show();
    return app.exec();
}
