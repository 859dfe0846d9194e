#pragma once

#include "settings/Engine.h"

#include <QWidget>

class CatalogueLayout;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
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
    // Yamagi's custom mode: r_customwidth x r_customheight.
    QLineEdit* customWidth() const { return customWidth_; }
    QLineEdit* customHeight() const { return customHeight_; }
    // The GL mode box lists the engine's own modes (id's keep the software box), keeping the
    // chosen size where the engine has a mode of it, else showing the engine's default; the custom size
    // shows for Yamagi only and opens with its custom mode.
    void showEngineModes(Engine engine);
    // One of the GL page's number fields, by its object name ("txtGlPicMip").
    QLineEdit* glField(const char* name) const;

private:
    void buildBothPage(CatalogueLayout& settings);
    void buildSoftwarePage(CatalogueLayout& settings);
    void buildGlPage(CatalogueLayout& settings);
    void fillModes(QComboBox& box, Engine engine);
    QLineEdit* sizeEdit(QWidget* parent, const char* name, const QString& hint);
    void enableCustomSize();

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
    QLabel* customLabel_;
    QWidget* customSize_;
    QLineEdit* customWidth_;
    QLineEdit* customHeight_;
    Engine modesEngine_ = Engine::id;
};
