#include "CfgWindowRows.h"

#include "app/CfgWindowFields.h"
#include "app/MainWindow.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/MovementPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/SettingControls.h"
#include "config/VexaCommon.h"
#include "settings/EngineWords.h"
#include "settings/FixedFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <vector>

namespace CfgWindowRows {

namespace {

using namespace CfgWindowFields;
using Value = std::optional<QString>;

// Setting a line edit's text lays it out again even when the text stays the same, and a load
// sets some thirty fields.
void showText(QLineEdit& edit, const QString& text) {
    if (edit.text() != text)
        edit.setText(text);
}

// The box shows the text with no item selected, whatever its items are.
void showUnselectedText(QComboBox& box, const QString& text) {
    if (box.currentIndex() == -1 && box.currentText() == text)
        return; // as it is: setting the text again would lay the box out again
    box.setCurrentIndex(-1);
    box.setEditText(text);
}

// Selects the item equal to `text`, letter case ignored; otherwise no item is selected and the
// box shows the text.
void showComboText(QComboBox& box, const QString& text) {
    const int index = box.findText(text, Qt::MatchFixedString);
    if (index >= 0) {
        box.setCurrentIndex(index);
        return;
    }
    showUnselectedText(box, text);
}

// "0" checks the first button, "1" the second and so on; any other first character changes
// nothing.
void checkByDigit(const MainWindow& window, std::span<const char* const> buttons,
                  const QString& value) {
    const char16_t first = value.isEmpty() ? u' ' : value.front().unicode();
    const int digit = first >= u'0' && first <= u'9' ? first - u'0' : -1;
    if (digit >= 0 && digit < int(buttons.size()))
        radio(window, buttons[size_t(digit)])->setChecked(true);
}

// "0" when the first button is checked, "1" for the second and so on; the last button's digit
// when none of the others is checked.
QString digitOfChecked(const MainWindow& window, std::span<const char* const> buttons) {
    for (size_t i = 0; i + 1 < buttons.size(); ++i) {
        if (radio(window, buttons[i])->isChecked())
            return QString::number(i);
    }
    return QString::number(buttons.size() - 1);
}

QString maskedNumber(const QLineEdit& edit) {
    return maskedNumberText(edit.displayText());
}

bool hasDigit(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// A value the field can show exactly goes in as it is; any other leaves the field blank, and
// the value itself is written back while the field stays so.
void showMaskedValue(QLineEdit& edit, const QString& value) {
    const int decimals = int(edit.maxLength()) - 2;
    showText(edit, maskedFieldText(value, decimals).value_or(QString()));
}

// An engine without vid_ref picks its renderer otherwise: the GL page's fields are its own.
bool isSoftware(const MainWindow& w) {
    return engineKnowsCvar(currentEngine(), QStringLiteral("vid_ref")) &&
           w.videoPage()->renderers()->checkedId() == SoftwareRenderer;
}

// The engine's own value of a variable the file did not give, or nothing where Vexa keeps its own.
Value engineValue(const char* name) {
    const QString value = engineDefault(currentEngine(), QString::fromLatin1(name));
    return value.isEmpty() ? Value() : Value(value);
}

bool always(const MainWindow&, const QString&) {
    return true;
}

bool notEmpty(const MainWindow&, const QString& value) {
    return !value.isEmpty();
}

bool glAndNotEmpty(const MainWindow& w, const QString& value) {
    return !isSoftware(w) && !value.isEmpty();
}

Row textRow(const char* word, const char* name, QLineEdit* (*field)(const MainWindow&),
            const char* missing) {
    return {word, name, [field](const MainWindow& w) { return field(w)->text(); },
            [field, missing](MainWindow& w, const Value& value) {
                showText(*field(w), value.value_or(QLatin1String(missing)));
            },
            always};
}

Row digitRow(const char* name, std::span<const char* const> buttons, const char* missing) {
    return {CfgWord::set, name,
            [buttons](const MainWindow& w) { return digitOfChecked(w, buttons); },
            [buttons, missing](MainWindow& w, const Value& value) {
                if (value)
                    checkByDigit(w, buttons, *value);
                else
                    radio(w, missing)->setChecked(true);
            },
            always};
}

// A box that lists `preferred` shows it, one that lists others shows the first, and an empty one
// shows `preferred`.
void showListedOr(QComboBox& box, const QString& preferred) {
    showComboText(box,
                  box.count() == 0 || box.findText(preferred) >= 0 ? preferred : box.itemText(0));
}

} // namespace

void showInstalledPlayer(MainWindow& w) {
    showListedOr(*w.generalPage()->model(), QStringLiteral("male"));
    w.fillSkinList(w.generalPage()->model()->currentText());
    showListedOr(*w.generalPage()->skin(), QStringLiteral("grunt"));
}

namespace {

Row skinRow() {
    return {CfgWord::set, "skin",
            [](const MainWindow& w) {
                return w.generalPage()->model()->currentText() + u'/' +
                       w.generalPage()->skin()->currentText();
            },
            [](MainWindow& w, const Value& value) {
                if (!value) {
                    showInstalledPlayer(w);
                    return;
                }
                const QStringList parts = splitAtSeparator(*value, u'/');
                showComboText(*w.generalPage()->model(), parts.value(0));
                showComboText(*w.generalPage()->skin(), parts.value(1));
            },
            always};
}

// Bobbing fields: a value equal to the skip text is left out; a file without the variable
// fills the reader's default.
Row bobbingRow(const MaskedField& field) {
    return {CfgWord::set, field.variable,
            [field](const MainWindow& w) { return maskedNumber(*edit(w, field.edit)); },
            [field](MainWindow& w, const Value& value) {
                showMaskedValue(*edit(w, field.edit),
                                value.value_or(QLatin1String(field.readerDefault)));
            },
            [field](const MainWindow&, const QString& value) {
                return value != QLatin1String(field.skipWhen);
            }};
}

// A track bar: the position times its step; a file without the variable puts the bar at the
// engine's own value, else at `missing`, or leaves it when there is none.
Row trackBarRow(const char* name, QSlider* (*bar)(const MainWindow&), double step,
                std::optional<int> missing,
                std::function<bool(const MainWindow&, const QString&)> wanted = always) {
    return {CfgWord::set, name,
            [bar, step](const MainWindow& w) { return trackBarValueText(bar(w)->value(), step); },
            [name, bar, step, missing](MainWindow& w, const Value& value) {
                if (const Value shown = value ? value : engineValue(name))
                    bar(w)->setValue(trackBarPosition(gameNumber(*shown), step));
                else if (missing)
                    bar(w)->setValue(*missing);
            },
            std::move(wanted)};
}

Row rendererRow() {
    return {CfgWord::set,
            "vid_ref",
            [](const MainWindow& w) {
                return QString::fromLatin1(isSoftware(w) ? SoftwareRef : GlRef);
            },
            [](MainWindow& w, const Value& value) {
                const int id = !value                                 ? -1
                               : *value == QLatin1String(SoftwareRef) ? SoftwareRenderer
                               : *value == QLatin1String(GlRef)       ? GlRenderer
                                                                      : -1;
                if (id >= 0) // the click also shows the renderer's page
                    w.videoPage()->renderers()->button(id)->click();
            },
            always,
            false,
            false,
            [](const MainWindow& w) -> QWidget* { return w.videoPage()->rendererBox(); }};
}

// The selected mode as the engine reads it: its number ("3" of "3 - 640 x 480"), or Q2PRO's size.
QString chosenMode(const QComboBox& modes) {
    return modes.currentIndex() < 0 ? QString() : modes.currentData().toString();
}

// The mode of that number; a number the list lacks leaves it without selection, a variable the
// engine lacks leaves the box as it is.
Row modeRow(const char* name, QComboBox* (*box)(const MainWindow&), bool software) {
    Row row{CfgWord::set, name, [box](const MainWindow& w) { return chosenMode(*box(w)); },
            [name, box](MainWindow& w, const Value& value) {
                // Q2PRO's sizes share the GL box: a mode number it ignores leaves them be.
                if (value && engineKnowsCvar(currentEngine(), QLatin1String(name)))
                    box(w)->setCurrentIndex(
                        box(w)->findData(QString::number(truncatedGameNumber(*value))));
            },
            [software](const MainWindow& w, const QString& value) {
                return isSoftware(w) == software && !value.isEmpty();
            }};
    row.onlyWhenChanged = true;
    row.widget = [box](const MainWindow& w) { return box(w); };
    return row;
}

QComboBox* glModeBox(const MainWindow& w) {
    return w.videoPage()->glMode();
}

bool customModeChosen(const MainWindow& w) {
    return chosenMode(*glModeBox(w)) == QString::number(CustomMode);
}

// Yamagi's custom size, written while its custom mode is chosen.
Row customSizeRow(const char* name, QLineEdit* (*field)(const MainWindow&), const char* missing) {
    Row row = textRow(CfgWord::set, name, field, missing);
    row.wanted = [](const MainWindow& w, const QString& value) {
        return customModeChosen(w) && !value.isEmpty();
    };
    row.widget = [field](const MainWindow& w) { return field(w); };
    return row;
}

// Q2PRO's window size: the chosen size ("1024x768"); a file's geometry selects its size.
Row geometryRow() {
    Row row{CfgWord::set, "vid_geometry",
            [](const MainWindow& w) {
                const QString mode = chosenMode(*glModeBox(w));
                return mode.contains(u'x') ? mode : QString();
            },
            [](MainWindow& w, const Value& value) {
                if (!value)
                    return;
                const QStringList size = value->section(u'+', 0, 0).section(u'-', 0, 0).split(u'x');
                if (const VideoMode* mode = engineModeOfSize(Engine::q2pro, size.value(0).toInt(),
                                                             size.value(1).toInt()))
                    glModeBox(w)->setCurrentIndex(glModeBox(w)->findData(mode->value));
            },
            notEmpty};
    row.onlyWhenChanged = true;
    row.widget = [](const MainWindow& w) { return glModeBox(w); };
    return row;
}

// Q2PRO's full screen takes the vid_fullscreen-th entry of its mode list: the chosen size comes
// first, the desktop's after it for the game's own menu.
Row modeListRow() {
    Row row{CfgWord::set, "vid_modelist",
            [](const MainWindow& w) {
                const QString mode = chosenMode(*glModeBox(w));
                return !mode.contains(u'x') ? mode : mode + QStringLiteral(" desktop");
            },
            [](MainWindow&, const Value&) {}, notEmpty};
    row.onlyWhenChanged = true;
    row.widget = [](const MainWindow& w) { return glModeBox(w); };
    return row;
}

Row glComboRow(const char* name, QComboBox* (*box)(const MainWindow&)) {
    return {CfgWord::set,
            name,
            [box](const MainWindow& w) { return box(w)->currentText(); },
            [name, box](MainWindow& w, const Value& value) {
                if (const Value shown = value ? value : engineValue(name))
                    showComboText(*box(w), *shown);
            },
            glAndNotEmpty,
            false,
            false,
            [box](const MainWindow& w) { return box(w); }};
}

// A renderer's number: written in GL mode when the field holds a digit.
Row glNumberRow(const MaskedField& field) {
    return {CfgWord::set,
            field.variable,
            [field](const MainWindow& w) {
                const QString shown = edit(w, field.edit)->displayText();
                return hasDigit(shown) ? maskedNumberText(shown) : QString();
            },
            [field](MainWindow& w, const Value& value) {
                if (value)
                    showMaskedValue(*edit(w, field.edit), *value);
            },
            glAndNotEmpty,
            false,
            false,
            [field](const MainWindow& w) { return edit(w, field.edit); }};
}

Row mixAheadRow() {
    return {CfgWord::set, "s_mixahead",
            [](const MainWindow& w) { return maskedNumber(*w.soundPage()->mixAhead()); },
            [](MainWindow& w, const Value& read) {
                const Value value = read ? read : engineValue("s_mixahead");
                const QString text = !value                         ? QStringLiteral("0.2")
                                     : *value == QLatin1String("0") ? QStringLiteral("0.0")
                                                                    : *value;
                showMaskedValue(*w.soundPage()->mixAhead(), text);
            },
            always};
}

// Sound quality: the rate of the chosen item. id's two items read any rate of 22 or more as
// "High", any other as "Low"; the other engines' items select the rate itself. A file without
// a rate shows the engine's own.
Row soundRateRow() {
    return {CfgWord::set, "s_khz",
            [](const MainWindow& w) {
                const QComboBox& quality = *w.soundPage()->quality();
                return quality.currentIndex() < 0 ? QString()
                                                  : QString::number(quality.currentData().toInt());
            },
            [](MainWindow& w, const Value& read) {
                QComboBox& quality = *w.soundPage()->quality();
                const Value value = read ? read : engineValue("s_khz");
                const int rate = value ? truncatedGameNumber(*value) : LowRate;
                if (currentEngine() == Engine::id)
                    quality.setCurrentIndex(
                        quality.findData(rate >= HighRate ? HighRate : LowRate));
                else
                    quality.setCurrentIndex(quality.findData(rate));
            },
            notEmpty};
}

// The server's name and password go into the config only for a server.
Row serverRow(const char* name, QLineEdit* (*field)(const MainWindow&)) {
    Row row = textRow(CfgWord::Set, name, field, "");
    row.wanted = [](const MainWindow& w, const QString& value) {
        return w.startServerBox()->isChecked() && !value.isEmpty();
    };
    return row;
}

Row deathmatchRow() {
    return {
        CfgWord::Set, "dmflags",
        [](const MainWindow& w) { return QString::number(w.serverPage()->deathmatchFlagNumber()); },
        [](MainWindow& w, const Value& value) {
            if (value)
                w.serverPage()->applyDeathmatchFlags(truncatedGameNumber(*value));
        },
        [](const MainWindow& w, const QString&) {
            return w.serverPage()->deathMatch()->isChecked();
        }};
}

struct Table {
    std::vector<Row> rows;
    size_t partStart[5] = {};
};

Table makeTable() {
    Table t;
    auto& r = t.rows;
    r.push_back(textRow(
        CfgWord::set, "name", [](const MainWindow& w) { return w.generalPage()->playerName(); },
        "noname"));
    r.push_back(skinRow());
    r.push_back(digitRow("hand", HandButtons, "rbRight"));
    r.push_back(digitRow("crosshair", CrosshairButtons, "rbCrossX"));
    for (const MaskedField& field : BobbingFields)
        r.push_back(bobbingRow(field));
    for (Row& row : r)
        row.keptByEmptyFile = true;
    r.push_back(trackBarRow(
        "sensitivity", [](const MainWindow& w) { return w.movementPage()->sensitivity(); },
        TrackBarStep::Sensitivity, 5,
        [](const MainWindow& w, const QString&) {
            return ownEnabled(*w.movementPage()->sensitivity());
        }));
    t.partStart[1] = r.size();
    // The game's own default gamma is 1 (position 4); a brighter guess makes the software
    // renderer nearly black.
    r.push_back(trackBarRow(
        "vid_gamma", [](const MainWindow& w) { return w.videoPage()->gamma(); },
        TrackBarStep::Gamma, 4));
    r.push_back(rendererRow());
    r.push_back(modeRow(
        "sw_mode", [](const MainWindow& w) { return w.videoPage()->softwareMode(); }, true));
    r.push_back(modeRow("gl_mode", glModeBox, false));
    r.push_back(customSizeRow(
        "r_customwidth", [](const MainWindow& w) { return w.videoPage()->customWidth(); }, "1024"));
    r.push_back(customSizeRow(
        "r_customheight", [](const MainWindow& w) { return w.videoPage()->customHeight(); },
        "768"));
    r.push_back(geometryRow());
    r.push_back(modeListRow());
    r.push_back(glComboRow("gl_texturemode",
                           [](const MainWindow& w) { return w.videoPage()->textureMode(); }));
    r.push_back(
        glComboRow("gl_driver", [](const MainWindow& w) { return w.videoPage()->glDriver(); }));
    for (const MaskedField& field : GlNumberFields)
        r.push_back(glNumberRow(field));
    r.push_back(trackBarRow(
        "s_volume", [](const MainWindow& w) { return w.soundPage()->volume(); },
        TrackBarStep::Volume, 7));
    r.push_back(mixAheadRow());
    r.push_back(soundRateRow());
    t.partStart[2] = r.size();
    r.push_back(
        serverRow("hostname", [](const MainWindow& w) { return w.serverPage()->serverName(); }));
    r.push_back(serverRow("password",
                          [](const MainWindow& w) { return w.serverPage()->serverPassword(); }));
    t.partStart[3] = r.size();
    r.push_back(deathmatchRow());
    t.partStart[4] = r.size();
    return t;
}

const Table& table() {
    static const Table t = makeTable();
    return t;
}

} // namespace

std::span<const Row> rows(Part part) {
    const Table& t = table();
    const size_t first = t.partStart[size_t(part)];
    return std::span<const Row>(t.rows).subspan(first, t.partStart[size_t(part) + 1] - first);
}

std::span<const Row> allRows() {
    return table().rows;
}

size_t rowNumber(const Row& row) {
    return size_t(&row - table().rows.data());
}

bool engineHasRow(const Row& row, Engine engine) {
    return engineKnowsCvar(engine, QLatin1String(row.name));
}

void markRowsOfEngine(const MainWindow& window, Engine engine) {
    // A widget may stand for several rows (Q2PRO's size for the mode box): it stays while the
    // engine knows any of them.
    std::vector<std::pair<QWidget*, QString>> missing;
    for (const Row& row : allRows()) {
        if (!row.widget)
            continue;
        QWidget* widget = row.widget(window);
        auto at = std::find_if(missing.begin(), missing.end(),
                               [widget](const auto& seen) { return seen.first == widget; });
        if (at == missing.end())
            at = missing.insert(missing.end(), {widget, QLatin1String(row.name)});
        if (engineHasRow(row, engine))
            at->second.clear();
    }
    for (const auto& [widget, name] : missing)
        markLackedByEngine(*widget, name, engine);
}

} // namespace CfgWindowRows
