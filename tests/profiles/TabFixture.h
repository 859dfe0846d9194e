#pragma once

#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "profiles/GamesAliasesController.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <functional>
#include <memory>

// Hands the modal dialogs that open, one after the other, to the queued actions. A dialog of
// another type, or one with no action left, is rejected and counted as unexpected. An action
// that leaves its dialog open has a few seconds before the dialog is rejected.
class ModalScript : public QObject {
public:
    ModalScript() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
        timer_.start();
    }

    template <typename Dialog> void then(std::function<void(Dialog&)> action) {
        actions_.push_back([action](QDialog& dialog) {
            auto* typed = qobject_cast<Dialog*>(&dialog);
            if (!typed)
                return false;
            action(*typed);
            return true;
        });
    }

    bool done() const { return actions_.empty() && unexpected == 0; }
    int unexpected = 0;

private:
    void poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->property(handledMark).toBool())
            return;
        dialog->setProperty(handledMark, true);
        const bool ran = !actions_.empty() && actions_.front()(*dialog);
        if (ran)
            actions_.pop_front();
        else
            ++unexpected;
        QTimer::singleShot(ran ? 3000 : 0, dialog, [d = QPointer<QDialog>(dialog)] {
            if (d && d->isVisible())
                d->reject();
        });
    }

    QTimer timer_;
    std::deque<std::function<bool(QDialog&)>> actions_;
    static constexpr char handledMark[] = "modalScriptHandled";
};

// The Games & Aliases tab's widgets in a plain window, with the controller over them, on a
// private program directory and vexa.ini.
struct TabFixture {
    TestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<IniFile> settings;
    QWidget window;
    GamesAliasesTab tab;
    std::unique_ptr<GamesAliasesController> controller;

    TabFixture() {
        env.seedKnownDirectories();
        settings = std::make_unique<IniFile>(env.iniPath());
        VexaIni::write(*settings, VexaIni::ProgramPath, env.programDir());
        tab.lbxGames = make<QListWidget>("lbxGames");
        tab.btnAddGame = make<QToolButton>("btnAddGame");
        tab.btnDeleteGame = make<QToolButton>("btnDeleteGame");
        tab.btnUseThisGame = make<QPushButton>("btnUseThisGame");
        tab.txtCurrentGame = make<QLineEdit>("txtCurrentGame");
        tab.cbxStartWithGame = make<QCheckBox>("cbxStartWithGame");
        tab.cbxGlobalSettings = make<QCheckBox>("cbxGlobalSettings");
        tab.clsAliases = make<QListWidget>("clsAliases");
        tab.cbxSelectAllAliases = make<QCheckBox>("cbxSelectAllAliases");
        tab.btnAddAlias = make<QToolButton>("btnAddAlias");
        tab.btnEditAlias = make<QPushButton>("btnEditAlias");
        tab.btnDeleteAlias = make<QToolButton>("btnDeleteAlias");
        tab.clsBindings = make<QListWidget>("clsBindings");
        tab.cbxSelectAllBindings = make<QCheckBox>("cbxSelectAllBindings");
        tab.btnAddBinding = make<QToolButton>("btnAddBinding");
        tab.btnEditBinding = make<QPushButton>("btnEditBinding");
        tab.btnDeleteBinding = make<QToolButton>("btnDeleteBinding");
        tab.clsSettings = make<QListWidget>("clsSettings");
        tab.cbxSelectAllSettings = make<QCheckBox>("cbxSelectAllSettings");
        tab.btnAddSetting = make<QToolButton>("btnAddSetting");
        tab.btnEditSetting = make<QPushButton>("btnEditSetting");
        tab.btnDeleteSetting = make<QToolButton>("btnDeleteSetting");
    }

    // The start-up: global profile, then the games.
    void start() {
        controller = std::make_unique<GamesAliasesController>(tab, prompts, *settings,
                                                              env.programDir(), &window);
        controller->loadGlobalProfile();
        controller->fillGamesList();
        window.resize(900, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QString profile(const QString& name) const {
        return env.programDir() + QLatin1Char('/') + name + QStringLiteral(".vexa");
    }
    QString global() const { return profile(QStringLiteral("Global Aliases")); }
    QString writeProfile(const QString& name, const QByteArray& content) {
        return env.writeFile(QStringLiteral("program/") + name + QStringLiteral(".vexa"), content);
    }
    QString read(const QString& file, const QString& section, const QString& key) const {
        return IniFile(file).readString(section, key, QStringLiteral("<none>"));
    }

    // A check box takes clicks on its box only.
    static void click(QAbstractButton* button) {
        const bool checkBox = qobject_cast<QCheckBox*>(button) != nullptr;
        QTest::mouseClick(button, Qt::LeftButton, {},
                          checkBox ? QPoint(8, button->height() / 2) : button->rect().center());
    }
    static void select(QListWidget* list, int row) {
        const QRect cell = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Clicks the item's check box (the left end of the row).
    static void tick(QListWidget* list, int row) {
        const QRect cell = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(cell.left() + cell.height() / 2, cell.center().y()));
    }
    static QStringList texts(const QListWidget* list) {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }
    static QList<bool> marks(const QListWidget* list) {
        QList<bool> result;
        for (int i = 0; i < list->count(); ++i)
            result << (list->item(i)->checkState() == Qt::Checked);
        return result;
    }

private:
    QGridLayout* layout_ = new QGridLayout(&window);

    template <typename Widget> Widget* make(const char* name) {
        auto* widget = new Widget(&window);
        widget->setObjectName(QLatin1String(name));
        layout_->addWidget(widget, layout_->count() / 4, layout_->count() % 4);
        return widget;
    }
};
