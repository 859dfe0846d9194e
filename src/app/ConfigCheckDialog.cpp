#include "ConfigCheckDialog.h"

#include "app/CheckConfigCommand.h"
#include "app/VexaEdit.h"
#include "app/VexaMain.h"
#include "config/ConfigScript.h"
#include "controls/BindingConflicts.h"
#include "controls/SupBind.h"
#include "platform/Guard.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString NoConfigFile =
    QStringLiteral("There is no config file to check: load or save one first.");

QString summaryText(const QString& fileName, Engine engine, const QList<ConfigFinding>& findings) {
    const qsizetype notes = std::count_if(findings.cbegin(), findings.cend(),
                                          [](const ConfigFinding& f) { return f.isNote(); });
    const QString engineName = QString::fromLatin1(engineFacts(engine).displayName);
    if (findings.isEmpty())
        return QStringLiteral("%1\nNothing found for %2.").arg(fileName, engineName);
    return QStringLiteral("%1\n%2 warnings and %3 notes for %4. Double-click a line to edit it.")
        .arg(fileName)
        .arg(findings.size() - notes)
        .arg(notes)
        .arg(engineName);
}

void showConfigCheck(TfrmVexaMain& window) {
    const QString fileName = window.txtConfigFile->text();
    if (fileName.isEmpty()) {
        window.prompts().notice(NoConfigFile);
        return;
    }
    const Engine engine = configuredEngine(window.settings());
    const QList<ConfigFinding> findings = checkConfig(readScriptLines(fileName), engine);
    auto* dialog = new ConfigCheckDialog(&window, fileName, engine, findings);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &ConfigCheckDialog::lineChosen, &window,
                     guarded(window.prompts(),
                             [&window](int line) { window.openConfigEditor()->goToLine(line); }));
    dialog->show();
}

QList<BindingConflicts::KeyBox> messageKeyBoxes(const TfrmVexaMain& window) {
    QList<BindingConflicts::KeyBox> boxes;
    for (int slot = 0; slot < 5; ++slot)
        boxes.append({window.txtMsgKey[slot], QStringLiteral("message%1").arg(slot + 1)});
    return boxes;
}

} // namespace

ConfigCheckDialog::ConfigCheckDialog(QWidget* owner, const QString& fileName, Engine engine,
                                     const QList<ConfigFinding>& findings)
    : QDialog(owner) {
    setObjectName(QStringLiteral("configCheckDialog"));
    setWindowTitle(QStringLiteral("Check Config"));
    lblSummary = new QLabel(summaryText(fileName, engine, findings), this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lvwFindings = new QTreeWidget(this);
    lvwFindings->setObjectName(QStringLiteral("lvwFindings"));
    lvwFindings->setRootIsDecorated(false);
    lvwFindings->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Finding")});
    lvwFindings->setWordWrap(true);
    for (const ConfigFinding& finding : findings) {
        auto* item = new QTreeWidgetItem(
            lvwFindings,
            {QString::number(finding.line),
             (finding.isNote() ? QStringLiteral("note: ") : QString()) + finding.text});
        item->setData(0, Qt::UserRole, finding.line);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignTop);
        item->setToolTip(1, finding.text);
    }
    lvwFindings->resizeColumnToContents(0);
    connect(lvwFindings, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit lineChosen(item->data(0, Qt::UserRole).toInt());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(lvwFindings);
    layout->addWidget(buttons);
    resize(560, 300);
}

void installConfigChecks(TfrmVexaMain& window) {
    auto* check = new QAction(QStringLiteral("Check Config"), window.file1);
    check->setObjectName(QStringLiteral("CheckConfig1"));
    // Beside the other config commands, before the batch file's.
    const QList<QAction*> entries = window.file1->actions();
    const qsizetype after = entries.indexOf(window.SaveConfigAs1);
    window.file1->insertAction(entries.value(after + 1), check);
    QObject::connect(check, &QAction::triggered, &window,
                     guarded(window.prompts(), [&window] { showConfigCheck(window); }));
    new BindingConflicts(&window, window.findChildren<TSupBind*>(), messageKeyBoxes(window));
}
