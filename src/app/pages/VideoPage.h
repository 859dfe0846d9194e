#pragma once

#include <QWidget>

class CatalogueLayout;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSlider;
class QTabWidget;

// The Video tab: the renderer choice and full screen switch above three sub-pages, Both,
// Software and GL, each with the video settings of the catalogue and its fixed fields.
class VideoPage : public QWidget {
    Q_OBJECT
public:
    VideoPage(CatalogueLayout& settings, QWidget* parent);

    QGroupBox* rendererBox() const { return rendererBox_; }
    QButtonGroup* renderers() const { return renderers_; }
    QTabWidget* subPages() const { return subPages_; }
    QWidget* bothPage() const { return bothPage_; }
    QWidget* softwarePage() const { return softwarePage_; }
    QWidget* glPage() const { return glPage_; }
    QSlider* gamma() const { return gamma_; }
    QComboBox* softwareMode() const { return softwareMode_; }
    QComboBox* glMode() const { return glMode_; }
    QComboBox* textureMode() const { return textureMode_; }
    QComboBox* glDriver() const { return glDriver_; }
    // One of the GL page's number fields, by its object name ("txtGlPicMip").
    QLineEdit* glField(const char* name) const;

private:
    void buildBothPage(CatalogueLayout& settings);
    void buildSoftwarePage(CatalogueLayout& settings);
    void buildGlPage(CatalogueLayout& settings);

    QGroupBox* rendererBox_;
    QButtonGroup* renderers_;
    QTabWidget* subPages_;
    QWidget* bothPage_;
    QWidget* softwarePage_;
    QWidget* glPage_;
    QSlider* gamma_;
    QComboBox* softwareMode_;
    QComboBox* glMode_;
    QComboBox* textureMode_;
    QComboBox* glDriver_;
};
