#include "EditorWindow.h"

#include "controls/MemoText.h"
#include "platform/Guard.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/VexaIni.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QPoint designPosition(425, 152);
constexpr QSize designSize(308, 472);
constexpr int memoMargin = 3;

const QString SaveQuestion = QStringLiteral("Do you want to save any changes you may have made?");

// A line is laid out whole, so a line of a megabyte would freeze the editor. Longer lines are
// shown in pieces of this length, each piece after the first a block marked as continuing the
// line before it, and the file is shown read only: an edit at the place where two pieces meet
// could not tell the pieces of a line from two lines.
constexpr qsizetype LongestShownLine = 4096;
constexpr int ContinuesLine = 1;
const QString LongLinesNotice =
    QStringLiteral("Lines longer than %1 characters are shown in pieces: the file is read only "
                   "here.");

// The memo's text for `lines`, and which of its blocks continue the line before them.
struct ShownLines {
    QString text;
    QList<int> continuations;
};

ShownLines shownLines(const QStringList& lines) {
    ShownLines shown;
    int block = 0;
    for (const QString& line : lines) {
        qsizetype from = 0;
        do {
            qsizetype length = std::min(LongestShownLine, line.size() - from);
            // A piece never ends between the two halves of a character.
            if (from + length < line.size() && line[from + length - 1].isHighSurrogate())
                --length;
            if (from > 0)
                shown.continuations << block;
            if (block > 0)
                shown.text += QLatin1Char('\n');
            shown.text += QStringView(line).sliced(from, length);
            from += length;
            ++block;
        } while (from < line.size());
    }
    return shown;
}

// The window's place from vexa.ini, kept on the screen it names (the primary one when none):
// no larger than that screen, and wholly on it.
QRect onScreen(QRect placed, const QSize& smallest) {
    const QScreen* screen = QGuiApplication::screenAt(placed.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return placed;
    const QRect area = screen->availableGeometry();
    placed.setSize(placed.size().expandedTo(smallest).boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1));
    return placed;
}

} // namespace

EditorWindow::EditorWindow(QWidget* owner, Prompts& prompts, const QString& fileName,
                           const QString& lineEnding, Reread reread, TextEncoding encoding)
    : QWidget(owner, Qt::Window), prompts_(prompts), fileName_(fileName), lineEnding_(lineEnding),
      reread_(std::move(reread)), encoding_(encoding) {
    const QStringList lines = TextFile::readLines(fileName_, encoding_, &version_);
    setObjectName(QStringLiteral("frmEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    move(designPosition);
    resize(designSize);

    fileText_ = new QPlainTextEdit(this);
    fileText_->setObjectName(QStringLiteral("mmoFile"));
    fileText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fileText_->setLineWrapMode(
        QPlainTextEdit::WidgetWidth); // on screen only; the file keeps its lines
    const ShownLines shown = shownLines(lines);
    fileText_->setPlainText(shown.text);
    for (const int block : shown.continuations)
        fileText_->document()->findBlockByNumber(block).setUserState(ContinuesLine);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(memoMargin, memoMargin, memoMargin, memoMargin);
    if (!shown.continuations.isEmpty()) {
        fileText_->setReadOnly(true);
        auto* notice = new QLabel(LongLinesNotice.arg(LongestShownLine), this);
        notice->setObjectName(QStringLiteral("lblLongLines"));
        notice->setWordWrap(true);
        layout->addWidget(notice);
    }
    layout->addWidget(fileText_);

    // Any change counts, whether typed, deleted, cut, pasted or dropped.
    connect(fileText_, &QPlainTextEdit::textChanged, this, [this] { modified_ = true; });
    // Ctrl+S saves and stays.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            [this] { saveAndReread(); });
    formCreate();
}

void EditorWindow::formCreate() {
    modified_ = false;
    const IniFile ini(VexaIni::fileName(), VexaIni::Encoding);
    const int x = VexaIni::readInteger(ini, VexaIni::EditX, this->x());
    const int y = VexaIni::readInteger(ini, VexaIni::EditY, this->y());
    const int w = VexaIni::readInteger(ini, VexaIni::EditW, width());
    const int h = VexaIni::readInteger(ini, VexaIni::EditH, height());
    const QRect placed = onScreen(QRect(x, y, w, h), minimumSizeHint());
    move(placed.topLeft());
    resize(placed.size());
}

void EditorWindow::goToLine(int line) {
    // The file's lines, not the blocks: a long line is shown in several.
    QTextBlock block = fileText_->document()->firstBlock();
    for (int at = 1; at < line && block.next().isValid();) {
        block = block.next();
        if (block.userState() != ContinuesLine)
            ++at;
    }
    fileText_->setTextCursor(QTextCursor(block));
    fileText_->centerCursor();
    fileText_->setFocus();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (formClose())
        event->accept();
    else
        event->ignore();
}

bool EditorWindow::formClose() {
    if (modified_) {
        enum { Yes, No, Cancel };
        switch (prompts_.choose(SaveQuestion, {QStringLiteral("Yes"), QStringLiteral("No"),
                                               QStringLiteral("Cancel")})) {
        case Yes:
            // A file that cannot be written keeps the editor open, so the changes are not lost.
            if (!saveAndReread())
                return false;
            break;
        case No:
            break;
        default:
            return false; // back to the text
        }
    }
    runGuarded(prompts_, [this] { storePlacement(); });
    return true;
}

bool EditorWindow::saveAndReread() {
    bool saved = false;
    if (!runGuarded(prompts_, [&] { saved = save(); }) || !saved)
        return false;
    runGuarded(prompts_, [this] { reread_(fileName_); });
    return true;
}

bool EditorWindow::save() {
    switch (askBeforeSavingOver(prompts_, version_, fileName_)) {
    case SaveOverChange::Reload:
        reload();
        return false;
    case SaveOverChange::Cancel:
        return false;
    case SaveOverChange::Overwrite:
        break;
    }
    version_ = TextFile::writeLines(fileName_, TextFile::splitLines(memoText(*fileText_)),
                                    lineEnding_, encoding_);
    modified_ = false;
    return true;
}

void EditorWindow::reload() {
    fileText_->setPlainText(
        TextFile::readLines(fileName_, encoding_, &version_).join(QLatin1Char('\n')));
    modified_ = false;
}

void EditorWindow::storePlacement() {
    IniFile ini(VexaIni::fileName(), VexaIni::Encoding);
    VexaIni::writeInteger(ini, VexaIni::EditX, x());
    VexaIni::writeInteger(ini, VexaIni::EditY, y());
    VexaIni::writeInteger(ini, VexaIni::EditW, width());
    VexaIni::writeInteger(ini, VexaIni::EditH, height());
}

bool EditorWindow::closeAll(QWidget* owner) {
    bool allClosed = true;
    for (EditorWindow* editor : owner->findChildren<EditorWindow*>(Qt::FindDirectChildrenOnly))
        if (editor->isVisible())
            allClosed = editor->close() && allClosed;
    return allClosed;
}
