#pragma once

#include <QDialog>
#include <QSize>
#include <QStringList>
#include <functional>

class Prompts;
class QGridLayout;
class QPlainTextEdit;

// A small editor of one plain list file in the program's directory, one entry per line. Showing
// it loads the file into the memo (or the instruction lines when the file does not exist); OK
// saves the memo's lines over the file and then calls the caller's reload function so the main
// window's boxes follow; Cancel and Esc save nothing, and the close box asks when something was
// typed. A failed load or save is shown through the prompts; a failed save keeps the editor open
// and reloads no boxes, and after a failed load nothing is saved, so a file that could not be
// shown is never overwritten.
class ListFileEditor : public QDialog {
    Q_OBJECT

public:
    struct Layout {
        const char* objectName;
        QString caption;
        const char* memoName;
        QString fileName;         // in the program's directory
        QStringList initialLines; // shown when the file does not exist
        bool resizable;
        QSize size;
    };

    ListFileEditor(const Layout& layout, const QString& programDir, Prompts& prompts,
                   std::function<void()> reloadBoxes, QWidget* parent);

    // Full path of the edited file.
    const QString& filePath() const { return filePath_; }

    // Puts `side` to the right of the memo, its rows beside the memo's lines, and `below` under
    // both. A fixed-size editor grows to hold them.
    void addBesideMemo(QWidget* side, QWidget* below);

    // Loads the file (or the instruction lines) into the memo. Throws VexaError on a file that
    // exists but cannot be read.
    void formActivate();
    // Saves the memo's lines and reloads the boxes. Throws VexaError when the file cannot be
    // written; the boxes are then left alone.
    void formClose();

protected:
    QPlainTextEdit* memo() const { return memo_; }
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    void done(int result) override;

private:
    QPlainTextEdit* memo_;
    QGridLayout* grid_;
    bool resizable_;
    QString filePath_;
    QStringList initialLines_;
    Prompts& prompts_;
    std::function<void()> reloadBoxes_;
    bool loaded_ = false;
};
