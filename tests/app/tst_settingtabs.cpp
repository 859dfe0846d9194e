#include "app/MainWindow.h"
#include "app/pages/ClientPage.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/MenusPage.h"
#include "app/pages/MovementPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "config/SettingControls.h"
#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "platform/IniFile.h"
#include "settings/Catalogue.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

// The tabs as a player meets them in a fresh window: every setting at its default, named and
// hinted from the catalogue, and the enabling rules at work.
class TstSettingTabs : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everySettingStandsInCatalogueOrder();
    void controlsShowTheirDefaults();
    void namesAndHintsComeFromTheCatalogue();
    void unboundBindingsUseWindowColours();
    void useMouseGovernsMouseLook();
    void allowDownloadsGovernsTheFourDownloads();
    void plainWidgetsStartAsLaidOut();
    void messageKeyBoxesCaptureKeys();
    void hiddenTabStaysHiddenFromTheStart();

private:
    std::unique_ptr<TestEnvironment> env_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<MainWindow> window_;

    template <typename T> T* control(const char* command) const {
        auto* widget = qobject_cast<T*>(window_->settingControl(QString::fromUtf8(command)));
        if (!widget)
            qFatal("no control for %s", command);
        return widget;
    }
};

// The window before any config has been read into it: start-up finds no config and starts from
// the defaults.
void TstSettingTabs::init() {
    env_ = std::make_unique<TestEnvironment>();
    env_->seedKnownDirectories();
    QFile::remove(env_->baseDir() + QStringLiteral("/config.cfg"));
    prompts_ = std::make_unique<ScriptedPrompts>();
    window_ = std::make_unique<MainWindow>(*prompts_);
}

void TstSettingTabs::cleanup() {
    window_.reset();
    QVERIFY2(prompts_->done(), qPrintable(prompts_->report()));
    prompts_.reset();
    env_.reset();
}

void TstSettingTabs::everySettingStandsInCatalogueOrder() {
    QStringList walked;
    QHash<QString, int> kinds;
    forEachSettingControl(window_.get(), [&](SettingControl& c) {
        if (c.ownEngine())
            return; // the engines' own pages come after the catalogue's
        walked << c.supCommand();
        kinds[c.widget().metaObject()->className()]++;
    });
    QStringList listed;
    for (const CatalogueRow& row : catalogue())
        listed << QString::fromUtf8(row.command);
    QCOMPARE(walked, listed);
    QCOMPARE(kinds.value("SettingCheckBox"), 68);
    QCOMPARE(kinds.value("SettingSpinBox"), 25);
    QCOMPARE(kinds.value("BindingEdit"), 80);
}

void TstSettingTabs::controlsShowTheirDefaults() {
    QCOMPARE(control<SettingSpinBox>("fov")->supValue(), 90);
    QCOMPARE(control<SettingSpinBox>("fov")->text(), QStringLiteral("90"));
    QCOMPARE(control<BindingEdit>("+attack")->text(), QStringLiteral("CTRL"));
    QVERIFY(control<SettingCheckBox>("in_mouse")->isChecked());
    QVERIFY(!control<SettingCheckBox>("freelook")->isChecked());
    for (const CatalogueRow& row : catalogue()) {
        QWidget* widget = window_->settingControl(QString::fromUtf8(row.command));
        const QString def = QString::fromUtf8(row.defaultValue);
        if (auto* box = qobject_cast<SettingCheckBox*>(widget))
            QCOMPARE(box->isChecked(), def == QStringLiteral("yes"));
        else if (auto* spin = qobject_cast<SettingSpinBox*>(widget))
            QCOMPARE(spin->supValue(), def.toInt());
        else if (auto* bind = qobject_cast<BindingEdit*>(widget))
            QCOMPARE(bind->supValue(), def);
        else
            QFAIL(row.command);
    }
}

void TstSettingTabs::namesAndHintsComeFromTheCatalogue() {
    QSet<QString> names;
    int catalogueControls = 0;
    forEachSettingControl(window_.get(), [&](SettingControl& c) {
        QWidget* widget = &c.widget();
        QVERIFY2(!names.contains(widget->objectName()), qPrintable(widget->objectName()));
        names.insert(widget->objectName());
        QVERIFY(widget->toolTip().startsWith(widget->statusTip())); // and what the engine lacks
        catalogueControls += !c.ownEngine();
    });
    QCOMPARE(catalogueControls, 173);
    QVERIFY(window_->findChild<SettingSpinBox*>(QStringLiteral("ssefov")));
    QVERIFY(window_->findChild<QLabel*>(QStringLiteral("lblfov")));
    QVERIFY(window_->findChild<BindingEdit*>(QStringLiteral("subuse_grenade_launcher")));
    QVERIFY(window_->findChild<SettingCheckBox*>(QStringLiteral("sbcin_mouse")));
    QCOMPARE(control<SettingSpinBox>("fov")->toolTip(), QStringLiteral("90  ()"));
    QCOMPARE(control<SettingCheckBox>("freelook")->toolTip(),
             QStringLiteral("No (Toggle the use of the forward and down movements into look up "
                            "and look down)"));
    QCOMPARE(control<BindingEdit>("+lookup")->toolTip(),
             QStringLiteral("PGDN  (When active the player is looking up)"));
    for (const char* group :
         {"Mouse Options", "Looking", "Running", "Strafing", "Climbing and swimming",
          "Player Movement", "Inventory", "Use Item", "Game Screen Position", "Enhancements",
          "Video Card Specific", "Debugging"}) {
        auto* box = window_->findChild<QGroupBox*>(groupObjectName(group));
        QVERIFY2(box, group);
        QCOMPARE(box->title(), QString::fromUtf8(group));
    }
}

void TstSettingTabs::unboundBindingsUseWindowColours() {
    for (const char* command : {"+moveleft", "menu_credits", "cd pause"}) {
        BindingEdit* bind = control<BindingEdit>(command);
        QVERIFY(bind->text().isEmpty());
        QCOMPARE(bind->palette().color(QPalette::Base),
                 QApplication::palette(bind).color(QPalette::Base));
    }
}

void TstSettingTabs::useMouseGovernsMouseLook() {
    auto* useMouse = control<SettingCheckBox>("in_mouse");
    auto* mouseLook = control<SettingCheckBox>("freelook");
    QVERIFY(mouseLook->isEnabled());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->tabs()->setCurrentWidget(window_->movementPage());
    QTest::mouseClick(useMouse, Qt::LeftButton, {}, QPoint(6, useMouse->height() / 2));
    QVERIFY(!useMouse->isChecked());
    QVERIFY(!mouseLook->isEnabled());
    useMouse->setSupValue(true); // by the program, as a config read does
    QVERIFY(mouseLook->isEnabled());
}

void TstSettingTabs::allowDownloadsGovernsTheFourDownloads() {
    auto* allow = control<SettingCheckBox>("allow_download");
    allow->setSupValue(false);
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        QVERIFY2(!window_->settingControl(QString::fromUtf8(command))->isEnabled(), command);
    allow->setSupValue(true);
    for (const char* command : {"allow_download_maps", "allow_download_models",
                                "allow_download_sounds", "allow_download_players"})
        QVERIFY2(window_->settingControl(QString::fromUtf8(command))->isEnabled(), command);
}

void TstSettingTabs::plainWidgetsStartAsLaidOut() {
    MainWindow& w = *window_;
    QCOMPARE(w.generalPage()->playerName()->text(), QStringLiteral("Player"));
    QVERIFY(w.generalPage()->handRight()->isChecked());
    QVERIFY(w.generalPage()->crossNone()->isChecked());
    QCOMPARE(w.generalPage()->walkPitch()->displayText(), QStringLiteral(" .  5"));
    QCOMPARE(w.generalPage()->bobStart()->displayText(), QStringLiteral(" .   "));
    // The bars as a config without their variables leaves them: the game's own gamma of 1.
    QCOMPARE(w.movementPage()->sensitivity()->value(), 5);
    QCOMPARE(w.videoPage()->gamma()->minimum(), 1);
    QCOMPARE(w.videoPage()->gamma()->maximum(), 39);
    QCOMPARE(w.videoPage()->gamma()->value(), 4);
    QCOMPARE(w.soundPage()->volume()->maximum(), 40);
    QCOMPARE(w.soundPage()->volume()->value(), 7);
    QCOMPARE(w.soundPage()->quality()->currentText(), QStringLiteral("Low"));
    QCOMPARE(w.videoPage()->glMode()->count(), 10);
    QCOMPARE(w.videoPage()->glMode()->itemText(0), QStringLiteral("0 - 320 x 240"));
    QCOMPARE(w.videoPage()->glMode()->itemText(9), QStringLiteral("9 - 1600 x 1200"));
    QCOMPARE(w.videoPage()->softwareMode()->currentIndex(), 0);
    QCOMPARE(w.videoPage()->textureMode()->count(), 7);
    QCOMPARE(w.videoPage()->textureMode()->currentText(),
             QStringLiteral("GL_NEAREST_MIPMAP_NEAREST"));
    QVERIFY(w.videoPage()->renderers()->button(1)->isChecked());
    QVERIFY(w.clientPage()->startNewGame()->isChecked());
    QCOMPARE(w.serverPage()->serverName()->text(), QString());
    QVERIFY(w.serverPage()->masterServer()->text().endsWith(QStringLiteral(":27900")));
    QVERIFY(w.serverPage()->deathMatch()->isChecked());
    QVERIFY(w.serverPage()->fragLimit()->isChecked());
    QVERIFY(w.serverPage()->timeLimit()->isChecked());
    QCOMPARE(w.serverPage()->deathmatchFlagBoxes().size(), 19);
    QStringList checked;
    for (QCheckBox* box : w.serverPage()->deathmatchFlagBoxes())
        if (box->isChecked())
            checked << box->objectName();
    QCOMPARE(checked, (QStringList{"cbxInstantPowerups", "cbxCtfTechPowerups"}));
    QVERIFY(w.gamesPage()->showGlobalSettings()->isChecked());
}

void TstSettingTabs::messageKeyBoxesCaptureKeys() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->tabs()->setCurrentWidget(window_->communicationsPage());
    QLineEdit* key = window_->communicationsPage()->messageKey(2);
    QCOMPARE(key->objectName(), QStringLiteral("txtMsg3Key"));
    key->setFocus();
    QTest::keyClick(key, Qt::Key_F5);
    QCOMPARE(key->text(), QStringLiteral("F5"));
    QTest::keyClicks(key, QStringLiteral("hello"));
    QCOMPARE(key->text(), QStringLiteral("o")); // each typed letter is captured, none is typed
    QTest::keyClick(key, Qt::Key_Backspace);
    QCOMPARE(key->text(), QString());
}

void TstSettingTabs::hiddenTabStaysHiddenFromTheStart() {
    window_.reset();
    IniFile(env_->iniPath()).writeString("Tabs", "Sound", "0");
    env_->writeFile(QStringLiteral("quake2/baseq2/config.cfg"), QByteArray()); // start-up runs on
    window_ = std::make_unique<MainWindow>(*prompts_);
    const int sound = window_->tabs()->indexOf(window_->soundPage());
    QVERIFY(!window_->tabs()->isTabVisible(sound));
    QVERIFY(window_->tabs()->isTabVisible(window_->tabs()->indexOf(window_->menusPage())));
    // Its settings are still there to be read and written.
    QVERIFY(window_->settingControl(QStringLiteral("s_initsound")));
}

VEXA_TEST(TstSettingTabs)
#include "tst_settingtabs.moc"
