#include "EditorWindow.h"

#include "controls/MemoText.h"
#include "platform/Guard.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/VexaIni.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr QPoint designPosition(425, 152);
constexpr QSize designSize(308, 472);
constexpr int memoMargin = 3;

const QString SaveQuestion = QStringLiteral("Do you want to save any changes you may have made?");

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
    fileText_->setPlainText(lines.join(QLatin1Char('\n')));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(memoMargin, memoMargin, memoMargin, memoMargin);
    layout->addWidget(fileText_);

    // Any change counts, whether typed, deleted, cut, pasted or dropped.
    connect(fileText_, &QPlainTextEdit::textChanged, this, [this] { modified_ = true; });
    formCreate();
}

void EditorWindow::formCreate() {
    modified_ = false;
    const IniFile ini(VexaIni::fileName(), VexaIni::Encoding);
    const int x = VexaIni::readInteger(ini, VexaIni::EditX, this->x());
    const int y = VexaIni::readInteger(ini, VexaIni::EditY, this->y());
    const int w = VexaIni::readInteger(ini, VexaIni::EditW, width());
    const int h = VexaIni::readInteger(ini, VexaIni::EditH, height());
    move(x, y);
    resize(w, h);
}

void EditorWindow::goToLine(int line) {
    QTextDocument* text = fileText_->document();
    QTextBlock block = text->findBlockByNumber(line - 1);
    if (!block.isValid())
        block = text->lastBlock();
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
    if (modified_ && prompts_.confirm(SaveQuestion)) {
        // A file that cannot be written keeps the editor open, so the changes are not lost.
        bool saved = false;
        if (!runGuarded(prompts_, [&] { saved = save(); }) || !saved)
            return false;
        runGuarded(prompts_, [this] { reread_(fileName_); });
    }
    runGuarded(prompts_, [this] { storePlacement(); });
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
