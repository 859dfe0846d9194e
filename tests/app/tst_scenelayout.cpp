#include "app/Application.h"
#include "app/Demo.h"
#include "support/Scenes.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>

// Every window a player sees (each tab and Video sub-page, the open lists, the dialogs and the
// editor) at the desktop fonts people use and in a dark palette: no text is wider or taller than
// its place, and no two widgets side by side overlap. VEXA_SCENE_PICTURES names a folder to keep
// the pictures in, one subfolder per font and palette.

namespace {

QString describe(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        text = group->title();
    const QString name = widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName();
    return text.isEmpty() ? name : name + QStringLiteral(" \"") + text + u'"';
}

// Widgets whose children are their own inner parts (a spin's edit, a list's scroll bars), placed
// by the widget itself.
bool placesItsOwnParts(const QWidget* widget) {
    return qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QTabBar*>(widget) || qobject_cast<const QMenuBar*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QSlider*>(widget) ||
           qobject_cast<const QStatusBar*>(widget);
}

QList<QWidget*> shownChildren(const QWidget* container) {
    QList<QWidget*> children;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isVisible() && !child->size().isEmpty())
            children << child;
    return children;
}

// The room the widget's text needs, or an empty size for a widget without text.
QSize textNeeds(const QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        if (label->wordWrap())
            return {0, label->heightForWidth(label->width())};
        return {label->minimumSizeHint().width(), metrics.height()};
    }
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return {widget->sizeHint().width(), metrics.height()};
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        if (button->text().isEmpty())
            return {};
        // The text is drawn inside the button's contents, which leave out its frame.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString text = button->text();
        text.remove(u'&');
        return {metrics.horizontalAdvance(text) + button->width() - contents.width(),
                metrics.height()};
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return {group->minimumSizeHint().width(), 0};
    return {};
}

void checkParts(QWidget* container, QStringList& problems) {
    const QList<QWidget*> children = shownChildren(container);
    for (int i = 0; i < children.size(); ++i) {
        QWidget* child = children[i];
        const QSize needs = textNeeds(child);
        if (needs.isValid() && (child->width() < needs.width() || child->height() < needs.height()))
            problems << QStringLiteral("%1 is %2x%3, its text needs %4x%5")
                            .arg(describe(child))
                            .arg(child->width())
                            .arg(child->height())
                            .arg(needs.width())
                            .arg(needs.height());
        if (!container->rect().contains(child->geometry()))
            problems << describe(child) + QStringLiteral(" reaches out of ") + describe(container);
        for (int j = i + 1; j < children.size(); ++j)
            if (child->geometry().intersects(children[j]->geometry()))
                problems << describe(child) + QStringLiteral(" overlaps ") + describe(children[j]);
        if (!placesItsOwnParts(child))
            checkParts(child, problems);
    }
}

void keepPicture(const QString& folder, const QString& name, const QPixmap& picture) {
    const QString root = qEnvironmentVariable("VEXA_SCENE_PICTURES");
    if (root.isEmpty())
        return;
    QDir(root).mkpath(folder);
    picture.save(QDir(root).filePath(folder + u'/' + name + QStringLiteral(".png")));
}

} // namespace

class TstSceneLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everySceneFitsItsText_data();
    void everySceneFitsItsText();

private:
    QFont oldFont_;
    QPalette oldPalette_;
};

void TstSceneLayout::initTestCase() {
    oldFont_ = QApplication::font();
    oldPalette_ = QApplication::palette();
    applyApplicationLook(*qApp);
}

void TstSceneLayout::cleanupTestCase() {
    QApplication::setFont(oldFont_);
    QApplication::setPalette(oldPalette_);
}

void TstSceneLayout::everySceneFitsItsText_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("dark");
    QTest::newRow("8 pt") << 8 << false;
    QTest::newRow("10 pt") << 10 << false;
    QTest::newRow("12 pt") << 12 << false;
    QTest::newRow("10 pt, dark") << 10 << true;
}

void TstSceneLayout::everySceneFitsItsText() {
    QFETCH(int, points);
    QFETCH(bool, dark);
    useFontSize(points);
    QApplication::setPalette(dark ? darkPalette() : oldPalette_);
    const QString folder = QString::fromLatin1(QTest::currentDataTag()).remove(u' ');
    TestEnvironment env;
    const DemoPaths demo = enterDemo(env.root() + QStringLiteral("/demo"));
    const auto servers = standInServers(demo.programDir);
    SilentPrompts prompts;
    QStringList problems;
    int scenes = 0;
    showScenes(
        demo, prompts,
        [&](QWidget& window, const QString& name, const QPixmap& picture) {
            keepPicture(folder, name, picture);
            ++scenes;
            // The splash covers the frame on purpose.
            if (name == QLatin1String("main_splash"))
                return;
            QStringList found;
            checkParts(&window, found);
            for (const QString& problem : found)
                problems << name + QStringLiteral(": ") + problem;
        },
        0);
    QApplication::setFont(oldFont_);
    QApplication::setPalette(oldPalette_);
    QVERIFY(scenes > 40);
    problems.removeDuplicates();
    // One line each: a long message would be cut.
    for (const QString& problem : problems)
        qWarning("%s", qPrintable(problem));
    QVERIFY2(problems.isEmpty(),
             qPrintable(QString::number(problems.size()) +
                        QStringLiteral(" problems, the first: ") + problems.value(0)));
}

VEXA_TEST(TstSceneLayout)
#include "tst_scenelayout.moc"
