#include "ListFileEditor.h"

#include "controls/MemoText.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("btnsOkCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid_->addWidget(buttons, 2, 0, 1, 2);

    if (layout.resizable) {
        resize(layout.size);
    } else {
        setFixedSize(layout.size +
                     QSize(0, grid_->verticalSpacing() + buttons->sizeHint().height()));
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
    memo_->document()->setModified(false);
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

// OK saves; Cancel and Esc leave the file as it was.
void ListFileEditor::done(int result) {
    // Text the list cannot hold (the message names it), or a failed save, keeps the editor open
    // with the list, to mend or to cancel.
    if (result == Accepted && !runGuarded(prompts_, [this] {
            if (loaded_)
                TextCodec::requireEncodable(memoText(*memo_), TextEncoding::Latin1);
            formClose();
        }))
        return;
    QDialog::done(result);
}

// The close box asks before it throws away what was typed.
void ListFileEditor::closeEvent(QCloseEvent* event) {
    const bool typed = loaded_ && memo_->document()->isModified();
    if (typed && prompts_.confirm(QStringLiteral("Do you want to save the changes to %1?")
                                      .arg(QFileInfo(filePath_).fileName()))) {
        accept();
        if (isVisible()) { // the list was refused: it stays to be mended
            event->ignore();
            return;
        }
    } else {
        reject();
    }
    event->accept();
}
