// Writing the main window as a config script. Nothing of the file read earlier is carried over:
// every line comes from what a widget shows at the moment of writing.

#include "app/VexaMain.h"

#include "app/CfgWindowFields.h"
#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/CfgProfileEntries.h"
#include "config/DeathmatchFlags.h"
#include "config/FixedFields.h"
#include "config/SettingControls.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <span>

namespace {

using namespace CfgWindowFields;

bool hasDigit(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

QString maskedNumber(const QLineEdit& edit) {
    return maskedNumberText(edit.displayText());
}

// "0" when the first button is checked, "1" for the second and so on; the last button's digit
// when none of the others is checked.
QString digitOfChecked(const TfrmVexaMain& window, std::span<const char* const> buttons) {
    for (size_t i = 0; i + 1 < buttons.size(); ++i) {
        if (radio(window, buttons[i])->isChecked())
            return QString::number(i);
    }
    return QString::number(buttons.size() - 1);
}

void appendPlayerLines(QStringList& lines, const TfrmVexaMain& w) {
    appendCfgLine(lines, CfgWord::set, QStringLiteral("name"), w.txtPlayer->text());
    appendCfgLine(lines, CfgWord::set, QStringLiteral("skin"),
                  w.cboModel->currentText() + u'/' + w.cboSkin->currentText());
    appendCfgLine(lines, CfgWord::set, QStringLiteral("hand"), digitOfChecked(w, HandButtons));
    appendCfgLine(lines, CfgWord::set, QStringLiteral("crosshair"),
                  digitOfChecked(w, CrosshairButtons));
    for (const MaskedField& field : BobbingFields) {
        const QString value = maskedNumber(*edit(w, field.edit));
        if (value != QLatin1String(field.skipWhen))
            appendCfgLine(lines, CfgWord::set, QLatin1String(field.variable), value);
    }
    if (ownEnabled(*w.barSensitivity))
        appendCfgLine(lines, CfgWord::set, QStringLiteral("sensitivity"),
                      trackBarValueText(w.barSensitivity->value(), TrackBarStep::Sensitivity));
}

// Each slot with a key: an alias that says the message, and the key bound to it.
void appendMessageLines(QStringList& lines, const TfrmVexaMain& w) {
    for (int slot = 0; slot < 5; ++slot) {
        const QString key = w.txtMsgKey[slot]->text();
        if (key.isEmpty())
            continue;
        const QString alias = QStringLiteral("message%1").arg(slot + 1);
        appendCfgLine(lines, CfgWord::alias, alias,
                      QStringLiteral("say ") + w.txtMsgMsg[slot]->text());
        appendCfgLine(lines, CfgWord::bind, key, alias);
    }
}

// The mode digit of the selected item ("3 - 640 x 480"). With no item selected the game keeps
// its own mode.
void appendModeLine(QStringList& lines, const QComboBox& box, const char* variable) {
    if (box.currentIndex() >= 0)
        appendCfgLine(lines, CfgWord::set, QLatin1String(variable),
                      box.itemText(box.currentIndex()).left(1));
}

// Software or GL lines, never both. An empty texture mode or driver, or a number field without
// any digit, writes nothing, so the game keeps its own value instead of taking an invalid one.
void appendRendererLines(QStringList& lines, const TfrmVexaMain& w) {
    const bool software = w.gbxVideoItems->checkedId() == SoftwareRenderer;
    appendCfgLine(lines, CfgWord::set, QStringLiteral("vid_ref"),
                  QLatin1String(software ? SoftwareRef : GlRef));
    if (software) {
        appendModeLine(lines, *w.cboSwVidMode, "sw_mode");
        return;
    }
    appendModeLine(lines, *w.cboGlVidMode, "gl_mode");
    if (const QString mode = w.cboTextureMode->currentText(); !mode.isEmpty())
        appendCfgLine(lines, CfgWord::set, QStringLiteral("gl_texturemode"), mode);
    if (const QString driver = w.cboGlDriver->currentText(); !driver.isEmpty())
        appendCfgLine(lines, CfgWord::set, QStringLiteral("gl_driver"), driver);
    for (const MaskedField& field : GlNumberFields) {
        const QLineEdit& number = *edit(w, field.edit);
        if (hasDigit(number.displayText()))
            appendCfgLine(lines, CfgWord::set, QLatin1String(field.variable), maskedNumber(number));
    }
}

void appendSoundLines(QStringList& lines, const TfrmVexaMain& w) {
    appendCfgLine(lines, CfgWord::set, QStringLiteral("s_volume"),
                  trackBarValueText(w.barVolume->value(), TrackBarStep::Volume));
    appendCfgLine(lines, CfgWord::set, QStringLiteral("s_mixahead"), maskedNumber(*w.txtSndDelay));
    const int quality = w.cboSndQuality->currentIndex();
    if (quality < 0)
        return;
    const QString chosen = w.cboSndQuality->itemText(quality);
    if (chosen == QLatin1String(HighQuality))
        appendCfgLine(lines, CfgWord::set, QStringLiteral("s_khz"), QString::number(HighRate));
    else if (chosen == QLatin1String(LowQuality))
        appendCfgLine(lines, CfgWord::set, QStringLiteral("s_khz"), QString::number(LowRate));
}

// The game looks variables up with their exact letter case, and a public server's master is
// set with the setmaster command (there is no variable for it).
void appendServerLines(QStringList& lines, const TfrmVexaMain& w) {
    if (w.cbxStartServer->isChecked()) {
        if (const QString name = w.edtServerName->text(); !name.isEmpty())
            appendCfgLine(lines, CfgWord::Set, QStringLiteral("hostname"), name);
        if (const QString password = w.edtServerPassword->text(); !password.isEmpty())
            appendCfgLine(lines, CfgWord::Set, QStringLiteral("password"), password);
        const auto* isPublic = qobject_cast<QCheckBox*>(w.settingControl(QStringLiteral("public")));
        if (isPublic && isPublic->isChecked())
            lines << QStringLiteral("setmaster \"") + w.edtMasterServer->text() + u'"';
    }
    if (w.rbDeathMatch->isChecked())
        appendCfgLine(lines, CfgWord::Set, QStringLiteral("dmflags"),
                      QString::number(deathmatchFlagNumber([&](const DeathmatchFlag& flag) {
                          const auto* box = w.namedChild<QCheckBox>(flag.name);
                          return box && box->isChecked();
                      })));
}

} // namespace

void TfrmVexaMain::SaveCfgFile(const QString& directory, const QString& fileName) {
    QStringList lines;
    appendPlayerLines(lines, *this);
    appendMessageLines(lines, *this);
    appendCfgLine(lines, CfgWord::set, QStringLiteral("vid_gamma"),
                  trackBarValueText(barGamma->value(), TrackBarStep::Gamma));
    appendRendererLines(lines, *this);
    appendSoundLines(lines, *this);
    appendServerLines(lines, *this);
    WriteControlLines(lines, settingIndex(),
                      VexaIni::readBool(settings(), VexaIni::OptimizedSaving, false));
    if (VexaIni::readBool(settings(), VexaIni::IncludeAliases, true))
        WriteProfileEntries(lines, programDirectory_, txtCurrentGame->text());
    appendClosingLines(lines);

    CfgLines = lines;
    writeCfgFile(PlatformConventions::native().join(directory, fileName), CfgLines);
}
