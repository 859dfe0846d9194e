#include "VideoPage.h"

#include "CatalogueLayout.h"
#include "PageLayout.h"
#include "app/MultiRowTabWidget.h"
#include "app/WidgetHelpers.h"
#include "settings/Catalogue.h"
#include "settings/EngineWords.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace PageLayout;

namespace {

const QStringList TextureModes = {QStringLiteral("GL_NEAREST"),
                                  QStringLiteral("GL_LINEAR"),
                                  QStringLiteral("GL_NEAREST_MIPMAP_NEAREST"),
                                  QStringLiteral("GL_LINEAR_MIPMAP_NEAREST"),
                                  QStringLiteral("GL_NEAREST_MIPMAP_LINEAR"),
                                  QStringLiteral("GL_LINEAR_MIPMAP_LINEAR"),
                                  QString()};

// The mode box's hint, opening with the mode the game takes when the config names none.
QString modeHint(const QString& gameDefault) {
    return gameDefault + QStringLiteral("  (Screen resolution of the OpenGL renderer)");
}

// The radio group keeps its title but puts it on the left of its one row of buttons, so the
// Video tab's header takes a single row and the sub-pages get the height.
void makeInlineRadioGroup(QGroupBox& box) {
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.title());
    box.setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid palette(mid); "
                                     "border-radius: 2px; margin-top: 0px; "
                                     "padding: 0px 4px 0px %2px; }"
                                     "QGroupBox#%1::title { subcontrol-origin: border; "
                                     "subcontrol-position: left center; left: 6px; }")
                          .arg(box.objectName())
                          .arg(titleWidth + 14));
}

} // namespace

VideoPage::VideoPage(CatalogueLayout& settings, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabVideo"));
    QWidget* page = this;
    rendererBox_ = named<QGroupBox>(page, "gbxVideo");
    rendererBox_->setTitle(QStringLiteral("Video"));
    makeInlineRadioGroup(*rendererBox_);
    auto* items = new QHBoxLayout(rendererBox_);
    items->setContentsMargins(0, 1, 0, 1);
    items->setSpacing(blockSpacing());
    renderers_ = new QButtonGroup(rendererBox_);
    const QString captions[] = {QStringLiteral("Software"), QStringLiteral("GL")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(captions[i], rendererBox_);
        renderers_->addButton(item, i);
        items->addWidget(item);
    }
    renderers_->button(1)->setChecked(true);

    settings.createControls("tabVideo", page);

    subPages_ = named<MultiRowTabWidget>(page, "pageVideo");
    subPages_->setDocumentMode(true);
    bothPage_ = addTabSheet(subPages_, "tabBoth", QStringLiteral("Both"));
    softwarePage_ = addTabSheet(subPages_, "TabSheet1", QStringLiteral("Software"));
    glPage_ = addTabSheet(subPages_, "TabSheet2", QStringLiteral("GL"));
    buildBothPage(settings);
    buildSoftwarePage(settings);
    buildGlPage(settings);
    subPages_->setCurrentWidget(glPage_);

    auto* header = newRow(blockSpacing() * 2);
    header->addWidget(rendererBox_);
    for (const CatalogueRow* row : settings.blockRows("tabVideo", "Header"))
        header->addWidget(settings.control(*row));
    header->addStretch();
    auto* layout = new QVBoxLayout(page);
    // The sub-pages' frame stands for the page's margin at the sides.
    layout->setContentsMargins(subPageMargin(), rowSpacing(), subPageMargin(), 0);
    layout->setSpacing(rowSpacing());
    layout->addLayout(header);
    layout->addWidget(subPages_, 1);
    compactRows(page);
}

void VideoPage::buildBothPage(CatalogueLayout& settings) {
    QWidget* page = bothPage_;
    settings.createControls("tabBoth", page);
    settings.fillGroup("Game Screen Position", 1);

    auto* keys = newGrid();
    keys->setRowStretch(settings.fillBlock(keys, "tabBoth", "Keys"), 1);

    gamma_ = trackBar(page, "barGamma", Qt::Vertical, 1, 39, 20);
    gamma_->setInvertedAppearance(true);
    gamma_->setFixedHeight(fontScaled(150));
    setHintText(gamma_, QStringLiteral("1  (Brightness of the picture; up is darker)"));
    auto* gamma = newColumn(rowSpacing());
    gamma->addWidget(newLabel(page, QStringLiteral("Gamma")), 0, Qt::AlignHCenter);
    gamma->addWidget(gamma_, 0, Qt::AlignHCenter);
    gamma->addStretch();

    auto* screen = newColumn();
    screen->addWidget(settings.group("Game Screen Position"));
    screen->addStretch();

    auto* layout = pageColumns(page, subPageMargin());
    layout->setContentsMargins(subPageMargin(), blockSpacing(), subPageMargin(), subPageMargin());
    layout->setSpacing(blockSpacing() * 3);
    layout->addLayout(keys);
    layout->addLayout(screen);
    layout->addLayout(gamma);
    layout->addStretch();
}

void VideoPage::buildSoftwarePage(CatalogueLayout& settings) {
    QWidget* page = softwarePage_;
    settings.createControls("TabSheet1", page);
    auto* grid =
        newGrid(page, QMargins(subPageMargin(), blockSpacing(), subPageMargin(), subPageMargin()));
    grid->setHorizontalSpacing(blockSpacing());
    settings.fillBlock(grid, "TabSheet1", "Checks", {.columns = 2});
    softwareMode_ = editableCombo(page, "cboSwVidMode");
    softwareMode_->setEditable(false);
    fillModes(*softwareMode_, Engine::id);
    setHintText(softwareMode_, QStringLiteral("0  (Screen resolution of the software renderer)"));
    addLabelled(grid, 0, 4, newLabel(page, QStringLiteral("Video Mode")), softwareMode_);
    settings.fillBlock(grid, "TabSheet1", "Fields", {.row = 1, .column = 4});
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(6, 1);
}

// The densest page, in two columns: the picture's enhancements, the debugging switches and the
// mode and texture boxes on the left; the card's switches, the driver with the log switch and
// the number fields on the right.
void VideoPage::buildGlPage(CatalogueLayout& settings) {
    QWidget* page = glPage_;
    settings.createControls("TabSheet2", page);
    for (const char* caption : {"Enhancements", "Video Card Specific", "Debugging"})
        settings.fillGroup(caption, 2)->setHorizontalSpacing(tightSpacing());

    glMode_ = editableCombo(page, "cboGlVidMode");
    glMode_->setEditable(false);
    fillModes(*glMode_, Engine::id);
    glMode_->setCurrentIndex(0);
    // Yamagi's custom mode takes its size from two more variables.
    customSize_ = new QWidget(page);
    customWidth_ =
        sizeEdit(customSize_, "txtCustomWidth", QStringLiteral("Width of the custom mode"));
    customHeight_ =
        sizeEdit(customSize_, "txtCustomHeight", QStringLiteral("Height of the custom mode"));
    customLabel_ = newLabel(page, QStringLiteral("Custom"));
    auto* customRow = newRow(tightSpacing());
    customRow->setContentsMargins(0, 0, 0, 0);
    customRow->addWidget(customWidth_);
    customRow->addWidget(newLabel(customSize_, QStringLiteral("x")));
    customRow->addWidget(customHeight_);
    customRow->addStretch();
    customSize_->setLayout(customRow);
    customLabel_->hide();
    customSize_->hide();
    connect(glMode_, &QComboBox::currentIndexChanged, this, [this] { enableCustomSize(); });
    setHintText(glMode_, modeHint(QStringLiteral("3")));
    textureMode_ = editableCombo(page, "cboTextureMode", TextureModes);
    textureMode_->setCurrentIndex(
        static_cast<int>(TextureModes.indexOf("GL_NEAREST_MIPMAP_NEAREST")));
    setHintText(textureMode_, QStringLiteral("GL_LINEAR_MIPMAP_NEAREST  (How textures are "
                                             "filtered)"));
    glDriver_ = foundCombo(page, "cboGlDriver");
    setHintText(glDriver_, QStringLiteral("The filename of the OpenGL .dll driver"));

    auto* picture = newGrid();
    addLabelled(picture, 0, 0, newLabel(page, QStringLiteral("Mode")), glMode_);
    addLabelled(picture, 1, 0, customLabel_, customSize_);
    addLabelled(picture, 2, 0, newLabel(page, QStringLiteral("Textures")), textureMode_);
    picture->setColumnStretch(2, 1);
    picture->setAlignment(glMode_, Qt::AlignLeft);

    auto* driver = newRow(fieldSpacing());
    driver->addWidget(newLabel(page, QStringLiteral("Driver")));
    driver->addWidget(glDriver_, 1);
    driver->addSpacing(blockSpacing());
    for (const CatalogueRow* row : settings.blockRows("TabSheet2", "Driver"))
        driver->addWidget(settings.control(*row));

    // The particle sizes and mip levels down the first column, the particle fading, modulation
    // and swap interval down the second.
    auto* fields = newGrid();
    struct Field {
        const char* name;
        const char* caption;
        int decimals;
        int row, column;
    } const masked[] = {
        {"txtGlParticleSize", "Particle Size", ThreeDecimals, 0, 0},
        {"txtPartSizeMin", "Min Size", ThreeDecimals, 1, 0},
        {"txtPartSizeMax", "Max Size", ThreeDecimals, 2, 0},
        {"txtPartIntensityA", "Fade A", ThreeDecimals, 0, 3},
        {"txtPartIntensityB", "Fade B", ThreeDecimals, 1, 3},
        {"txtPartIntensityC", "Fade C", ThreeDecimals, 2, 3},
        {"txtGlPicMip", "Pic Mip", TwoDecimals, 3, 0},
        {"txtGlPlayerMip", "Player Mip", TwoDecimals, 4, 0},
        {"txtGlModulate", "Modulate", TwoDecimals, 3, 3},
        {"txtGlSwapInterval", "Swap Interval", TwoDecimals, 4, 3},
    };
    for (const Field& f : masked) {
        addLabelled(fields, f.row, f.column, newLabel(page, QLatin1String(f.caption)),
                    maskedEdit(page, f.name, f.decimals, QString()));
    }
    fields->setColumnMinimumWidth(2, blockSpacing());
    fields->setColumnStretch(2, 1);

    auto* left = newColumn(rowSpacing());
    left->addWidget(settings.group("Enhancements"));
    left->addWidget(settings.group("Debugging"));
    left->addLayout(picture);
    left->addStretch();
    auto* right = newColumn(tightSpacing());
    right->addWidget(settings.group("Video Card Specific"));
    right->addLayout(driver);
    right->addLayout(fields);
    right->addStretch();
    auto* layout = pageColumns(page, subPageMargin());
    layout->setSpacing(tightSpacing());
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}

void VideoPage::showEngineModes(Engine engine) {
    if (engine == modesEngine_)
        return;
    // The same size, not the same number: the engines number their modes differently.
    const int chosen = glMode_->currentIndex();
    const VideoMode* size =
        chosen < 0 ? nullptr
                   : engineModeOfSize(engine, engineVideoModes(modesEngine_)[chosen].width,
                                      engineVideoModes(modesEngine_)[chosen].height);
    modesEngine_ = engine;
    fillModes(*glMode_, engine);
    glMode_->setCurrentIndex(glMode_->findData(size ? size->value : engineDefaultMode(engine)));
    if (engine != Engine::id) // id's own default is mode 3, not the first the box shows
        setHintText(glMode_,
                    modeHint(glMode_->itemText(glMode_->findData(engineDefaultMode(engine)))));
    customLabel_->setVisible(engine == Engine::yamagi);
    customSize_->setVisible(engine == Engine::yamagi);
    enableCustomSize();
}

void VideoPage::fillModes(QComboBox& box, Engine engine) {
    box.clear();
    for (const VideoMode& mode : engineVideoModes(engine))
        box.addItem(mode.caption, mode.value);
}

QLineEdit* VideoPage::sizeEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = named<QLineEdit>(parent, name);
    edit->setValidator(new QIntValidator(0, 99999, edit));
    edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
    setHintText(edit, hint);
    return edit;
}

void VideoPage::enableCustomSize() {
    const bool custom = glMode_->currentData().toString() == QString::number(CustomMode);
    customWidth_->setEnabled(custom);
    customHeight_->setEnabled(custom);
}

QLineEdit* VideoPage::glField(const char* name) const {
    return glPage_->findChild<QLineEdit*>(QLatin1String(name));
}
