#include "ListFileEditor.h"

#include "controls/MemoText.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <utility>

ListFileEditor::ListFileEditor(const Layout& layout, const QString& programDir, Prompts& prompts,
                               std::function<void()> reloadBoxes, QWidget* parent)
    : QDialog(parent), memo_(new QPlainTextEdit(this)), grid_(new QGridLayout(this)),
      resizable_(layout.resizable),
      filePath_(PlatformConventions::native().join(programDir, layout.fileName)),
      initialLines_(layout.initialLines), prompts_(prompts), reloadBoxes_(std::move(reloadBoxes)) {
    setObjectName(QLatin1String(layout.objectName));
    setWindowTitle(layout.caption);
    memo_->setObjectName(QLatin1String(layout.memoName));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);

    grid_->setContentsMargins(4, 4, 4, 4);
    grid_->addWidget(memo_, 0, 0);

    if (layout.resizable) {
        resize(layout.size);
    } else {
        setFixedSize(layout.size);
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
}

void ListFileEditor::addBesideMemo(QWidget* side, QWidget* below) {
    grid_->addWidget(side, 0, 1);
    grid_->addWidget(below, 1, 0, 1, 2, Qt::AlignRight);
    if (resizable_)
        return;
    const QSize grown = size() + QSize(grid_->horizontalSpacing() + side->sizeHint().width(),
                                       grid_->verticalSpacing() + below->sizeHint().height());
    setFixedSize(grown);
}

void ListFileEditor::formActivate() {
    loaded_ = false;
    const QStringList lines =
        QFileInfo::exists(filePath_) ? TextFile::readLines(filePath_) : initialLines_;
    memo_->setPlainText(lines.join(QLatin1Char('\n')));
    loaded_ = true;
}

void ListFileEditor::formClose() {
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
        runGuarded(prompts_, [this] { formActivate(); });
}

void ListFileEditor::done(int result) {
    // Text the list cannot hold keeps the dialog open with it; the message names it.
    if (loaded_ && !runGuarded(prompts_, [this] {
            TextCodec::requireEncodable(memoText(*memo_), TextEncoding::Latin1);
        }))
        return;
    runGuarded(prompts_, [this] { formClose(); });
    QDialog::done(result);
}
