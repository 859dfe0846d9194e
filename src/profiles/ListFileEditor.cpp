#include "ListFileEditor.h"

#include "controls/MemoText.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

ListFileEditor::ListFileEditor(const Layout& layout, const QString& programDir, Prompts& prompts,
                               std::function<void()> reloadBoxes, QWidget* parent)
    : QDialog(parent), memo_(new QPlainTextEdit(this)),
      filePath_(PlatformConventions::native().join(programDir, layout.fileName)),
      initialLines_(layout.initialLines), prompts_(prompts), reloadBoxes_(std::move(reloadBoxes)) {
    setObjectName(QLatin1String(layout.objectName));
    setWindowTitle(layout.caption);
    memo_->setObjectName(QLatin1String(layout.memoName));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(4, 4, 4, 4);
    box->addWidget(memo_);

    if (layout.resizable) {
        resize(layout.size);
    } else {
        setFixedSize(layout.size);
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
}

void ListFileEditor::FormActivate() {
    loaded_ = false;
    const QStringList lines =
        QFileInfo::exists(filePath_) ? TextFile::readLines(filePath_) : initialLines_;
    memo_->setPlainText(lines.join(QLatin1Char('\n')));
    loaded_ = true;
}

void ListFileEditor::FormClose() {
    if (!loaded_)
        return;
    TextFile::writeLines(filePath_, TextFile::splitLines(memoText(*memo_)),
                         PlatformConventions::native().lineEnding());
    if (reloadBoxes_)
        reloadBoxes_();
}

void ListFileEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded(prompts_, [this] { FormActivate(); });
}

void ListFileEditor::done(int result) {
    runGuarded(prompts_, [this] { FormClose(); });
    QDialog::done(result);
}
