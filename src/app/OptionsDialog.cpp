#include "OptionsDialog.h"

#include "Glyphs.h"
#include "UpDown.h"
#include "controls/FontScale.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/Prompts.h"
#include "settings/GameHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

namespace {

// The engine group stands below the others and pushes the buttons down.
constexpr int EngineGroupTop = 348;
constexpr int EngineGroupHeight = 88;
constexpr int ButtonsTop = EngineGroupTop + EngineGroupHeight + 4;
const QSize DialogSize(345, ButtonsTop + 56);
// Where the dialog opens, measured from the main window's top-left frame corner.
const QPoint OffsetFromMainWindow(102, 25);

// Room kept right of the right-hand groups, and inside a group right of its widest control.
constexpr int RightMargin = 14;
constexpr int GroupPadding = 6;
constexpr int EditHeight = 21;
constexpr int DirectoryEditWidth = 305;
constexpr int DirectoryFontPointSize = 6;
constexpr int GlyphButtonSize = 22;
constexpr int CheckBoxHeight = 15; // the closest rows stand 15 apart
constexpr int StatusTimeWidth = 31;
constexpr int UpDownWidth = 12;
constexpr int StatusTimeMaximum = 360;
const QSize ButtonSize(75, 25);

const QString FolderCaption = QStringLiteral("Baseq2 Directory");
const QString LocationTitle = QStringLiteral("Quake2 Location");
const QString DelayHint = QStringLiteral("0 indicates indefinite");
const QString HomeCaption = QStringLiteral("Home Directory");
const QString EngineHint =
    QStringLiteral("The Quake 2 engine you play with: it decides where the game reads its config, "
                   "which archives it reads and which key names it takes");
const QString HomeHint =
    QStringLiteral("Where the game keeps its own config.cfg and saved games (Yamagi Quake II: "
                   "~/.yq2, Q2PRO: ~/.q2pro). id 3.21 has none: it uses the Quake 2 directory.");
constexpr int EngineBoxWidth = 160;

void setHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QPoint place) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->adjustSize();
    label->move(place);
    return label;
}

// Wide enough for its caption at the current font: the layout gives places, not widths.
QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, QPoint place) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(QRect(place, QSize(box->sizeHint().width(), CheckBoxHeight)));
    return box;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title, QRect place) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place);
    return group;
}

QLineEdit* makeDirectoryEdit(QWidget* parent, const char* name, QPoint place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    QFont small = edit->font();
    small.setPointSizeF(DirectoryFontPointSize * fontScale());
    edit->setFont(small);
    edit->setGeometry(QRect(place, QSize(DirectoryEditWidth, EditHeight)));
    return edit;
}

QToolButton* makeGlyphButton(QWidget* parent, const char* name, QPoint place) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(glyphIcon(Glyph::Folder));
    button->setGeometry(QRect(place, QSize(GlyphButtonSize, GlyphButtonSize)));
    return button;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QPoint place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(QRect(place, ButtonSize));
    return button;
}

} // namespace

void applyTabVisibility(QTabWidget& pages, const IniFile& settings) {
    for (std::size_t i = 0; i < VexaIni::TabCount; ++i) {
        const int page = static_cast<int>(i) + 1; // page 0, General, has no key
        if (page < pages.count())
            pages.setTabVisible(page, VexaIni::readBool(settings, VexaIni::tabKey(i), true));
    }
}

OptionsDialog::OptionsDialog(Prompts& prompts, QWidget* mainWindow, std::function<void()> applied)
    : QDialog(mainWindow), prompts_(prompts), mainWindow_(mainWindow), applied_(std::move(applied)),
      settings_(VexaIni::fileName(), VexaIni::Encoding) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(DialogSize);
    createDirectoryRows();
    createTabGroup();
    createRunGroup();
    createConfigGroup();
    createEngineGroup();
    createButtons();
    scaleHandPlacedParts(*this);
    widenForCaptions();
    connectHandlers();
    formCreate();
}

void OptionsDialog::createDirectoryRows() {
    quake2DirLabel_ = makeLabel(this, "Label1", QStringLiteral("Quake2 Directory: "), {4, 6});
    quake2DirBox_ = makeDirectoryEdit(this, "txtQ2Dir", {4, 20});
    quake2DirButton_ = makeGlyphButton(this, "btnQ2Dir", {309, 19});

    baseDirLabel_ = makeLabel(this, "Label3", QStringLiteral("Baseq2 directory "), {4, 44});
    baseDirBox_ = makeDirectoryEdit(this, "txtBaseq2dir", {4, 58});
    setHint(baseDirBox_, QStringLiteral("The location of the directory where baseq2/ directory "
                                        "resides.  This doesn't have to be filled in."));
    baseDirButton_ = makeGlyphButton(this, "btnBaseq2dir", {309, 57});

    cdDirLabel_ = makeLabel(this, "Label4", QStringLiteral("Cd Rom Path"), {6, 82});
    cdDirBox_ = makeDirectoryEdit(this, "txtCddir", {6, 96});
    setHint(cdDirBox_, QStringLiteral("The location of the directory where cdrom data files "
                                      "reside.  This doesn't have to be filled in."));
    cdDirButton_ = makeGlyphButton(this, "btnCddir", {311, 95});

    directories_ = {{quake2DirBox_, VexaIni::Quake2Path},
                    {baseDirBox_, VexaIni::BaseDir},
                    {cdDirBox_, VexaIni::CdRom}};
}

void OptionsDialog::createTabGroup() {
    tabsGroup_ = makeGroup(this, "GroupBox2", QStringLiteral("Enabled Tabs"), {4, 120, 131, 223});
    // In the order of the main window's tabs, matching VexaIni::TabKeys.
    const struct {
        QCheckBox* OptionsDialog::*member;
        const char* name;
        const char* caption;
        int top;
    } rows[] = {
        {&OptionsDialog::movementBox_, "cbxMovement", "Movement", 16},
        {&OptionsDialog::weaponsBox_, "cbxWeapons", "Weapons && Inv", 39},
        {&OptionsDialog::communicationsBox_, "cbxCommunications", "Communications", 61},
        {&OptionsDialog::videoBox_, "cbxVideo", "Video", 84},
        {&OptionsDialog::soundBox_, "cbxSound", "Sound", 106},
        {&OptionsDialog::menusBox_, "cbxMenus", "Menus", 129},
        {&OptionsDialog::clientBox_, "cbxClient", "Client", 151},
        {&OptionsDialog::serverBox_, "cbxServer", "Server", 174},
        {&OptionsDialog::aliasBox_, "cbxAlias", "Games && Aliases", 196},
    };
    static_assert(std::size(rows) == VexaIni::TabCount);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        QCheckBox* box =
            makeCheck(tabsGroup_, rows[i].name, QLatin1String(rows[i].caption), {8, rows[i].top});
        this->*rows[i].member = box;
        tabChecks_.push_back({box, VexaIni::tabKey(i), true});
    }
}

void OptionsDialog::createRunGroup() {
    runGroup_ = makeGroup(this, "GroupBox1", QStringLiteral("Run Options"), {147, 120, 184, 151});
    const struct {
        QCheckBox* OptionsDialog::*member;
        const char* name;
        const char* caption;
        int top;
        IniKey key;
        bool defaultValue;
    } rows[] = {
        {&OptionsDialog::saveFilesOnRunBox_, "cbxSaveFilesonRun", "Save Files on Run", 15,
         VexaIni::SaveAllOnRun, true},
        {&OptionsDialog::saveFilesOnExitBox_, "cbxSaveFilesOnExit", "Save Files on Exit", 33,
         VexaIni::SaveAllOnExit, false},
        {&OptionsDialog::saveBoxOnExitBox_, "cbxSaveBoxOnExit", "Save Box before exiting VEXA", 48,
         VexaIni::SaveBoxOnExit, true},
        {&OptionsDialog::closeOnRunBox_, "cbxCloseOnRun", "Close on Exit", 68, VexaIni::CloseOnExit,
         true},
        {&OptionsDialog::minimizeBox_, "cbxMinimize", "Minimize On Run", 83, VexaIni::Minimize,
         false},
        {&OptionsDialog::useStatusBox_, "cbxStatusBox", "Status Box On Run", 103,
         VexaIni::StatusBox, true},
    };
    for (const auto& row : rows) {
        QCheckBox* box = makeCheck(runGroup_, row.name, QLatin1String(row.caption), {8, row.top});
        this->*row.member = box;
        runChecks_.push_back({box, row.key, row.defaultValue});
    }
    // The state the enabling rules measure loading against.
    closeOnRunBox_->setChecked(true);
    saveFilesOnExitBox_->setChecked(false);

    statusTimeBox_ = new QLineEdit(runGroup_);
    statusTimeBox_->setObjectName(QStringLiteral("txtStatusTime"));
    statusTimeBox_->setReadOnly(true);
    statusTimeBox_->setGeometry(26, 122, StatusTimeWidth, EditHeight);
    statusTimeUpDown_ = new UpDown(runGroup_);
    statusTimeUpDown_->setObjectName(QStringLiteral("UpDown1"));
    statusTimeUpDown_->setRange(0, StatusTimeMaximum);
    statusTimeUpDown_->setWrap(false);
    statusTimeUpDown_->setGeometry(26 + StatusTimeWidth, 122, UpDownWidth, EditHeight);
    statusTimeUpDown_->setBuddy(statusTimeBox_);

    // Two lines: the caption is wider than the room right of the up-down.
    statusTimeLabel_ = new QLabel(QStringLiteral("Status Box Delay Time in seconds"), runGroup_);
    statusTimeLabel_->setObjectName(QStringLiteral("Label2"));
    statusTimeLabel_->setWordWrap(true);
    const int labelWidth = runGroup_->width() - 70 - GroupPadding;
    statusTimeLabel_->setGeometry(70, 119, labelWidth,
                                  statusTimeLabel_->heightForWidth(labelWidth));
    for (QWidget* widget :
         {static_cast<QWidget*>(statusTimeLabel_), static_cast<QWidget*>(statusTimeBox_),
          static_cast<QWidget*>(statusTimeUpDown_)})
        setHint(widget, DelayHint);
}

void OptionsDialog::createConfigGroup() {
    configGroup_ = makeGroup(this, "GroupBox3", QStringLiteral("Config File Save Options"),
                             {146, 278, 185, 65});
    optimizedBox_ =
        makeCheck(configGroup_, "cbxOptimized", QStringLiteral("Optimize Saving (Do not"), {8, 20});
    setHint(optimizedBox_, QStringLiteral("Does not save Default Values"));
    includeAliasesBox_ = makeCheck(configGroup_, "cbxIncludeAliases",
                                   QStringLiteral("Inclued Game and Alias Settings"), {8, 38});
    configChecks_ = {{optimizedBox_, VexaIni::OptimizedSaving, false},
                     {includeAliasesBox_, VexaIni::IncludeAliases, true}};
}

void OptionsDialog::createEngineGroup() {
    engineGroup_ = makeGroup(this, "GroupBox4", QStringLiteral("Game Engine"),
                             {4, EngineGroupTop, 327, EngineGroupHeight});
    engineLabel_ = makeLabel(engineGroup_, "lblEngine", QStringLiteral("Engine"), {8, 21});
    engineBox_ = new QComboBox(engineGroup_);
    engineBox_->setObjectName(QStringLiteral("cboEngine"));
    for (Engine engine : AllEngines)
        engineBox_->addItem(QLatin1String(engineFacts(engine).displayName), engineIniName(engine));
    engineBox_->setGeometry(60, 17, EngineBoxWidth, EditHeight);
    setHint(engineBox_, EngineHint);
    homeDirLabel_ = makeLabel(engineGroup_, "lblHomeDir", QStringLiteral("Home"), {8, 45});
    homeDirBox_ = makeDirectoryEdit(engineGroup_, "txtHomeDir", {});
    setHint(homeDirBox_, HomeHint);
    homeDirButton_ = makeGlyphButton(engineGroup_, "btnHomeDir", {0, 40});
    foundEngineLabel_ = makeLabel(engineGroup_, "lblFoundEngine", QString(), {8, 66});
    layOutHomeRow();
}

// What a first start finds in the Quake 2 directory of the field, and why, under the choice.
void OptionsDialog::showFoundEngine() {
    const EngineDetection found = findEngine(quake2DirBox_->text());
    const QString text =
        QStringLiteral("Found: %1, by %2")
            .arg(QLatin1String(engineFacts(found.choice.engine).displayName), found.reason);
    foundEngineLabel_->setToolTip(text);
    foundEngineLabel_->setText(foundEngineLabel_->fontMetrics().elidedText(
        text, Qt::ElideMiddle, engineGroup_->width() - fontScaled(8 + GroupPadding)));
    foundEngineLabel_->adjustSize();
}

// The home field reaches from its label to the browse button at the group's right edge.
void OptionsDialog::layOutHomeRow() {
    const int right = engineGroup_->width() - fontScaled(GroupPadding);
    homeDirButton_->move(right - homeDirButton_->width(), fontScaled(40));
    const int left = fontScaled(60);
    homeDirBox_->setGeometry(left, fontScaled(41), homeDirButton_->x() - fontScaled(2) - left,
                             fontScaled(EditHeight));
    showFoundEngine();
}

void OptionsDialog::createButtons() {
    okButton_ = makeButton(this, "btnOk", QStringLiteral("OK"), {152, ButtonsTop});
    cancelButton_ = makeButton(this, "btnCancel", QStringLiteral("Cancel"), {246, ButtonsTop});
}

// The places were laid out for a narrower font; at a wider one the longest captions of the
// right-hand groups would be cut. Those groups then grow to the right, and the dialog with them.
void OptionsDialog::widenForCaptions() {
    const std::initializer_list<QGroupBox*> column = {runGroup_, configGroup_};
    int right = 0;
    for (QGroupBox* group : column) {
        int needed = group->width();
        for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            needed = std::max(needed, child->geometry().right() + 1 + fontScaled(GroupPadding));
        right = std::max(right, group->x() + needed);
    }
    for (QGroupBox* group : column)
        group->resize(right - group->x(), group->height());
    engineGroup_->resize(right - engineGroup_->x(), engineGroup_->height());
    layOutHomeRow();
    setFixedSize(std::max(fontScaled(DialogSize.width()), right + fontScaled(RightMargin)),
                 fontScaled(DialogSize.height()));
}

void OptionsDialog::connectHandlers() {
    const struct {
        QAbstractButton* button;
        void (OptionsDialog::*handler)();
    } clicks[] = {
        {quake2DirButton_, &OptionsDialog::pickQuake2Directory},
        {baseDirButton_, &OptionsDialog::pickBaseDirectory},
        {cdDirButton_, &OptionsDialog::pickCdDirectory},
        {homeDirButton_, &OptionsDialog::pickHomeDirectory},
        {okButton_, &OptionsDialog::applyOptions},
        {cancelButton_, &OptionsDialog::cancel},
    };
    for (const auto& c : clicks)
        connect(c.button, &QAbstractButton::clicked, this,
                guarded(prompts_, [this, handler = c.handler] { (this->*handler)(); }));
    // The rules follow every change of state, the user's clicks and loading alike.
    connect(closeOnRunBox_, &QCheckBox::toggled, this, [this] { closeOnRunToggled(); });
    connect(saveFilesOnExitBox_, &QCheckBox::toggled, this, [this] { saveFilesOnExitToggled(); });
    // Only the user's choice proposes the engine's usual home; loading shows what is stored.
    connect(engineBox_, &QComboBox::activated, this, [this] { engineChosen(); });
    connect(quake2DirBox_, &QLineEdit::textChanged, this, [this] { showFoundEngine(); });
}

void OptionsDialog::formCreate() {
    for (const DirectoryBinding& d : directories_)
        d.edit->setText(VexaIni::readString(settings_, d.key, QString()));
    loadChecks(tabChecks_);
    loadChecks(runChecks_);
    statusTimeUpDown_->setPosition(VexaIni::readInteger(settings_, VexaIni::StatusTime, 8));
    loadChecks(configChecks_);
    const EngineChoice choice = storedEngineChoice(settings_);
    engineBox_->setCurrentIndex(engineBox_->findData(engineIniName(choice.engine)));
    homeDirBox_->setText(choice.home);
    enableHome();
    placeBesideMainWindow();
}

void OptionsDialog::loadChecks(const std::vector<CheckBinding>& checks) {
    for (const CheckBinding& c : checks)
        c.box->setChecked(VexaIni::readBool(settings_, c.key, c.defaultValue));
}

void OptionsDialog::saveChecks(const std::vector<CheckBinding>& checks) {
    for (const CheckBinding& c : checks)
        VexaIni::writeBool(settings_, c.key, c.box->isChecked());
}

void OptionsDialog::placeBesideMainWindow() {
    if (mainWindow_)
        move(mainWindow_->frameGeometry().topLeft() + OffsetFromMainWindow);
}

void OptionsDialog::pickQuake2Directory() {
    const PlatformConventions& conventions = PlatformConventions::native();
    Prompts::FileRequest request;
    request.title = LocationTitle;
    request.directory = VexaIni::readString(settings_, VexaIni::Quake2Path, QString());
    request.filter = conventions.gameExecutableFilter();
    if (const auto picked = prompts_.openFile(request))
        quake2DirBox_->setText(conventions.directoryOf(*picked));
}

void OptionsDialog::pickBaseDirectory() {
    pickFolderInto(baseDirBox_);
}

void OptionsDialog::pickCdDirectory() {
    pickFolderInto(cdDirBox_);
}

void OptionsDialog::pickHomeDirectory() {
    const QString start = homeDirBox_->text().isEmpty() ? QDir::homePath() : homeDirBox_->text();
    if (const auto picked = prompts_.browseFolder(HomeCaption, start))
        homeDirBox_->setText(*picked);
}

Engine OptionsDialog::chosenEngine() const {
    return engineFromIniName(engineBox_->currentData().toString()).value_or(Engine::id);
}

void OptionsDialog::engineChosen() {
    homeDirBox_->setText(usualHome(chosenEngine()));
    enableHome();
}

// Id 3.21 has no home of its own: the field stays empty and closed.
void OptionsDialog::enableHome() {
    const bool hasHome = chosenEngine() != Engine::id;
    homeDirBox_->setEnabled(hasHome);
    homeDirButton_->setEnabled(hasHome);
    if (!hasHome)
        homeDirBox_->clear();
}

// The browser starts at the folder the box names, else beside the game, else in the home.
void OptionsDialog::pickFolderInto(QLineEdit* edit) {
    QString start = QDir::homePath();
    for (const QString& candidate : {edit->text(), quake2DirBox_->text()}) {
        if (!candidate.isEmpty() && QDir(candidate).exists()) {
            start = candidate;
            break;
        }
    }
    if (const auto picked = prompts_.browseFolder(FolderCaption, start))
        edit->setText(*picked);
}

void OptionsDialog::closeOnRunToggled() {
    minimizeBox_->setEnabled(!closeOnRunBox_->isChecked());
}

void OptionsDialog::saveFilesOnExitToggled() {
    saveBoxOnExitBox_->setEnabled(!saveFilesOnExitBox_->isChecked());
}

void OptionsDialog::applyOptions() {
    for (const DirectoryBinding& d : directories_)
        VexaIni::write(settings_, d.key, d.edit->text());
    saveChecks(tabChecks_);
    saveChecks(runChecks_);
    VexaIni::writeInteger(settings_, VexaIni::StatusTime, statusTimeUpDown_->position());
    saveChecks(configChecks_);
    writeEngineChoice(settings_, {chosenEngine(), homeDirBox_->text()});
    if (applied_)
        applied_();
    accept();
}

void OptionsDialog::cancel() {
    reject();
}
