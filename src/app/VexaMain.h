#pragma once

#include "platform/IniFile.h"
#include "platform/Prompts.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;

// The program's one main window. Creating it performs the whole start-up; closing it writes the
// file names back to vexa.ini. Every handler runs through the guard, so a failure shows its
// message and the program goes on.
class TfrmVexaMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmVexaMain(Prompts& prompts, QWidget* parent = nullptr);
    ~TfrmVexaMain() override;

    Prompts& prompts() const { return prompts_; }
    // The main window's settings file object on vexa.ini (open from start-up to close).
    IniFile& settings() const { return *settings_; }
    // The Quake 2 directory found by start-up; file dialogs start there.
    const QString& openDialogDirectory() const { return openDialogDirectory_; }

    // Shows "Default : " followed by the hint.
    void UpdateHintLine(const QString& hint);

    // Main menu (named as the items' objectName).
    QMenuBar* MainMenu1 = nullptr;
    QMenu* file1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* About1 = nullptr;
    QAction* New1 = nullptr;
    QAction* OpenConfig1 = nullptr;
    QAction* OpenBatch1 = nullptr;
    QAction* SaveConfig1 = nullptr;
    QAction* SaveConfigAs1 = nullptr;
    QAction* SaveBatch1 = nullptr;
    QAction* SaveBatchAs1 = nullptr;
    QAction* SaveAll1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ConfigFile1 = nullptr;
    QAction* BatchFile1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* VEXA1 = nullptr;

    // Frame controls.
    QFrame* Bevel3 = nullptr;
    QTabWidget* PageMain = nullptr;
    QLineEdit* txtHint = nullptr;
    QCheckBox* cbxStartServer = nullptr;
    QPushButton* btnRun = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtConfigFile = nullptr;
    QToolButton* btnEditConfig = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnLoadConfigFile = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtBatchFile = nullptr;
    QToolButton* btnEditBatch = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* btnLoadBatchFile = nullptr;
    QStatusBar* sbrCommon = nullptr;
    QFrame* pnlSplash = nullptr;
    QLabel* splashLogo = nullptr;
    QTimer* Timer1 = nullptr;

    // Tab sheets of PageMain, in order.
    QWidget* tabGeneral = nullptr;
    QWidget* tabMovement = nullptr;
    QWidget* tabWeaponsInv = nullptr;
    QWidget* tabCommunications = nullptr;
    QWidget* tabVideo = nullptr;
    QWidget* tabSound = nullptr;
    QWidget* TabMenus = nullptr;
    QWidget* tabClient = nullptr;
    QWidget* tabServer = nullptr;
    QWidget* tabAlias = nullptr;

    // General tab logo.
    QFrame* Panel6 = nullptr;
    QLabel* imgLogo = nullptr;

    // Video tab: renderer choice and its sub-pages.
    QGroupBox* gbxVideo = nullptr;
    QButtonGroup* gbxVideoItems = nullptr;
    QTabWidget* pageVideo = nullptr;
    QWidget* tabBoth = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window.
    void createMenu();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption);
    void addMenuSeparator(QMenu* menu, const char* name);
    void createFrame(QWidget* client);
    void createTabs();
    void createVideoTab();
    void createGeneralTab();
    void createSplash(QWidget* client);
    void connectHandlers();

    // Start-up and shutdown.
    void FormCreate();
    void runStartupSteps();
    QString LocateQuake2Dirs();
    void FormClose();
    void Timer1Timer();

    // Handlers.
    void gbxVideoClick();
    void VEXA1Click();

    Prompts& prompts_;
    std::unique_ptr<IniFile> settings_;
    QString openDialogDirectory_;
    QString baseDirectory_;
    bool closed_ = false;
};
