#include "EngineRoles.h"

#include "SettingControls.h"
#include "settings/CvarRanges.h"
#include "settings/EngineSettings.h"

#include <QHash>

namespace {

const char* const WrittenName = "engineCvar";
const char* const RendererMark = "otherRenderer";
const char* const FixedFieldMark = "shownByFixedField";

// Keeps a mirror and its control showing one value; owned by the mirror's widget, so that
// replacing or deleting it ends the connections.
class MirrorLink : public QObject {
public:
    // Found by this name: the class has no meta-object of its own for findChild to tell it by.
    static constexpr QLatin1String Name{"engineMirrorLink"};

    MirrorLink(SettingControl& mirror, SettingControl& primary, bool inverted)
        : QObject(&mirror.widget()), mirror_(mirror), primary_(primary), inverted_(inverted) {
        setObjectName(Name);
        mirror.connectChange(this,
                             [this] { follow(primary_, toPrimary(mirror_.shownValueText())); });
        primary.connectChange(this, [this] { showPrimary(); });
    }

    QString toPrimary(const QString& value) const { return inverted_ ? flipped(value) : value; }
    void showPrimary() { follow(mirror_, toMirror(primary_.shownValueText())); }

private:
    // As the game reads a number: "0.00" and words are 0.
    static QString flipped(const QString& value) {
        return cvarNumber(value) == 0 ? QStringLiteral("1") : QStringLiteral("0");
    }
    // A check box shows any value but 0 as ticked (a borderless fullscreen window is fullscreen).
    QString toMirror(const QString& value) const {
        if (inverted_)
            return flipped(value);
        if (mirror_.kind() == SettingKind::CheckBox)
            return flipped(value) == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
        return value;
    }
    void follow(SettingControl& control, const QString& value) {
        if (following_ || control.shownValueText() == value)
            return;
        following_ = true;
        control.setValues({value});
        following_ = false;
    }

    SettingControl& mirror_;
    SettingControl& primary_;
    const bool inverted_;
    bool following_ = false;
};

MirrorLink* linkOf(const SettingControl& control) {
    return static_cast<MirrorLink*>(
        control.widget().findChild<QObject*>(MirrorLink::Name, Qt::FindDirectChildrenOnly));
}

QString engineTitle(Engine engine) {
    return QLatin1String(engineFacts(engine).displayName);
}

void setEngineTip(QWidget& widget, const QString& note) {
    // The status tip keeps the hint the widget was made with.
    widget.setToolTip(note.isEmpty() ? widget.statusTip() : widget.statusTip() + u'\n' + note);
}

QString roleNote(const EngineRole& role, const SettingControl& control, const ControlIndex& index,
                 Engine engine) {
    if (role.kind == EngineRole::Mirror) {
        const SettingControl& primary = *index.entries()[role.primary].control;
        return engineTitle(engine) +
               QStringLiteral(": sets %1%2, as on the %3 page")
                   .arg(primary.supCommand(),
                        role.inverted ? QStringLiteral(" (inverted)") : QString(),
                        engineTitle(engine));
    }
    if (role.kind == EngineRole::Own && role.cvar != control.supCommand())
        return engineTitle(engine) + QStringLiteral(": written as %1").arg(role.cvar);
    return {};
}

} // namespace

std::vector<EngineRole> engineRoles(const ControlIndex& index, Engine engine) {
    const auto& entries = index.entries();
    QHash<QString, size_t> ownPage;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].control->ownEngine() == engine)
            ownPage.insert(entries[i].control->supCommand(), i);
    }
    std::vector<EngineRole> roles(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const SettingControl& control = *entries[i].control;
        EngineRole& role = roles[i];
        role.cvar = control.supCommand();
        if (control.ownEngine()) {
            if (*control.ownEngine() != engine)
                role.kind = EngineRole::OtherEngine;
            else if (control.widget().property(FixedFieldMark).toBool())
                role.kind = EngineRole::FixedField;
            continue;
        }
        if (control.kind() == SettingKind::Binding)
            continue;
        const std::optional<CvarEquivalent> equivalent = cvarEquivalent(engine, role.cvar);
        if (const auto same = ownPage.constFind(role.cvar); same != ownPage.constEnd()) {
            role.kind = EngineRole::Mirror;
            role.primary = *same;
        } else if (!equivalent) {
            continue;
        } else if (const auto mapped = ownPage.constFind(equivalent->engineCvar);
                   mapped != ownPage.constEnd()) {
            role = {EngineRole::Mirror, role.cvar, *mapped, equivalent->inverted};
        } else if (!equivalent->inverted && !engineKnowsCvar(engine, role.cvar)) {
            role.cvar = equivalent->engineCvar;
        }
    }
    return roles;
}

void setShownByFixedField(SettingControl& control) {
    control.widget().setProperty(FixedFieldMark, true);
}

QString writtenCvar(const SettingControl& control) {
    const QVariant name = control.widget().property(WrittenName);
    return name.isValid() ? name.toString() : control.supCommand();
}

bool isMirror(const SettingControl& control) {
    return linkOf(control) != nullptr || control.widget().property(FixedFieldMark).toBool();
}

void linkEngineSettings(const ControlIndex& index, Engine engine) {
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        SettingControl& control = *entries[i].control;
        if (control.ownEngine() || control.kind() == SettingKind::Binding)
            continue;
        delete linkOf(control);
        const EngineRole& role = roles[i];
        control.widget().setProperty(
            WrittenName, role.cvar == control.supCommand() ? QVariant() : QVariant(role.cvar));
        if (role.kind == EngineRole::Mirror)
            new MirrorLink(control, *entries[role.primary].control, role.inverted);
        if (!lackedByEngine(control.widget()))
            setEngineTip(control.widget(), roleNote(role, control, index, engine));
    }
}

namespace {

// The value a control shows for a text the file gave (a check box: ticked for any number but 0).
QString shownFor(const SettingControl& control, const QString& text) {
    if (control.kind() != SettingKind::CheckBox)
        return text;
    return cvarNumber(text) == 0 ? QStringLiteral("0") : QStringLiteral("1");
}

void takeOver(SettingControl& writer, CfgOrigin& origin, const QString& text, bool fileRead) {
    writer.setValues({shownFor(writer, text)});
    origin.read = text;
    origin.loaded = controlValueText(writer);
    origin.fileRead = fileRead;
}

void handOverReadValues(const ControlIndex& index, std::vector<CfgOrigin>& origins, Engine engine) {
    const auto& entries = index.entries();
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    QHash<QString, size_t> writers;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (roles[i].kind == EngineRole::Own && entries[i].control->kind() != SettingKind::Binding)
            writers.insert(roles[i].cvar, i);
    }
    // The engine's own name first: what an other engine's control of that name read beats what
    // a mirror read under id's name.
    for (const EngineRole::Kind kind : {EngineRole::OtherEngine, EngineRole::Mirror}) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (roles[i].kind != kind)
                continue;
            const size_t writer =
                kind == EngineRole::Mirror ? roles[i].primary : writers.value(roles[i].cvar, i);
            QString text = origins[i].read.value_or(QString());
            if (const MirrorLink* link = linkOf(*entries[i].control))
                text = link->toPrimary(text);
            if (writer == i)
                continue; // no control of the chosen engine has it: its own read stays
            if (origins[i].read && !origins[writer].read)
                takeOver(*entries[writer].control, origins[writer], text, origins[i].fileRead);
            // The writer now holds the value, or one it read itself.
            origins[i].read.reset();
            origins[i].loaded = controlValueText(*entries[i].control);
        }
    }
}

} // namespace

void settleSharedSettings(const ControlIndex& index, std::vector<CfgOrigin>& origins,
                          Engine engine) {
    const auto& entries = index.entries();
    if (origins.size() == entries.size())
        handOverReadValues(index, origins, engine);
    // Each mirror shows its control's value, and stands for it from now on.
    for (size_t i = 0; i < entries.size(); ++i) {
        if (MirrorLink* link = linkOf(*entries[i].control)) {
            link->showPrimary();
            if (i < origins.size())
                origins[i].loaded = controlValueText(*entries[i].control);
        }
    }
}

void markRendererSettings(const ControlIndex& index, Engine engine, const QString& renderer) {
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const SettingControl& control = *entries[i].control;
        QWidget& widget = entries[i].control->widget();
        QString cvar = roles[i].kind == EngineRole::Mirror
                           ? entries[roles[i].primary].control->supCommand()
                           : roles[i].cvar;
        if (const QString renamed = engineCvarRename(engine, cvar); !renamed.isEmpty())
            cvar = renamed;
        const QString only = cvarRenderer(engine, cvar);
        // Other controls keep whatever their own rules say (Mouse Look, the downloads).
        if (only.isEmpty() && !greyedForRenderer(widget))
            continue;
        const bool ignored = lackedByEngine(widget) || roles[i].kind == EngineRole::OtherEngine;
        const bool other = !ignored && !renderer.isEmpty() && !rendererReads(renderer, only);
        widget.setProperty(RendererMark, other);
        if (ignored)
            continue; // the engine's own mark decides
        widget.setEnabled(!other);
        setEngineTip(widget,
                     other ? QStringLiteral("Only the %1 renderer reads it (vid_renderer is %2)")
                                 .arg(only, renderer)
                           : roleNote(roles[i], control, index, engine));
    }
}

bool greyedForRenderer(const QWidget& widget) {
    return widget.property(RendererMark).toBool();
}
