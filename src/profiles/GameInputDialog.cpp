#include "GameInputDialog.h"

#include "ProfileFile.h"
#include "controls/ChoiceBox.h"
#include "controls/ControlParts.h"
#include "platform/DirectorySearch.h"
#include "platform/Prompts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

bool offeredAsGame(const QString& lowerName) {
    static const QStringList notGames = {QStringLiteral("baseq2"), QStringLiteral("docs"),
                                         QStringLiteral("vexa")};
    if (lowerName.startsWith(QLatin1Char('.')) || notGames.contains(lowerName))
        return false;
    // A three-letter extension marks a file; a short name is tested at its first character,
    // which leaves out "..".
    const qsizetype marker = lowerName.size() >= 4 ? lowerName.size() - 4 : 0;
    return !lowerName.isEmpty() && lowerName[marker] != QLatin1Char('.');
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(75);
    return b;
}

QLabel* wrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

QStringList gameCandidates(const QString& quake2Directory) {
    QStringList games;
    const QDir directory(quake2Directory);
    for (const QString& name :
         findFiles(quake2Directory, QStringLiteral("*.*"), EntryFilter::All)) {
        // A game is a folder: the game program and its libraries are no choice. Its name is
        // offered as the folder spells it: the game looks for that folder by its exact name.
        if (offeredAsGame(name.toLower()) && QFileInfo(directory.filePath(name)).isDir())
            games << name;
    }
    return games;
}

std::optional<QString> gameNameProblem(const QString& name) {
    if (name.compare(ProfileKeys::GlobalProfileName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("\"%1\" is the name of the global profile; a game cannot have it.")
            .arg(name);
    const bool plain =
        !name.startsWith(QLatin1Char('.')) && std::none_of(name.begin(), name.end(), [](QChar c) {
            return c == QLatin1Char('/') || c == QLatin1Char('\\') ||
                   c.category() == QChar::Other_Control;
        });
    if (plain)
        return std::nullopt;
    return QStringLiteral(
               "\"%1\" cannot be a game. A game is named after its folder in the Quake 2 "
               "directory: one folder name, without / or \\ or control characters, "
               "not starting with a dot.")
        .arg(name);
}

GameInputDialog::GameInputDialog(QWidget* parent, Prompts& prompts, const QString& quake2Directory)
    : QDialog(parent), prompts_(prompts), quake2Directory_(quake2Directory) {
    setWindowTitle(QStringLiteral("New Game"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    gamesBox_ = new QComboBox(this);
    gamesBox_->setObjectName(QStringLiteral("cboGames"));
    setUpChoiceBox(*gamesBox_);
    okButton_ = button(this, "btnOk", QStringLiteral("Ok"));
    okButton_->setDefault(true);
    cancelButton_ = button(this, "btnCancel", QStringLiteral("Cancel"));
    connect(okButton_, &QPushButton::clicked, this, &GameInputDialog::acceptName);
    connect(cancelButton_, &QPushButton::clicked, this, &GameInputDialog::cancel);

    auto* gameLabel = new QLabel(QStringLiteral("game"));
    gameLabel->setBuddy(gamesBox_);
    auto* game = new QHBoxLayout;
    game->addWidget(gameLabel);
    game->addWidget(gamesBox_, 1);
    auto* note = wrappedLabel(QStringLiteral("Note:  This combo box has been provided to choose "
                                             "from games already installed on your system"));
    QPalette colours = note->palette();
    colours.setColor(QPalette::WindowText, noteColour(colours, QPalette::Window));
    note->setPalette(colours);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(wrappedLabel(
        QStringLiteral("Plese enter the name of the Game that you would like to add settings "
                       "for.  This should be the same as the folder it is in.")));
    layout->addLayout(game);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setFixedWidth(320);

    formActivate();
    gamesBox_->setFocus();
}

void GameInputDialog::formActivate() {
    gamesBox_->setEditText(QString());
    replaceChoiceItems(*gamesBox_, gameCandidates(quake2Directory_));
}

void GameInputDialog::acceptName() {
    const QString text = gamesBox_->currentText();
    if (text.trimmed().isEmpty()) {
        gameName_.clear();
        accept();
        return;
    }
    if (const auto problem = gameNameProblem(text)) {
        prompts_.error(*problem); // the name stays for the user to mend
        return;
    }
    gameName_ = text;
    accept();
}

void GameInputDialog::cancel() {
    gameName_.clear();
    reject();
}
