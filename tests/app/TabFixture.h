#pragma once

#include "app/pages/GamesPage.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

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

// The Games & Aliases page in a plain window, on a private program directory and vexa.ini.
struct TabFixture {
    TestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<IniFile> settings;
    QWidget window;
    GamesPage* page = nullptr;

    TabFixture() {
        env.seedKnownDirectories();
        settings = std::make_unique<IniFile>(env.iniPath());
        VexaIni::write(*settings, VexaIni::ProgramPath, env.programDir());
    }

    // The start-up: global profile, then the games.
    void start() {
        page = new GamesPage(prompts, *settings, env.programDir(), &window);
        (new QVBoxLayout(&window))->addWidget(page);
        page->loadGlobalProfile();
        page->fillGamesList();
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
};
