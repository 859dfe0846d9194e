#include "CommunicationsPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/WidgetHelpers.h"
#include "config/CfgFile.h"
#include "config/CfgScript.h"
#include "controls/KeyNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace PageLayout;

CommunicationsPage::CommunicationsPage(CatalogueLayout& settings, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tabCommunications"));
    settings.createControls("tabCommunications", this);

    auto* keys = newGrid();
    const int gap = settings.fillBlock(keys, "tabCommunications", "Keys");
    keys->setRowMinimumHeight(gap, blockSpacing());
    const int end = settings.fillBlock(keys, "tabCommunications", "Console", {.row = gap + 1});
    keys->setRowStretch(end, 1);

    auto* messages = newPlainGroup(this, "gbxMessages", QStringLiteral("Messages"));
    QGridLayout* grid = newGroupGrid(messages);
    grid->addWidget(newLabel(messages, QStringLiteral("Key")), 0, 1);
    grid->addWidget(newLabel(messages, QStringLiteral("Message said")), 0, 2);
    for (size_t slot = 0; slot < keys_.size(); ++slot) {
        const int line = static_cast<int>(slot) + 1;
        const QByteArray n = QByteArray::number(line);
        auto* label = newLabel(messages, QStringLiteral("Message %1").arg(line));
        keys_[slot] = named<QLineEdit>(messages, "txtMsg" + n + "Key");
        keys_[slot]->setFixedWidth(settings.keyBoxWidth());
        setHintText(keys_[slot], QStringLiteral("Press the key that says this message"));
        KeyCaptureFilter::install(*keys_[slot]);
        texts_[slot] = named<QLineEdit>(messages, "txtMsg" + n + "Msg");
        grid->addWidget(label, line, 0);
        grid->addWidget(keys_[slot], line, 1);
        grid->addWidget(texts_[slot], line, 2);
    }
    grid->setColumnStretch(2, 1);

    auto* right = newColumn();
    right->addWidget(messages);
    right->addStretch();
    auto* layout = pageColumns(this);
    layout->setSpacing(blockSpacing() * 2);
    layout->addLayout(keys);
    layout->addLayout(right, 1);
    compactRows(this);
}

QStringList CommunicationsPage::readMessages(CfgScript& script) {
    const std::vector<CfgScript::Binding> bindings = script.bindings();
    const QString say = QStringLiteral("say ");
    QStringList keys;
    for (size_t slot = 0; slot < keys_.size(); ++slot) {
        const QString alias = QStringLiteral("message%1").arg(slot + 1);
        const std::optional<QString> body = script.aliasBody(alias);
        const auto bound = std::find_if(bindings.rbegin(), bindings.rend(), [&](const auto& b) {
            return b.command.compare(alias, Qt::CaseInsensitive) == 0;
        });
        const bool ours = body && body->startsWith(say) && !body->contains(u'"') &&
                          bound != bindings.rend() && isWritableKey(bound->key);
        keys_[slot]->setText(ours ? bound->key.toString() : QString());
        texts_[slot]->setText(ours ? body->mid(say.size()) : QString());
        if (!ours)
            continue;
        script.takeAlias(alias);
        script.take(*bound);
        keys << bound->key.toString();
    }
    return keys;
}

void CommunicationsPage::writeMessages(QStringList& lines) const {
    for (size_t slot = 0; slot < keys_.size(); ++slot) {
        const QString key = keys_[slot]->text();
        if (key.isEmpty())
            continue;
        const QString alias = QStringLiteral("message%1").arg(slot + 1);
        appendCfgLine(lines, CfgWord::alias, alias, QStringLiteral("say ") + texts_[slot]->text());
        appendCfgLine(lines, CfgWord::bind, key, alias);
    }
}
