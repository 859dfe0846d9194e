#include "WidgetInventory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextStream>
#include <QToolButton>

#include <functional>

namespace {

struct Kind {
    const char* name;
    bool container; // its children are counted too
    std::function<QWidget*(QWidget*)> make;
};

template <typename W> QWidget* plain(QWidget* parent) {
    return new W(parent);
}
QWidget* editableCombo(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true); // a line edit of its own
    box->setCompleter(nullptr); // as the window's boxes, which keep what is typed
    return box;
}
template <typename W> QWidget* withText(QWidget* parent) {
    auto* widget = new W(parent);
    widget->setText(QStringLiteral("Setting"));
    return widget;
}

// Most derived first where one kind derives from another.
const Kind Kinds[] = {
    {"QCheckBox", false, withText<QCheckBox>},
    {"QRadioButton", false, withText<QRadioButton>},
    {"QPushButton", false, withText<QPushButton>},
    {"QToolButton", false, plain<QToolButton>},
    {"QLineEdit", false, plain<QLineEdit>},
    {"QSpinBox", false, plain<QSpinBox>},
    {"EditableComboBox", false, editableCombo},
    {"QComboBox", false, plain<QComboBox>},
    {"QSlider", false, plain<QSlider>},
    {"QListWidget", false, plain<QListWidget>},
    {"QLabel", false, withText<QLabel>},
    {"QStatusBar", false, plain<QStatusBar>},
    {"QTabWidget", false, plain<QTabWidget>},
    {"QGroupBox", true, [](QWidget* p) { return new QGroupBox(QStringLiteral("Group"), p); }},
    {"QFrame", true, plain<QFrame>},
    {"QWidget", true, plain<QWidget>},
};

const Kind* kindNamed(const QString& name);

const Kind& kindOf(const QWidget& widget) {
    if (const auto* box = qobject_cast<const QComboBox*>(&widget); box && box->isEditable())
        return *kindNamed(QStringLiteral("EditableComboBox"));
    for (const QMetaObject* meta = widget.metaObject(); meta; meta = meta->superClass()) {
        for (const Kind& kind : Kinds) {
            if (qstrcmp(meta->className(), kind.name) == 0)
                return kind;
        }
    }
    return Kinds[std::size(Kinds) - 1];
}

const Kind* kindNamed(const QString& name) {
    for (const Kind& kind : Kinds) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

// ---- Describing ----

void collect(const QWidget& parent, QMap<QString, int>& counts, QList<const QTabWidget*>& tabs) {
    for (const QObject* object : parent.children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        const Kind& kind = kindOf(*child);
        ++counts[QLatin1String(kind.name)];
        if (const auto* tabWidget = qobject_cast<const QTabWidget*>(child))
            tabs << tabWidget;
        else if (kind.container)
            collect(*child, counts, tabs);
    }
}

void describeContainer(const QWidget& container, QTextStream& out) {
    QMap<QString, int> counts;
    QList<const QTabWidget*> tabs;
    collect(container, counts, tabs);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.key() != QLatin1String("QTabWidget"))
            out << "kind " << it.key() << ' ' << it.value() << '\n';
    }
    for (const QTabWidget* tabWidget : tabs) {
        out << "tabs\n";
        for (int i = 0; i < tabWidget->count(); ++i) {
            out << "page\n";
            describeContainer(*tabWidget->widget(i), out);
            out << "end\n";
        }
        out << "end\n";
    }
}

// ---- Building ----

class Reader {
public:
    explicit Reader(const QString& text) : lines_(text.split(u'\n', Qt::SkipEmptyParts)) {}

    // Fills `container` up to its "end" (or the end of the text); false on a line it cannot read.
    bool fill(QWidget* container) {
        auto* grid = new QGridLayout(container);
        int placed = 0;
        auto add = [&](QWidget* widget) {
            grid->addWidget(widget, placed / Columns, placed % Columns);
            ++placed;
        };
        while (next_ < lines_.size()) {
            const QStringList words = lines_[next_++].split(u' ');
            if (words[0] == QLatin1String("end"))
                return true;
            if (words[0] == QLatin1String("tabs")) {
                auto* tabWidget = new QTabWidget(container);
                add(tabWidget);
                if (!fillTabs(tabWidget))
                    return false;
                continue;
            }
            const Kind* kind = words.size() == 3 ? kindNamed(words[1]) : nullptr;
            bool number = false;
            const int count = words.value(2).toInt(&number);
            if (words[0] != QLatin1String("kind") || !kind || !number)
                return false;
            for (int i = 0; i < count; ++i)
                add(kind->make(container));
        }
        return true;
    }

    bool fillTabs(QTabWidget* tabWidget) {
        while (next_ < lines_.size()) {
            const QString line = lines_[next_++];
            if (line == QLatin1String("end"))
                return true;
            if (line != QLatin1String("page"))
                return false;
            auto* page = new QWidget;
            tabWidget->addTab(page, QStringLiteral("Page %1").arg(tabWidget->count() + 1));
            if (!fill(page))
                return false;
        }
        return false;
    }

    // "size W H" and "menu N" lines at the start.
    bool header(QMainWindow& window) {
        while (next_ < lines_.size()) {
            const QStringList words = lines_[next_].split(u' ');
            if (words.size() == 3 && words[0] == QLatin1String("size")) {
                window.setFixedSize(words[1].toInt(), words[2].toInt());
            } else if (words.size() == 2 && words[0] == QLatin1String("menu")) {
                QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Menu"));
                for (int i = 0; i < words[1].toInt(); ++i)
                    menu->addAction(QStringLiteral("Item"));
            } else {
                return true;
            }
            ++next_;
        }
        return true;
    }

private:
    static constexpr int Columns = 4;
    QStringList lines_;
    qsizetype next_ = 0;
};

} // namespace

QString describeWindow(const QMainWindow& window) {
    QString text;
    QTextStream out(&text);
    out << "size " << window.width() << ' ' << window.height() << '\n';
    for (const QAction* action : window.menuBar()->actions()) {
        if (action->menu())
            out << "menu " << action->menu()->actions().size() << '\n';
    }
    if (window.centralWidget())
        describeContainer(*window.centralWidget(), out);
    return text;
}

std::unique_ptr<QMainWindow> buildWindow(const QString& description) {
    auto window = std::make_unique<QMainWindow>();
    Reader reader(description);
    auto* client = new QWidget;
    window->setCentralWidget(client);
    if (!reader.header(*window) || !reader.fill(client))
        return nullptr;
    return window;
}
