#pragma once

#include "platform/FileVersion.h"
#include "platform/Prompts.h"
#include "platform/TextEncoding.h"

#include <QString>
#include <QWidget>
#include <functional>

class QPlainTextEdit;

// A plain text editor for the config file or the launch script, beside the main window (several
// may be open at once). Every change marks the text modified; closing then asks whether to save,
// and a save hands the file to `reread` so the main window takes it in again. A save over a file
// changed on disk since the editor read it asks first (reload, overwrite or cancel). The window
// opens where the last editor was closed ([edit] x, y, w, h in vexa.ini, kept on the screen) and
// is deleted on close. A file with lines longer than a few thousand characters is shown with
// those lines in pieces (a line is laid out whole), read only.
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    using Reread = std::function<void(const QString& fileName)>;

    // Loads the file into the memo. Throws VexaError "Cannot open file %s"; then no window exists.
    // Saving writes every line followed by `lineEnding`, in the file's encoding.
    EditorWindow(QWidget* owner, Prompts& prompts, const QString& fileName,
                 const QString& lineEnding, Reread reread,
                 TextEncoding encoding = TextEncoding::Latin1);

    const QString& fileName() const { return fileName_; }
    bool modified() const { return modified_; }

    // Puts the cursor at the start of line `line` (from 1; the last line when beyond) in view.
    void goToLine(int line);

    // Closes every editor `owner` has open, each asking its question; false when one stays open
    // (its file could not be saved).
    static bool closeAll(QWidget* owner);

    QPlainTextEdit* fileText() const { return fileText_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void formCreate();
    bool formClose();
    // False when the file changed on disk and the player chose to reload it or to cancel.
    bool save();
    // Saves, then hands the file to `reread`; false when nothing was saved.
    bool saveAndReread();
    void reload();
    void storePlacement();

    Prompts& prompts_;
    QString fileName_;
    QString lineEnding_;
    Reread reread_;
    TextEncoding encoding_;
    bool modified_ = false;
    FileVersion version_; // the file as read or saved last
    QPlainTextEdit* fileText_;
};
