#include "ConfigCheckDialog.h"

#include "app/CheckConfigCommand.h"
#include "app/EditorWindow.h"
#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "config/ConfigScript.h"
#include "controls/BindingConflicts.h"
#include "controls/BindingEdit.h"
#include "platform/Guard.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
    const QList<ConfigFinding> findings = checkConfig(readScriptLines(fileName), engine);
    auto* dialog = new ConfigCheckDialog(&window, fileName, engine, findings);
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

} // namespace

ConfigCheckDialog::ConfigCheckDialog(QWidget* owner, const QString& fileName, Engine engine,
                                     const QList<ConfigFinding>& findings)
    : QDialog(owner) {
    setObjectName(QStringLiteral("configCheckDialog"));
    setWindowTitle(QStringLiteral("Check Config"));
    summaryLabel_ = new QLabel(summaryText(fileName, engine, findings), this);
    summaryLabel_->setObjectName(QStringLiteral("lblSummary"));
    summaryLabel_->setWordWrap(true);
    findingsTable_ = new QTableWidget(int(findings.size()), 2, this);
    findingsTable_->setObjectName(QStringLiteral("lvwFindings"));
    findingsTable_->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Finding")});
    findingsTable_->verticalHeader()->hide();
    findingsTable_->horizontalHeader()->setStretchLastSection(true);
    findingsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsTable_->setWordWrap(true);
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
    // Rows as high as their wrapped text, whenever the width of the text changes.
    connect(findingsTable_->horizontalHeader(), &QHeaderView::sectionResized, findingsTable_,
            &QTableWidget::resizeRowsToContents);
    connect(findingsTable_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        emit lineChosen(findingsTable_->item(row, 0)->data(Qt::UserRole).toInt());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(findingsTable_);
    layout->addWidget(buttons);
    resize(600, 320);
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
    new BindingConflicts(&window, window.findChildren<BindingEdit*>(), messageKeyBoxes(window));
}
