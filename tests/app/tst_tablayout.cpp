#include "app/Application.h"
#include "app/Demo.h"
#include "app/MainWindow.h"
#include "controls/BindingEdit.h"
#include "controls/KeyCaptureEdit.h"
#include "controls/MultiKeyDialog.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "profiles/BindingDialog.h"
#include "profiles/ProfileFile.h"
#include "settings/Catalogue.h"
#include "support/Scenes.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>
#include <limits>
#include <memory>

// Every tab and Video sub-page of the main window, at the program's own compact font, must show
// all of its widgets whole: nothing cut, squeezed, overlapping or outside the page.

namespace {

const char* const PageNames[] = {
    "tabGeneral", "tabMovement", "tabWeaponsInv", "tabCommunications", "tabVideo", "tabBoth",
    "TabSheet1", "TabSheet2", "tabSound", "TabMenus", "tabClient", "tabServer", "tabAlias",
    // The engines' own tabs, one page per group.
    "tabYamagiDisplay", "tabYamagiPicture", "tabYamagiHUD", "tabYamagiSound", "tabYamagiDownloads",
    "tabYamagiMouse", "tabYamagiController", "tabYamagiGyro", "tabQ2proDisplay", "tabQ2proPicture",
    "tabQ2proEffects", "tabQ2proHUD", "tabQ2proSound", "tabQ2proDownloads", "tabQ2proMouse"};

QString describe(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    return text.isEmpty() ? name : name + QStringLiteral(" \"") + text + QLatin1Char('"');
}

QString describe(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Widgets that only hold others: their children are parts of the page too.
bool holdsParts(const QWidget* widget) {
    const QMetaObject* type = widget->metaObject();
    return qobject_cast<const QGroupBox*>(widget) || type == &QWidget::staticMetaObject ||
           type == &QFrame::staticMetaObject || qobject_cast<const QTabWidget*>(widget);
}

// The visible widgets directly on `container`; for a tab widget, its current page.
QList<QWidget*> visibleChildren(QWidget* container) {
    if (auto* tabs = qobject_cast<QTabWidget*>(container))
        return {tabs->currentWidget()};
    QList<QWidget*> children;
    for (QObject* object : container->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget && !widget->isWindow() && widget->isVisible())
            children << widget;
    }
    return children;
}

// Everything a person sees on the page, down through group boxes, panels and sub-pages, but not
// the inner parts of compound widgets (a spin box's edit, a list's scroll bars).
QList<QWidget*> partsOf(QWidget* container) {
    QList<QWidget*> parts;
    for (QWidget* child : visibleChildren(container)) {
        if (!qobject_cast<QTabWidget*>(container))
            parts << child;
        if (holdsParts(child))
            parts << partsOf(child);
    }
    return parts;
}

// The containers among the parts, with the page itself.
QList<QWidget*> containersOf(QWidget* page) {
    QList<QWidget*> containers{page};
    for (QWidget* part : partsOf(page))
        if (holdsParts(part) && !qobject_cast<QTabWidget*>(part))
            containers << part;
    return containers;
}

// Brings `page` to the front, through every tab widget above it, and lets the layouts settle.
void showPage(QWidget* page) {
    for (QWidget* w = page; w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr) {
            // Another engine's tab is hidden until that engine is chosen.
            tabs->setTabVisible(tabs->indexOf(w), true);
            tabs->setCurrentWidget(w);
        }
    }
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

// Whether a line edit shows `text` whole with the cursor after it: a text longer than the
// contents less the inner margins is scrolled left, and more than the first glyph's own blank
// edge is then lost.
bool showsWhole(const QLineEdit& edit, const QString& text) {
    constexpr int innerMargin = 2; // each side, as the line edit keeps it
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit) -
        edit.textMargins();
    const QFontMetrics metrics = edit.fontMetrics();
    const int room = contents.width() - 2 * innerMargin;
    const int scrolled = metrics.horizontalAdvance(text) + 1 - room;
    return scrolled <= 0 || (!text.isEmpty() && scrolled <= metrics.leftBearing(text.front()));
}

// The long key names a player binds.
QStringList longKeyNames() {
    return {QStringLiteral("KP_DOWNARROW"), QStringLiteral("KP_RIGHTARROW"),
            QStringLiteral("KP_LEFTARROW"), QStringLiteral("KP_UPARROW"),
            QStringLiteral("KP_PGDN"),      QStringLiteral("MWHEELDOWN"),
            QStringLiteral("MWHEELUP"),     QStringLiteral("RIGHTARROW"),
            QStringLiteral("DOWNARROW"),    QStringLiteral("BACKSPACE"),
            QStringLiteral("CAPSLOCK"),     QStringLiteral("PGDN")};
}

void noteIfCut(const QLineEdit& edit, const QString& text, QStringList& narrow) {
    if (!showsWhole(edit, text))
        narrow << QStringLiteral("%1 (%2 wide) cannot show \"%3\"")
                      .arg(describe(&edit))
                      .arg(edit.width())
                      .arg(text);
}

QString commandOf(const QWidget* widget) {
    if (const auto* box = qobject_cast<const SettingCheckBox*>(widget))
        return box->supCommand();
    if (const auto* spin = qobject_cast<const SettingSpinBox*>(widget))
        return spin->supCommand();
    if (const auto* bind = qobject_cast<const BindingEdit*>(widget))
        return bind->supCommand();
    return QString();
}

// Depth first, children in creation order, the pages of a stacked widget in page order.
void collectCommands(QWidget* widget, QStringList& commands) {
    const QString command = commandOf(widget);
    if (!command.isEmpty())
        commands << command;
    QList<QWidget*> children;
    if (auto* stack = qobject_cast<QStackedWidget*>(widget)) {
        for (int i = 0; i < stack->count(); ++i)
            children << stack->widget(i);
    }
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !children.contains(child))
            children << child;
    }
    for (QWidget* child : children)
        collectCommands(child, commands);
}

// A label, button or field never gets less room than its text and frame need. A size fixed on
// purpose (a binding's width, a check box's compact row) still leaves a whole line of text.
QStringList cutParts(QWidget* page) {
    QStringList cut;
    for (QWidget* part : partsOf(page)) {
        const auto* label = qobject_cast<QLabel*>(part);
        if (label && !label->pixmap().isNull())
            continue; // pictures are scaled to their frame
        if (qobject_cast<QTabWidget*>(part))
            continue; // judged by its pages, which are parts too
        QSize needed = part->minimumSizeHint();
        if (label)
            needed = needed.expandedTo(label->sizeHint());
        if (!needed.isValid())
            continue;
        const int line = part->fontMetrics().height() + 2;
        if (!label && part->minimumWidth() == part->maximumWidth())
            needed.setWidth(0); // fixed widths are checked against their text below
        if (!label && part->minimumHeight() == part->maximumHeight())
            needed.setHeight(line);
        if (part->width() < needed.width() || part->height() < needed.height())
            cut << QStringLiteral("%1 is %2x%3, needs %4x%5")
                       .arg(describe(part))
                       .arg(part->width())
                       .arg(part->height())
                       .arg(needed.width())
                       .arg(needed.height());
    }
    return cut;
}

QStringList overlappingParts(QWidget* page) {
    QStringList overlaps;
    for (QWidget* container : containersOf(page)) {
        const QList<QWidget*> children = visibleChildren(container);
        for (int i = 0; i < children.size(); ++i)
            for (int j = i + 1; j < children.size(); ++j)
                if (children[i]->geometry().intersects(children[j]->geometry()))
                    overlaps << describe(children[i]) + describe(children[i]->geometry()) +
                                    QStringLiteral(" and ") + describe(children[j]) +
                                    describe(children[j]->geometry());
    }
    return overlaps;
}

// A text wider or taller than its place, on a window laid out by hand too: a label or a check
// box needs its text's width and one line; a button its text inside its frame; a wrapping label
// its lines; a group box its title.
QSize textNeeds(const QWidget* part) {
    const int line = part->fontMetrics().height();
    if (const auto* label = qobject_cast<const QLabel*>(part)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        if (label->wordWrap())
            return {0, label->heightForWidth(label->width())};
        return {label->minimumSizeHint().width(), line};
    }
    if (qobject_cast<const QCheckBox*>(part) || qobject_cast<const QRadioButton*>(part))
        return {part->sizeHint().width(), line};
    if (const auto* button = qobject_cast<const QPushButton*>(part)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString text = QString(button->text()).remove(u'&');
        return {part->fontMetrics().horizontalAdvance(text) + button->width() - contents.width(),
                text.isEmpty() ? 0 : line};
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(part))
        return {group->minimumSizeHint().width(), 0};
    return {};
}

QStringList textCutParts(QWidget* window) {
    QStringList cut;
    for (QWidget* part : partsOf(window)) {
        const QSize needs = textNeeds(part);
        if (needs.isValid() && (part->width() < needs.width() || part->height() < needs.height()))
            cut << QStringLiteral("%1 is %2x%3, its text needs %4x%5")
                       .arg(describe(part))
                       .arg(part->width())
                       .arg(part->height())
                       .arg(needs.width())
                       .arg(needs.height());
    }
    return cut;
}

} // namespace

class TstTabLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void textIsNeverCut_data() { addPages(); }
    void textIsNeverCut();
    void partsStayInsideThePage_data() { addPages(); }
    void partsStayInsideThePage();
    void neighboursDoNotOverlap_data() { addPages(); }
    void neighboursDoNotOverlap();
    void longValuesKeepTheLayout_data() { addPages(); }
    void longValuesKeepTheLayout();
    void editsShowTheirWholeText_data() { addPages(); }
    void editsShowTheirWholeText();
    void keyBoxesShowLongKeyNames_data() { addPages(); }
    void keyBoxesShowLongKeyNames();
    void dialogKeyBoxesShowLongKeyNames();
    void settingControlsKeepCatalogueOrder();
    void everySceneFitsAtEachFont_data();
    void everySceneFitsAtEachFont();

private:
    static void addPages();
    QWidget* currentPage();

    QFont oldFont_;
    QString oldStyle_;
    std::unique_ptr<TestEnvironment> env_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<MainWindow> window_;
};

void TstTabLayout::initTestCase() {
    oldFont_ = QApplication::font();
    oldStyle_ = QApplication::style()->name();
    applyApplicationLook(*qApp);
    env_ = std::make_unique<TestEnvironment>();
    env_->seedKnownDirectories();
    prompts_ = std::make_unique<ScriptedPrompts>();
    window_ = std::make_unique<MainWindow>(*prompts_);
    QVERIFY2(prompts_->done(), qPrintable(prompts_->report()));
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TstTabLayout::cleanupTestCase() {
    window_.reset();
    prompts_.reset();
    env_.reset();
    QApplication::setStyle(oldStyle_);
    QApplication::setFont(oldFont_);
}

void TstTabLayout::addPages() {
    QTest::addColumn<QString>("page");
    for (const char* name : PageNames)
        QTest::newRow(name) << QString::fromLatin1(name);
}

QWidget* TstTabLayout::currentPage() {
    QFETCH(QString, page);
    auto* widget = window_->findChild<QWidget*>(page);
    if (widget)
        showPage(widget);
    return widget;
}

void TstTabLayout::textIsNeverCut() {
    QWidget* page = currentPage();
    QVERIFY(page);
    const QStringList cut = cutParts(page);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void TstTabLayout::partsStayInsideThePage() {
    QWidget* page = currentPage();
    QVERIFY(page);
    QStringList outside;
    for (QWidget* part : partsOf(page)) {
        const QRect onPage(part->mapTo(page, QPoint(0, 0)), part->size());
        if (!page->rect().contains(onPage))
            outside << describe(part) + QStringLiteral(" at ") + describe(onPage) +
                           QStringLiteral(" leaves the page ") + describe(page->rect());
        else if (!part->parentWidget()->rect().contains(part->geometry()))
            outside << describe(part) + QStringLiteral(" at ") + describe(part->geometry()) +
                           QStringLiteral(" leaves ") + describe(part->parentWidget());
    }
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral("; "))));
}

void TstTabLayout::neighboursDoNotOverlap() {
    QWidget* page = currentPage();
    QVERIFY(page);
    const QStringList overlaps = overlappingParts(page);
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(QStringLiteral("; "))));
}

// Long values widen their spins as far as the rows have room, never over a neighbour (the text
// scrolls inside a spin short of room), also once File > New has brought the defaults back.
void TstTabLayout::longValuesKeepTheLayout() {
    QWidget* page = currentPage();
    QVERIFY(page);
    for (const int value : {100000, std::numeric_limits<int>::min()}) {
        for (SettingSpinBox* spin : page->findChildren<SettingSpinBox*>())
            spin->setSupValue(value);
        showPage(page);
        const QStringList problems = cutParts(page) + overlappingParts(page);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    }
    window_->newAction()->trigger();
    showPage(page);
    const QStringList problems = cutParts(page) + overlappingParts(page);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

// A key name or a typed text shows whole; a masked number shows all of its places ("0.000"),
// not just the blanks it starts with.
void TstTabLayout::editsShowTheirWholeText() {
    QWidget* page = currentPage();
    QVERIFY(page);
    QStringList narrow;
    for (QWidget* part : partsOf(page)) {
        const auto* edit = qobject_cast<QLineEdit*>(part);
        if (!edit)
            continue;
        QString full = edit->displayText();
        if (!edit->inputMask().isEmpty())
            full.replace(QLatin1Char(' '), QLatin1Char('0'));
        noteIfCut(*edit, full, narrow);
    }
    QVERIFY2(narrow.isEmpty(), qPrintable(narrow.join(QStringLiteral("; "))));
}

// A box that shows a key name, a binding's or a message's, holds its default and the longest
// names a player binds whole, whatever it shows now.
void TstTabLayout::keyBoxesShowLongKeyNames() {
    QWidget* page = currentPage();
    QVERIFY(page);
    QStringList narrow;
    for (QWidget* part : partsOf(page)) {
        auto* edit = qobject_cast<QLineEdit*>(part);
        const auto* binding = qobject_cast<BindingEdit*>(part);
        if (!binding && !(edit && edit->objectName().endsWith(QLatin1String("Key"))))
            continue;
        QStringList names = longKeyNames();
        if (binding)
            names << binding->supDefault();
        for (const QString& name : names)
            noteIfCut(*edit, name, narrow);
    }
    QVERIFY2(narrow.isEmpty(), qPrintable(narrow.join(QStringLiteral("; "))));
}

// The key boxes of the multi-key dialog and of a profile's Bind dialog.
void TstTabLayout::dialogKeyBoxesShowLongKeyNames() {
    MultiKeyDialog multiKey(window_.get(), QStringLiteral("+attack"), QStringLiteral("CTRL"), {});
    EntryEditTarget target;
    target.profileDirectory = QDir::currentPath();
    target.profileName = QStringLiteral("Global Aliases");
    target.profileFile = ProfileFile::globalProfilePath(target.profileDirectory);
    BindingDialog binding(window_.get(), *prompts_, target, {});
    QStringList narrow;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&multiKey, &binding}) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        for (const QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            if (qobject_cast<const KeyCaptureEdit*>(edit) ||
                edit->objectName() == QLatin1String("txtBindKey"))
                for (const QString& name : longKeyNames())
                    noteIfCut(*edit, name, narrow);
        dialog->hide();
    }
    QVERIFY2(narrow.isEmpty(), qPrintable(narrow.join(QStringLiteral("; "))));
}

// The config is written in widget order, so laying the tabs out must not reorder the settings.
void TstTabLayout::settingControlsKeepCatalogueOrder() {
    QStringList expected;
    for (const CatalogueRow& row : catalogue())
        expected << QString::fromUtf8(row.command);
    QStringList found;
    collectCommands(window_.get(), found);
    // The engines' own pages follow the catalogue's.
    QCOMPARE(found.mid(0, expected.size()), expected);
}

// Every window a player sees (each tab and Video sub-page, the open lists, the dialogs and the
// editor) at the desktop fonts people use and in a dark palette. VEXA_SCENE_PICTURES names a
// folder to keep the pictures in, one subfolder per font and palette.
void TstTabLayout::everySceneFitsAtEachFont_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("dark");
    QTest::newRow("8 pt") << 8 << false;
    QTest::newRow("10 pt") << 10 << false;
    QTest::newRow("12 pt") << 12 << false;
    QTest::newRow("10 pt, dark") << 10 << true;
}

void TstTabLayout::everySceneFitsAtEachFont() {
    QFETCH(int, points);
    QFETCH(bool, dark);
    window_.reset(); // the scenes make their own
    const QPalette oldPalette = QApplication::palette();
    useFontSize(points);
    if (dark)
        QApplication::setPalette(darkPalette());
    const QString pictures = qEnvironmentVariable("VEXA_SCENE_PICTURES") + u'/' +
                             QString::fromLatin1(QTest::currentDataTag()).remove(u' ');
    TestEnvironment env;
    const DemoPaths demo = enterDemo(env.root() + QStringLiteral("/demo"));
    const auto servers = standInServers(demo.programDir);
    SilentPrompts prompts;
    QStringList problems;
    const auto check = [&](QWidget& window, const QString& name, const QPixmap& picture) {
        if (!qEnvironmentVariableIsEmpty("VEXA_SCENE_PICTURES") && QDir().mkpath(pictures))
            picture.save(pictures + u'/' + name + QStringLiteral(".png"));
        if (name == QLatin1String("main_splash"))
            return; // the splash covers the frame on purpose
        for (const QString& problem : textCutParts(&window) + overlappingParts(&window))
            problems << name + QStringLiteral(": ") + problem;
    };
    showScenes(demo, prompts, check, 0);
    QApplication::setFont(oldFont_);
    QApplication::setPalette(oldPalette);
    problems.removeDuplicates();
    for (const QString& problem : problems) // one line each: a long message would be cut
        qWarning("%s", qPrintable(problem));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0)));
}

VEXA_TEST(TstTabLayout)
#include "tst_tablayout.moc"
