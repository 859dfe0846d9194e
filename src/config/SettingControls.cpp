#include "SettingControls.h"

#include "CfgNumbers.h"
#include "VexaCommon.h"
#include "controls/SupBind.h"
#include "controls/SupCheckBox.h"
#include "controls/SupSpinEdit.h"

#include <QStackedWidget>

namespace {

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// The widgets to walk below `parent`, in walking order.
QList<QWidget*> childWidgets(QWidget* parent) {
    QList<QWidget*> children;
    const auto* stack = qobject_cast<QStackedWidget*>(parent);
    if (stack) {
        for (int i = 0; i < stack->count(); ++i)
            children << stack->widget(i);
    }
    for (QObject* object : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->isWindow() || (stack && stack->indexOf(widget) >= 0))
            continue;
        children << widget;
    }
    return children;
}

void emptyKeySlots(TSupBind& binding) {
    for (int slot = 4; slot >= 1; --slot)
        setKeySlot(binding, slot, QString());
}

} // namespace

std::optional<SettingControl> asSettingControl(QObject* object) {
    if (auto* box = qobject_cast<TSupCheckBox*>(object))
        return box;
    if (auto* spin = qobject_cast<TSupSpinEdit*>(object))
        return spin;
    if (auto* binding = qobject_cast<TSupBind*>(object))
        return binding;
    return std::nullopt;
}

const QString& commandOf(const SettingControl& control) {
    return std::visit([](auto* c) -> const QString& { return c->SupCommand(); }, control);
}

QWidget* widgetOf(const SettingControl& control) {
    return std::visit([](auto* c) -> QWidget* { return c; }, control);
}

void forEachSettingControl(QWidget* root, const std::function<void(const SettingControl&)>& visit) {
    if (const auto control = asSettingControl(root))
        visit(*control);
    for (QWidget* child : childWidgets(root))
        forEachSettingControl(child, visit);
}

bool ownEnabled(const QWidget& widget) {
    // Qt marks every widget below a disabled one disabled too; only this flag is its own.
    return !widget.testAttribute(Qt::WA_ForceDisabled);
}

QString keySlot(const TSupBind& binding, int slot) {
    switch (slot) {
    case 1:
        return binding.SupValue();
    case 2:
        return binding.SupValue2();
    case 3:
        return binding.SupValue3();
    case 4:
        return binding.SupValue4();
    }
    return {};
}

void setKeySlot(TSupBind& binding, int slot, const QString& key) {
    switch (slot) {
    case 1:
        binding.setSupValue(key);
        break;
    case 2:
        binding.setSupValue2(key);
        break;
    case 3:
        binding.setSupValue3(key);
        break;
    case 4:
        binding.setSupValue4(key);
        break;
    }
}

void ControlIndex::add(const SettingControl& control) {
    entries_.push_back({control});
    const QString key = commandOf(control).toCaseFolded();
    if (!byCommand_.contains(key))
        byCommand_.insert(key, qsizetype(entries_.size()) - 1);
}

ControlEntry* ControlIndex::find(const QString& command) {
    const auto at = byCommand_.constFind(command.toCaseFolded());
    return at == byCommand_.cend() ? nullptr : &entries_[size_t(*at)];
}

ControlIndex IndexSettingControls(QWidget* root) {
    ControlIndex index;
    forEachSettingControl(root, [&](const SettingControl& control) {
        if (auto* const* binding = std::get_if<TSupBind*>(&control))
            emptyKeySlots(**binding);
        index.add(control);
    });
    return index;
}

TChecked checkBoxValue(const QString& value) {
    return ReplaceChar(value, u' ', QStringLiteral("0")) == QLatin1String("1") ? TChecked::yes
                                                                               : TChecked::no;
}

void ApplySettingLine(ControlEntry& entry, const QString& value) {
    std::visit(
        Overloaded{
            [&](TSupBind* binding) {
                if (++entry.BindCount <= 4)
                    setKeySlot(*binding, entry.BindCount, trimBlanks(value));
            },
            [&](TSupSpinEdit* spin) { spin->setSupValue(parseWholeNumber(trimBlanks(value))); },
            [&](TSupCheckBox* box) { box->setSupValue(checkBoxValue(value)); },
        },
        entry.control);
}

void ApplySettingLines(ControlIndex& index, const QVector<SettingLine>& lines) {
    for (const SettingLine& line : lines) {
        if (ControlEntry* entry = index.find(line.command))
            ApplySettingLine(*entry, line.value);
    }
}

void applyCfgLinesToControls(QWidget* root, const QStringList& cfgLines) {
    ControlIndex index = IndexSettingControls(root);
    ApplySettingLines(index, SplitCfgLines(cfgLines));
}

QStringList controlLines(const SettingControl& control, bool optimizedSaving) {
    QStringList lines;
    std::visit(Overloaded{
                   [&](TSupCheckBox* box) {
                       if (optimizedSaving && box->SupValue() == box->SupDefault())
                           return;
                       const bool yes = box->SupValue() == TChecked::yes;
                       appendCfgLine(lines, CfgWord::Set, box->SupCommand(),
                                     yes ? QStringLiteral("1") : QStringLiteral("0"));
                   },
                   [&](TSupSpinEdit* spin) {
                       if (optimizedSaving && spin->SupValue() == spin->SupDefault())
                           return;
                       appendCfgLine(lines, CfgWord::Set, spin->SupCommand(),
                                     QString::number(spin->SupValue()));
                   },
                   [&](TSupBind* binding) {
                       if (optimizedSaving && binding->SupValue() == binding->SupDefault())
                           return;
                       for (int slot = 1; slot <= 4; ++slot) {
                           const QString key = keySlot(*binding, slot);
                           if (!trimBlanks(key).isEmpty())
                               appendCfgLine(lines, CfgWord::Bind, key, binding->SupCommand());
                       }
                   },
               },
               control);
    return lines;
}

void WriteControlLines(QStringList& lines, QWidget* root, bool optimizedSaving) {
    forEachSettingControl(root, [&](const SettingControl& control) {
        if (ownEnabled(*widgetOf(control)))
            lines += controlLines(control, optimizedSaving);
    });
}

void resetSettingControls(QWidget* root) {
    forEachSettingControl(root, [](const SettingControl& control) {
        std::visit(Overloaded{
                       [](TSupBind* binding) {
                           emptyKeySlots(*binding);
                           binding->setSupValue(binding->SupDefault());
                       },
                       [](auto* other) { other->setSupValue(other->SupDefault()); },
                   },
                   control);
    });
}
