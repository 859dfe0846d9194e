#include "ConfigCheckDialog.h"

#include "app/CheckConfigCommand.h"
#include "app/EditorWindow.h"
#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"
#include "config/ConfigScript.h"
#include "controls/BindingConflicts.h"
#include "controls/BindingEdit.h"
#include "platform/Guard.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "profiles/ProfileFile.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString NoConfigFile =
    QStringLiteral("There is no config file to check: load or save one first.");

QString counted(qsizetype count, const char* what) {
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(what)).arg(count == 1 ? "" : "s");
}

QString summaryText(const QString& fileName, Engine engine, const QList<ConfigFinding>& findings) {
    const qsizetype notes = std::count_if(findings.cbegin(), findings.cend(),
                                          [](const ConfigFinding& f) { return f.isNote(); });
    const QString engineName = QString::fromLatin1(engineFacts(engine).displayName);
    if (findings.isEmpty())
        return QStringLiteral("%1\nNothing found for %2.").arg(fileName, engineName);
    return QStringLiteral("%1\n%2 and %3 for %4. Double-click a finding to edit its line.")
        .arg(fileName, counted(findings.size() - notes, "warning"), counted(notes, "note"),
             engineName);
}

void showConfigCheck(MainWindow& window) {
    const QString fileName = window.configFileEdit()->text();
    if (fileName.isEmpty()) {
        window.prompts().notice(NoConfigFile);
        return;
    }
    const Engine engine = configuredEngine(window.settings());
    auto* dialog = new ConfigCheckDialog(&window, fileName, engine, [fileName, engine] {
        return checkConfig(readScriptLines(fileName), engine);
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &ConfigCheckDialog::lineChosen, &window,
                     guarded(window.prompts(),
                             [&window](int line) { window.openConfigEditor()->goToLine(line); }));
    dialog->show();
}

QList<BindingConflicts::KeyBox> messageKeyBoxes(const MainWindow& window) {
    QList<BindingConflicts::KeyBox> boxes;
    for (int slot = 0; slot < 5; ++slot)
        boxes.append({window.communicationsPage()->messageKey(slot),
                      QStringLiteral("message%1").arg(slot + 1)});
    return boxes;
}

// The ticked bindings of the global profile and of the chosen game's, which a save writes after
// the window's own lines. What cannot be read (a profile, vexa.ini) binds nothing here: the
// Games page and the start-up say why, and the marks run from the event loop, where no error
// may go.
QList<BindingConflicts::OtherKey> tickedProfileKeys(const MainWindow& window) {
    QList<BindingConflicts::OtherKey> keys;
    try {
        if (!VexaIni::readBool(window.settings(), VexaIni::IncludeAliases, true))
            return keys;
        const QString directory = window.programDirectory();
        const QString game = window.gamesPage()->currentGame()->text();
        QList<std::pair<QString, QString>> profiles{
            {ProfileKeys::GlobalProfileName, ProfileFile::globalProfilePath(directory)}};
        if (!game.isEmpty())
            profiles.append({game, ProfileFile::gameProfilePath(directory, game)});
        for (const auto& [name, path] : profiles) {
            for (const ProfileBinding& binding : ProfileFile::readProfileEntries(path).bindings)
                if (binding.checked)
                    keys.append(
                        {binding.key, binding.command + QStringLiteral(", ticked in ") + name});
        }
    } catch (const std::exception&) {
    }
    return keys;
}

// The marks follow the ticked profile bindings: any change of the binding list or of the game.
void followProfileBindings(MainWindow& window, BindingConflicts& conflicts) {
    conflicts.setOtherKeys([&window] { return tickedProfileKeys(window); });
    const auto changed = [&conflicts] { conflicts.otherKeysChanged(); };
    QAbstractItemModel* list = window.gamesPage()->entryList(EntryKind::Binding)->model();
    QObject::connect(list, &QAbstractItemModel::dataChanged, &conflicts, changed);
    QObject::connect(list, &QAbstractItemModel::rowsInserted, &conflicts, changed);
    QObject::connect(list, &QAbstractItemModel::rowsRemoved, &conflicts, changed);
    QObject::connect(list, &QAbstractItemModel::modelReset, &conflicts, changed);
    QObject::connect(window.gamesPage()->currentGame(), &QLineEdit::textChanged, &conflicts,
                     changed);
}

} // namespace

ConfigCheckDialog::ConfigCheckDialog(QWidget* owner, const QString& fileName, Engine engine,
                                     Check check)
    : QDialog(owner), fileName_(fileName), engine_(engine), check_(std::move(check)) {
    setObjectName(QStringLiteral("configCheckDialog"));
    setWindowTitle(QStringLiteral("Check Config"));
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("lblSummary"));
    summaryLabel_->setWordWrap(true);
    findingsTable_ = new QTableWidget(0, 2, this);
    findingsTable_->setObjectName(QStringLiteral("lvwFindings"));
    findingsTable_->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Finding")});
    findingsTable_->verticalHeader()->hide();
    findingsTable_->horizontalHeader()->setStretchLastSection(true);
    findingsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsTable_->setWordWrap(true);
    // Rows as high as their wrapped text, whenever the width of the text changes.
    connect(findingsTable_->horizontalHeader(), &QHeaderView::sectionResized, findingsTable_,
            &QTableWidget::resizeRowsToContents);
    connect(findingsTable_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        emit lineChosen(findingsTable_->item(row, 0)->data(Qt::UserRole).toInt());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    recheckButton_ = buttons->addButton(QStringLiteral("Re-check"), QDialogButtonBox::ActionRole);
    recheckButton_->setObjectName(QStringLiteral("btnRecheck"));
    connect(recheckButton_, &QPushButton::clicked, this, &ConfigCheckDialog::recheck);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(findingsTable_);
    layout->addWidget(buttons);
    resize(600, 320);
    recheck();
}

// A file that can no longer be read says so in the summary, with no findings under it.
void ConfigCheckDialog::recheck() {
    try {
        showFindings(check_());
    } catch (const std::exception& e) {
        showFindings({});
        summaryLabel_->setText(fileName_ + u'\n' + QString::fromLocal8Bit(e.what()));
    }
}

bool ConfigCheckDialog::event(QEvent* event) {
    // Back from the editor, the file may have changed under the findings.
    if (event->type() == QEvent::WindowActivate && isVisible())
        recheck();
    return QDialog::event(event);
}

void ConfigCheckDialog::showFindings(const QList<ConfigFinding>& findings) {
    summaryLabel_->setText(summaryText(fileName_, engine_, findings));
    findingsTable_->setRowCount(int(findings.size()));
    for (int row = 0; row < findings.size(); ++row) {
        const ConfigFinding& finding = findings[row];
        auto* line = new QTableWidgetItem(QString::number(finding.line));
        line->setData(Qt::UserRole, finding.line);
        line->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        findingsTable_->setItem(row, 0, line);
        findingsTable_->setItem(
            row, 1,
            new QTableWidgetItem((finding.isNote() ? QStringLiteral("note: ") : QString()) +
                                 finding.text));
    }
    findingsTable_->resizeColumnToContents(0);
    findingsTable_->resizeRowsToContents();
}

void installConfigChecks(MainWindow& window) {
    auto* check = new QAction(QStringLiteral("Check Config"), window.fileMenu());
    check->setObjectName(QStringLiteral("CheckConfig1"));
    // Beside the other config commands, before the batch file's.
    const QList<QAction*> entries = window.fileMenu()->actions();
    const qsizetype after = entries.indexOf(window.saveConfigAsAction());
    window.fileMenu()->insertAction(entries.value(after + 1), check);
    QObject::connect(check, &QAction::triggered, &window,
                     guarded(window.prompts(), [&window] { showConfigCheck(window); }));
    auto* conflicts =
        new BindingConflicts(&window, window.findChildren<BindingEdit*>(), messageKeyBoxes(window));
    followProfileBindings(window, *conflicts);
}
