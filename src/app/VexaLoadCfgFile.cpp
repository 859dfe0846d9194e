// Reading a config script into the main window: the plain widgets that stand for one console
// variable each, then every setting control.

#include "app/VexaMain.h"

#include "app/CfgWindowFields.h"
#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/DeathmatchFlags.h"
#include "config/FixedFields.h"
#include "config/SettingControls.h"
#include "config/VexaCommon.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "settings/GameHome.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <optional>
#include <span>

namespace {

using namespace CfgWindowFields;

// The wait cursor over the window while it lives; afterwards the window's cursor is what it was
// before, so a caller that shows the wait cursor itself keeps it.
class WaitCursor {
public:
    explicit WaitCursor(QWidget& widget)
        : widget_(widget), hadCursor_(widget.testAttribute(Qt::WA_SetCursor)),
          cursor_(widget.cursor()) {
        widget_.setCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (hadCursor_)
            widget_.setCursor(cursor_);
        else
            widget_.unsetCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QWidget& widget_;
    bool hadCursor_;
    QCursor cursor_;
};

CfgLookup findSet(const CfgLineFinder& lines, const char* name) {
    return lines.find(QStringLiteral("set ") + QLatin1String(name));
}

// The renderer's variables as the writer writes them ("set gl_mode ...") or as typed at the
// console ("gl_mode 3").
CfgLookup findVariable(const CfgLineFinder& lines, const char* name) {
    const CfgLookup set = findSet(lines, name);
    return set.found ? set : lines.find(QLatin1String(name));
}

std::optional<double> decimalValue(const QString& text) {
    try {
        return parseDecimal(text);
    } catch (const VexaError&) {
        return std::nullopt;
    }
}

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
void checkByDigit(const TfrmVexaMain& window, std::span<const char* const> buttons,
                  const QString& value) {
    const char16_t first = value.isEmpty() ? u' ' : value.front().unicode();
    const int digit = first >= u'0' && first <= u'9' ? first - u'0' : -1;
    if (digit >= 0 && digit < int(buttons.size()))
        radio(window, buttons[size_t(digit)])->setChecked(true);
}

// A renderer number goes into its masked edit only when the edit can show it as it is: the
// masks hold one whole digit, and "40" would show as "4.0". A field the value does not fit stays
// blank, and a blank field writes no line, so the game keeps its own value.
void showMaskedNumber(QLineEdit& edit, const QString& value) {
    showText(edit, value);
    const auto wanted = decimalValue(value);
    const auto shown = decimalValue(maskedNumberText(edit.displayText()));
    if (!wanted || !shown || *wanted != *shown)
        edit.clear();
}

// A mode number selects that item of the mode list; a number the list lacks leaves it without
// selection.
void applyVideoMode(QComboBox& box, const CfgLineFinder& lines, const char* variable) {
    const CfgLookup mode = findVariable(lines, variable);
    if (!mode.found)
        return;
    const int index = parseWholeNumber(mode.value);
    box.setCurrentIndex(index >= 0 && index < box.count() ? index : -1);
}

void applyTrackBar(QSlider& bar, const CfgLineFinder& lines, const char* variable, double step,
                   std::optional<int> notFound) {
    const CfgLookup value = findSet(lines, variable);
    if (value.found)
        bar.setValue(trackBarPosition(value.value, step));
    else if (notFound)
        bar.setValue(*notFound);
}

void applyPlayerFields(TfrmVexaMain& w, const CfgLineFinder& lines) {
    const CfgLookup name = findSet(lines, "name");
    showText(*w.txtPlayer, name.found ? name.value : QStringLiteral("noname"));

    const CfgLookup skin = findSet(lines, "skin");
    if (skin.found) {
        const QStringList parts = SplitAtSeparator(skin.value, u'/');
        showComboText(*w.cboModel, parts.value(0));
        showComboText(*w.cboSkin, parts.value(1));
    } else {
        showUnselectedText(*w.cboModel, QStringLiteral("male"));
        showUnselectedText(*w.cboSkin, QStringLiteral("grunt"));
    }

    const CfgLookup hand = findSet(lines, "hand");
    if (hand.found)
        checkByDigit(w, HandButtons, hand.value);
    else
        w.rbRight->setChecked(true);

    const CfgLookup crosshair = findSet(lines, "crosshair");
    if (crosshair.found)
        checkByDigit(w, CrosshairButtons, crosshair.value);
    else
        w.rbCrossX->setChecked(true);

    for (const MaskedField& field : BobbingFields) {
        const CfgLookup value = findSet(lines, field.variable);
        showText(*edit(w, field.edit),
                 value.found ? value.value : QString::fromLatin1(field.readerDefault));
    }
}

// The renderer choice, when the file names one of ours; returns whether it chose one.
bool applyRenderer(TfrmVexaMain& w, const CfgLineFinder& lines) {
    applyVideoMode(*w.cboSwVidMode, lines, "sw_mode");
    applyVideoMode(*w.cboGlVidMode, lines, "gl_mode");
    if (const CfgLookup mode = findVariable(lines, "gl_texturemode"); mode.found)
        showComboText(*w.cboTextureMode, mode.value);
    if (const CfgLookup driver = findVariable(lines, "gl_driver"); driver.found)
        showComboText(*w.cboGlDriver, driver.value);
    for (const MaskedField& field : GlNumberFields) {
        if (const CfgLookup value = findVariable(lines, field.variable); value.found)
            showMaskedNumber(*edit(w, field.edit), value.value);
    }

    const CfgLookup ref = findVariable(lines, "vid_ref");
    if (!ref.found)
        return false;
    const int id = ref.value == QLatin1String(SoftwareRef) ? SoftwareRenderer
                   : ref.value == QLatin1String(GlRef)     ? GlRenderer
                                                           : -1;
    if (id < 0)
        return false;
    w.gbxVideoItems->button(id)->setChecked(true);
    return true;
}

void applySoundQuality(TfrmVexaMain& w, const CfgLineFinder& lines) {
    const CfgLookup rate = findSet(lines, "s_khz");
    const auto number = rate.found ? decimalValue(rate.value) : std::nullopt;
    const bool high = number && *number >= HighRate;
    w.cboSndQuality->setCurrentIndex(
        w.cboSndQuality->findText(QLatin1String(high ? HighQuality : LowQuality)));
}

void applySoundAndServerFields(TfrmVexaMain& w, const CfgLineFinder& lines) {
    applyTrackBar(*w.barGamma, lines, "vid_gamma", TrackBarStep::Gamma, std::nullopt);
    applySoundQuality(w, lines);

    const CfgLookup mixAhead = findSet(lines, "s_mixahead");
    if (!mixAhead.found)
        showText(*w.txtSndDelay, QStringLiteral("0.2"));
    else
        showText(*w.txtSndDelay,
                 mixAhead.value == QLatin1String("0") ? QStringLiteral("0.0") : mixAhead.value);
    applyTrackBar(*w.barVolume, lines, "s_volume", TrackBarStep::Volume, 7);
    applyTrackBar(*w.barSensitivity, lines, "sensitivity", TrackBarStep::Sensitivity, 5);

    showText(*w.edtServerName, findSet(lines, "hostname").value);
    showText(*w.edtServerPassword, findSet(lines, "password").value);
    if (const CfgLookup flags = findSet(lines, "dmflags"); flags.found)
        applyDeathmatchFlags(w, parseWholeNumber(flags.value));
}

} // namespace

void TfrmVexaMain::ApplyFixedSettings() {
    // Some fifty lookups: each passes over the lines with the finder's signatures.
    const CfgLineFinder lines(CfgLines);
    // An empty file says nothing about the player, so the player's fields keep what they show.
    if (!CfgLines.isEmpty())
        applyPlayerFields(*this, lines);
    if (applyRenderer(*this, lines))
        gbxVideoClick();
    applySoundAndServerFields(*this, lines);
}

void TfrmVexaMain::LoadCfgFile(const QString& directory, const QString& fileName) {
    const WaitCursor wait(*this);
    readCfgFile(PlatformConventions::native().join(directory, fileName), CfgLines);
    ApplyFixedSettings();
    ApplySettingLines(settingIndex(), CfgLines);
}

ControlIndex& TfrmVexaMain::settingIndex() {
    if (!settingIndex_)
        settingIndex_ = std::make_unique<ControlIndex>(IndexSettingControls(this));
    return *settingIndex_;
}

void TfrmVexaMain::ResetSettingsToDefaults() {
    ApplyFixedSettings();
    resetSettingControls(settingIndex());
}

void TfrmVexaMain::LoadStartupConfig() {
    const auto& platform = PlatformConventions::native();
    const QFileInfo stored(txtConfigFile->text());
    if (!txtConfigFile->text().isEmpty() && stored.isFile()) {
        const QString path = stored.absoluteFilePath();
        LoadCfgFile(platform.directoryOf(path), platform.fileNameOf(path));
        return;
    }
    // When that is missing too, the read stops with "Cannot open file" and the box keeps the
    // stored name.
    const QString fallback = fallbackConfigFile(engineChoice(), baseDirectory_);
    LoadCfgFile(platform.directoryOf(fallback), platform.fileNameOf(fallback));
    txtConfigFile->setText(fallback);
}
