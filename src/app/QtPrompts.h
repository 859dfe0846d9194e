#pragma once

#include "platform/Prompts.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: message boxes titled with the application's name, Qt's file dialogs.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool confirm(const QString& text) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    int choose(const QString& text, const QStringList& answers) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> browseFolder(const QString& caption, const QString& root) override;

private:
    QWidget* dialogParent() const;
    QPointer<QWidget> parent_;
};
