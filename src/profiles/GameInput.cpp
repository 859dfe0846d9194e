#include "GameInput.h"

#include "controls/ChoiceBox.h"
#include "platform/DirectorySearch.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

bool offeredAsGame(const QString& lowerName) {
    static const QStringList notGames = {QStringLiteral("baseq2"), QStringLiteral("docs"),
                                         QStringLiteral("vexa")};
    if (lowerName == QLatin1String(".") || notGames.contains(lowerName))
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
    for (const QString& name :
         findFiles(quake2Directory, QStringLiteral("*.*"), EntryFilter::All)) {
        const QString lower = name.toLower();
        if (offeredAsGame(lower))
            games << lower;
    }
    return games;
}

TfrmGameInput::TfrmGameInput(QWidget* parent, const QString& quake2Directory)
    : QDialog(parent), quake2Directory_(quake2Directory) {
    setWindowTitle(QStringLiteral("New Game"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    cboGames = new QComboBox(this);
    cboGames->setObjectName(QStringLiteral("cboGames"));
    setUpChoiceBox(*cboGames);
    btnOk = button(this, "btnOk", QStringLiteral("Ok"));
    btnOk->setDefault(true);
    btnCancel = button(this, "btnCancel", QStringLiteral("Cancel"));
    connect(btnOk, &QPushButton::clicked, this, &TfrmGameInput::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmGameInput::btnCancelClick);

    auto* gameLabel = new QLabel(QStringLiteral("game"));
    gameLabel->setBuddy(cboGames);
    auto* game = new QHBoxLayout;
    game->addWidget(gameLabel);
    game->addWidget(cboGames, 1);
    auto* note = wrappedLabel(QStringLiteral("Note:  This combo box has been provided to choose "
                                             "from games already installed on your system"));
    QPalette navy = note->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    note->setPalette(navy);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(wrappedLabel(
        QStringLiteral("Plese enter the name of the Game that you would like to add settings "
                       "for.  This should be the same as the folder it is in.")));
    layout->addLayout(game);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setFixedWidth(320);

    FormActivate();
    cboGames->setFocus();
}

void TfrmGameInput::FormActivate() {
    cboGames->setEditText(QString());
    replaceChoiceItems(*cboGames, gameCandidates(quake2Directory_));
}

void TfrmGameInput::btnOkClick() {
    const QString text = cboGames->currentText();
    GameName = text.trimmed().isEmpty() ? QString() : text;
    accept();
}

void TfrmGameInput::btnCancelClick() {
    GameName.clear();
    reject();
}
