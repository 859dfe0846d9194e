// The tabs of the engines' own settings: one per engine that has them, the chosen engine's
// shown; the controls there that show a fixed field's variable (the video mode, the sound rate)
// kept alike with the field; the renderer choice greying what another renderer reads.

#include "MainWindow.h"

#include "app/CfgFileMemory.h"
#include "app/CfgWindowRows.h"
#include "app/pages/EnginePage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "config/EngineRoles.h"
#include "config/SettingControls.h"
#include "platform/Guard.h"
#include "settings/GameHome.h"

#include <QLineEdit>
#include <QTabWidget>

namespace {

const QString Renderer = QStringLiteral("vid_renderer");

// The engine's name of a fixed field's variable (Yamagi renames gl_mode to r_mode).
QString engineNameOf(Engine engine, const char* name) {
    const QString own = QString::fromLatin1(name);
    const QString renamed = engineCvarRename(engine, own);
    return renamed.isEmpty() ? own : renamed;
}

// The caption of the tab showing a fixed field: the sound rows' on Sound, the others' on Video.
QString fixedFieldTab(const MainWindow& window, const CfgWindowRows::Row& row) {
    QWidget* page = QLatin1String(row.name).startsWith(QLatin1String("s_"))
                        ? static_cast<QWidget*>(window.soundPage())
                        : window.videoPage();
    return window.tabs()->tabText(window.tabs()->indexOf(page));
}

} // namespace

EnginePage* MainWindow::enginePage(Engine engine) const {
    switch (engine) {
    case Engine::yamagi:
        return yamagiPage_;
    case Engine::q2pro:
        return q2proPage_;
    case Engine::id:
        break;
    }
    return nullptr;
}

void MainWindow::createEnginePages() {
    yamagiPage_ = new EnginePage(Engine::yamagi, tabs_);
    q2proPage_ = new EnginePage(Engine::q2pro, tabs_);
    for (EnginePage* page : {yamagiPage_, q2proPage_}) {
        tabs_->addTab(page, QString::fromLatin1(engineFacts(page->engine()).displayName)
                                .replace(u'&', QLatin1String("&&")));
        tabs_->setTabVisible(tabs_->indexOf(page), false);
    }
}

void MainWindow::linkEngineFixedFields() {
    for (EnginePage* page : {yamagiPage_, q2proPage_}) {
        for (const CfgWindowRows::Row& row : CfgWindowRows::allRows()) {
            SettingControl* control = page->control(engineNameOf(page->engine(), row.name));
            if (!control)
                continue;
            setShownByFixedField(*control);
            // A text the field cannot hold as typed (Q2PRO's window geometry and mode list
            // follow the mode box) is only shown here.
            const bool shownOnly = control->kind() == SettingKind::Text;
            if (shownOnly)
                static_cast<QLineEdit&>(control->widget()).setReadOnly(true);
            control->setSupDescription(
                control->supDescription() +
                (shownOnly
                     ? QStringLiteral(" Follows the video mode.")
                     : QStringLiteral(" Also set on the %1 tab.").arg(fixedFieldTab(*this, row))));
            control->connectChange(this, guarded(prompts_, [this, &row, control, page] {
                                       if (!showingFixedFields_ &&
                                           page->engine() == engineChoice().engine)
                                           row.show(*this, control->shownValueText());
                                   }));
        }
    }
    SettingControl* renderer = yamagiPage_->control(Renderer);
    renderer->connectChange(this, guarded(prompts_, [this] { engineRendererChanged(); }));
    // What the fields hold may have changed on their own tabs.
    for (EnginePage* page : {yamagiPage_, q2proPage_})
        connect(page, &EnginePage::shown, this,
                guarded(prompts_, [this] { showFixedFieldsOnEnginePage(); }));
}

void MainWindow::showFixedFieldsOnEnginePage() {
    EnginePage* page = enginePage(engineChoice().engine);
    if (!page)
        return;
    showingFixedFields_ = true;
    for (const CfgWindowRows::Row& row : CfgWindowRows::allRows()) {
        SettingControl* control = page->control(engineNameOf(page->engine(), row.name));
        if (!control)
            continue;
        // A field that stands for no value (no mode chosen) leaves the control as it is.
        if (const QString value = row.current(*this); !value.isEmpty())
            control->setValues({value});
    }
    showingFixedFields_ = false;
}

// Only the chosen engine's tab shows; its settings and the old rows' equivalents follow it.
void MainWindow::showEnginePage(Engine engine) {
    for (EnginePage* page : {yamagiPage_, q2proPage_})
        tabs_->setTabVisible(tabs_->indexOf(page), page->engine() == engine);
    settleSharedSettings(settingIndex(), cfgMemory().controls, engine);
    showFixedFieldsOnEnginePage();
    engineRendererChanged();
}

void MainWindow::engineRendererChanged() {
    const Engine engine = engineChoice().engine;
    EnginePage* page = enginePage(engine);
    SettingControl* renderer = page ? page->control(Renderer) : nullptr;
    const QString chosen = renderer ? renderer->shownValueText() : QString();
    markRendererSettings(settingIndex(), engine, chosen);
    if (!chosen.isEmpty())
        videoPage_->subPages()->setCurrentWidget(
            chosen == QLatin1String("soft") ? videoPage_->softwarePage() : videoPage_->glPage());
}
