#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>

class QLabel;

// The About box: the About picture stretched over the whole window, with the credit, contact,
// web and year lines centred on it. Closed with the window's close button or Escape.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr,
                         const QString& pictureFile = QStringLiteral(":/images/about.jpg"));

    const QImage& picture() const { return picture_; }
    // Why the picture could not be shown; empty when it loaded. The box then opens on a plain
    // dark background instead of refusing to open.
    const QString& pictureError() const { return pictureError_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& text);
    void fitTextToPanel();

    QList<QLabel*> labels_;
    QLabel* web_ = nullptr;
    QImage picture_;
    QString pictureError_;
};
