#include "QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString title() {
    return QApplication::applicationName();
}

std::optional<QString> chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
} // namespace

QWidget* QtPrompts::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return parent_.data();
}

bool QtPrompts::confirm(const QString& text) {
    return QMessageBox::question(dialogParent(), title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPrompts::notice(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

void QtPrompts::error(const QString& text) {
    QMessageBox::critical(dialogParent(), title(), text);
}

int QtPrompts::choose(const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    box.setEscapeButton(buttons.isEmpty() ? nullptr : buttons.back());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return int(chosen < 0 ? answers.size() - 1 : chosen);
}

std::optional<QString> QtPrompts::openFile(const FileRequest& request) {
    return chosen(QFileDialog::getOpenFileName(dialogParent(), request.title, request.directory,
                                               request.filter));
}

std::optional<QString> QtPrompts::saveFile(const FileRequest& request) {
    QString start = request.directory;
    if (!request.fileName.isEmpty())
        start = QDir(request.directory).filePath(request.fileName);
    // The program asks its own overwrite questions where it has any.
    return chosen(QFileDialog::getSaveFileName(dialogParent(), request.title, start, request.filter,
                                               nullptr, QFileDialog::DontConfirmOverwrite));
}

std::optional<QString> QtPrompts::browseFolder(const QString& caption, const QString& root) {
    return chosen(QFileDialog::getExistingDirectory(dialogParent(), caption, root));
}
