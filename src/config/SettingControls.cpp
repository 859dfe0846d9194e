#include "SettingControls.h"

#include "CfgNumbers.h"
#include "VexaCommon.h"
#include "controls/SupBind.h"
#include "controls/SupCheckBox.h"
#include "controls/SupSpinEdit.h"

#include <QScopeGuard>
#include <QStackedWidget>

#include <algorithm>

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
    entries_.push_back(ControlEntry{control, 0, {}});
    byCommand_.try_emplace(commandOf(control), entries_.size() - 1);
}

ControlEntry* ControlIndex::find(QStringView command) {
    const auto at = byCommand_.find(command);
    return at == byCommand_.end() ? nullptr : &entries_[at->second];
}

ControlIndex IndexSettingControls(QWidget* root) {
    ControlIndex index;
    forEachSettingControl(root, [&](const SettingControl& control) { index.add(control); });
    return index;
}

TChecked checkBoxValue(QStringView value) {
    // Blanks made "0" can never give "1", so only the value "1" itself is yes.
    return value == u"1" ? TChecked::yes : TChecked::no;
}

void ApplySettingLine(ControlEntry& entry, QStringView value) {
    std::visit(Overloaded{
                   [&](TSupBind*) {
                       if (++entry.BindCount <= 4)
                           entry.Keys[size_t(entry.BindCount - 1)] = trimBlanks(value);
                   },
                   [&](TSupSpinEdit* spin) {
                       spin->setSupValue(parseWholeNumber(trimmedOfBlanks(value)));
                   },
                   [&](TSupCheckBox* box) { box->setSupValue(checkBoxValue(value)); },
               },
               entry.control);
}

void GiveBindingsTheirKeys(ControlIndex& index) {
    for (ControlEntry& entry : index.entries()) {
        if (auto* const* binding = std::get_if<TSupBind*>(&entry.control))
            (*binding)->setKeys(entry.Keys);
        entry.BindCount = 0;
        entry.Keys = {};
    }
}

namespace {

// No letter that lowering would change.
bool isLowerAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x80 && !(c >= u'A' && c <= u'Z'); });
}

// The entry of a set or bind line's command, and the line's value as splitCfgLine gives it; a
// command without quotes inside is looked up without a copy.
void applyCfgLine(ControlIndex& index, QStringView line) {
    const CfgLineParts parts = cfgLineParts(line);
    if (parts.word == CfgLineParts::Other)
        return;
    ControlEntry* entry = indexOfChar(parts.command, u'"') >= 0
                              ? index.find(withoutQuotes(parts.command))
                              : index.find(parts.command);
    if (!entry)
        return;
    // Most values need neither quotes removed nor letters lowered: they are taken as they stand.
    const bool lower = parts.word == CfgLineParts::Set;
    if (indexOfChar(parts.value, u'"') < 0 && (!lower || isLowerAscii(parts.value))) {
        ApplySettingLine(*entry, parts.value);
        return;
    }
    const QString value = withoutQuotes(parts.value);
    ApplySettingLine(*entry, lower ? value.toLower() : value);
}

} // namespace

void ApplySettingLines(ControlIndex& index, const QStringList& cfgLines) {
    const auto giveKeys = qScopeGuard([&] { GiveBindingsTheirKeys(index); });
    for (const QString& line : cfgLines)
        applyCfgLine(index, line);
}

void applyCfgLinesToControls(QWidget* root, const QStringList& cfgLines) {
    ControlIndex index = IndexSettingControls(root);
    ApplySettingLines(index, cfgLines);
}

void appendControlLines(QStringList& lines, const SettingControl& control, bool optimizedSaving) {
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
}

void WriteControlLines(QStringList& lines, const ControlIndex& index, bool optimizedSaving) {
    for (const ControlEntry& entry : index.entries()) {
        if (ownEnabled(*widgetOf(entry.control)))
            appendControlLines(lines, entry.control, optimizedSaving);
    }
}

void resetSettingControls(const ControlIndex& index) {
    for (const ControlEntry& entry : index.entries()) {
        std::visit(Overloaded{
                       [](TSupBind* binding) { binding->setKeys({binding->SupDefault()}); },
                       [](auto* other) { other->setSupValue(other->SupDefault()); },
                   },
                   entry.control);
    }
}
