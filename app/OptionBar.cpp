#include "app/OptionBar.h"

#include "app/OptionSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace verdin {

COptionBar::COptionBar(QWidget* parent) : QWidget(parent)
{
    LoadOptions(m_options);

    QCheckBox* templates =
        CreateCheckBox(tr("Add &Template"), tr("Write DirectX's template definitions at the head of each .x file."),
                       "AddTemplates", m_options.AddTemplates);
    QCheckBox* binary =
        CreateCheckBox(tr("&Binary X File"), tr("Save each .x file in the binary format instead of text."),
                       "BinaryXFile", m_options.BinaryXFile);
    QCheckBox* scaleRotation = CreateCheckBox(tr("&Scale && Rotation infomation"),
                                              tr("Apply each object's scale and rotation to its vertices."),
                                              "ScaleAndRotation", m_options.ScaleAndRotation);
    QCheckBox* position = CreateCheckBox(
        tr("&Position infomation"),
        tr("Apply each object's position to its vertices; without it, the objects of a model may overlap."), "Position",
        m_options.Position);
    QCheckBox* ppm = CreateCheckBox(tr("PP&M texture"),
                                    tr("Convert 8-bit BMP textures into PPM images and name those in the materials."),
                                    "bPPM", m_options.bPPM);
    // For files from later versions of the modeller.
    QCheckBox* newerMaterials = CreateCheckBox(
        tr("&Newer materials"),
        tr("Read the materials of files from later versions of the modeller; without it they come out white."),
        "NewerMaterials", m_options.NewerMaterials);
    QCheckBox* flipV = CreateCheckBox(
        tr("Flip &V texture"),
        tr("Write texture coordinates as (u, 1 − v): textures of later versions of the modeller lie the right way up."),
        "FlipV", m_options.FlipV);
    QCheckBox* ascii = CreateCheckBox(tr("&ASCII COB files"),
                                      tr("Read COB files saved in the text form; without it they are refused."),
                                      "Ascii", m_options.Ascii);
    // The whole scene in a .x file; glTF files always carry it.
    QCheckBox* axes =
        CreateCheckBox(tr("Upright a&xes"), tr("Stand the .x model in DirectX's y-up, left-handed axes, unmirrored."),
                       "Axes", m_options.Axes);
    QCheckBox* hierarchy = CreateCheckBox(
        tr("Names && &hierarchy"),
        tr("Write a named frame per group and object, nested as in the file, each mesh in its own space."), "Hierarchy",
        m_options.Hierarchy);
    QCheckBox* fullMaterials = CreateCheckBox(
        tr("&Full materials"),
        tr("Write each material's opacity, specular and emissive colours, and texture coordinates on every mesh."),
        "FullMaterials", m_options.FullMaterials);
    QCheckBox* animation = CreateCheckBox(
        tr("An&imation"), tr("With names and hierarchy, write the model's moves and turns as animation."), "Animation",
        m_options.Animation);
    QCheckBox* summary = CreateCheckBox(tr("Report s&ummary"),
                                        tr("Report each kind of chunk passed over once per file, with its count."),
                                        "Summary", m_options.Summary);
    auto* keepLook = m_btnKeepLook = new QPushButton(tr("&Keep the look"), this);
    keepLook->setObjectName(QStringLiteral("KeepLook"));
    keepLook->setToolTip(tr("Check every option that keeps the look of a file from a later version of the modeller"));
    keepLook->setStatusTip(keepLook->toolTip());
    connect(keepLook, &QPushButton::clicked, this, [this] {
        for (std::atomic<int> OptionFlags::*kept : kLookKeepingOptions)
            m_boxes.at(&(m_options.*kept))->setChecked(true);
    });

    m_btnConvert = new QPushButton(tr("Convert!"), this);
    m_btnConvert->setObjectName(QStringLiteral("Convert"));
    m_btnConvert->setDefault(true);
    m_btnConvert->setMinimumHeight(46);
    m_btnConvert->setStatusTip(tr("Convert listing files"));
    // The Help and About buttons keep their place while "Convert!" is hidden.
    QSizePolicy keepPlace = m_btnConvert->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_btnConvert->setSizePolicy(keepPlace);
    auto* help = new QPushButton(QStringLiteral("&?"), this);
    auto* about = new QPushButton(QStringLiteral("&!"), this);
    for (QPushButton* small : {help, about})
        small->setFixedWidth(22);
    connect(m_btnConvert, &QPushButton::clicked, this, &COptionBar::ConvertClicked);
    connect(help, &QPushButton::clicked, this, &COptionBar::HelpClicked);
    connect(about, &QPushButton::clicked, this, &COptionBar::AboutClicked);

    QWidget* outputFormat = CreateOutputFormatRow();
    QWidget* outputFolder = CreateOutputFolderRow();

    auto* layout = new QGridLayout(this);
    int row = 0;
    for (QCheckBox* box : {templates, binary, scaleRotation, position, ppm, newerMaterials, flipV, ascii})
        layout->addWidget(box, row++, 0, 1, 2);
    // Beside the others, so that the window keeps its height.
    int sceneRow = 0;
    for (QWidget* scene : std::initializer_list<QWidget*>{axes, hierarchy, fullMaterials, animation, summary, keepLook})
        layout->addWidget(scene, sceneRow++, 2);
    layout->addWidget(outputFormat, row++, 0, 1, 3);
    layout->addWidget(outputFolder, row++, 0, 1, 3);
    layout->setRowStretch(row++, 1);
    layout->addWidget(m_btnConvert, row, 0, 2, 1);
    layout->addWidget(help, row, 1);
    layout->addWidget(about, row + 1, 1);

    // The keyboard visits the controls in the order of the bar's template,
    // which is not the order on screen.
    QWidget* tabOrder[] = {templates, binary,   scaleRotation, m_btnConvert,   help,
                           about,     position, ppm,           newerMaterials, flipV,
                           ascii,     axes,     hierarchy,     fullMaterials,  animation,
                           summary,   keepLook, outputFormat,  outputFolder};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

COptionBar::~COptionBar()
{
    SaveOptions(m_options);
}

QString COptionBar::OutputFolder() const
{
    return m_outputFolder->text();
}

void COptionBar::ShowConvertButton(bool visible)
{
    m_btnConvert->setVisible(visible);
}

void COptionBar::KeepTheLook()
{
    m_btnKeepLook->click();
}

QCheckBox* COptionBar::CreateCheckBox(const QString& text, const QString& tip, const char* name, std::atomic<int>& flag)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    box->setStatusTip(tip);
    box->setChecked(IsOn(flag));
    m_boxes.emplace(&flag, box);
    // Saved at once: a session that ends without a normal exit keeps them too.
    connect(box, &QCheckBox::toggled, this, [this, &flag](bool checked) {
        flag.store(checked ? 1 : 0, std::memory_order_relaxed);
        SaveOptions(m_options);
    });
    return box;
}

// Enter in the output folder ends the typing there: the window's Enter,
// which converts, does not take it.
bool COptionBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_outputFolder && event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* COptionBar::CreateOutputFormatRow()
{
    auto* row = new QWidget(this);
    auto* label = new QLabel(tr("Convert &to:"), row);
    auto* formats = new QComboBox(row);
    formats->setObjectName(QStringLiteral("Output"));
    // In the order of the format's number.
    formats->addItems({tr("DirectX .x"), tr("glTF binary .glb"), tr("glTF .gltf + .bin")});
    formats->setCurrentIndex(m_options.Output.load());
    formats->setToolTip(tr("glTF files open in Blender, Godot, three.js and game engines"));
    label->setBuddy(formats);
    connect(formats, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_options.Output.store(index, std::memory_order_relaxed);
        SaveOptions(m_options);
        Q_EMIT OutputFormatChanged();
    });
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 0, 0);
    layout->addWidget(formats, 0, 1);
    layout->setColumnStretch(1, 1);
    return row;
}

QWidget* COptionBar::CreateOutputFolderRow()
{
    auto* row = new QWidget(this);
    auto* label = new QLabel(tr("&Output folder:"), row);
    m_outputFolder = new QLineEdit(LoadOutputFolder(), row);
    m_outputFolder->setObjectName(QStringLiteral("OutputFolder"));
    m_outputFolder->setPlaceholderText(tr("beside each model file"));
    m_outputFolder->setClearButtonEnabled(true);
    m_outputFolder->setToolTip(tr("Where the converted files, textures and PPM files are written"));
    label->setBuddy(m_outputFolder);
    m_outputFolder->installEventFilter(this);
    auto* browse = new QPushButton(QStringLiteral("..."), row);
    browse->setObjectName(QStringLiteral("BrowseOutputFolder"));
    browse->setFixedWidth(28);
    connect(m_outputFolder, &QLineEdit::textChanged, this, [](const QString& folder) { SaveOutputFolder(folder); });
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Output folder"), m_outputFolder->text());
        if (!folder.isEmpty())
            m_outputFolder->setText(QDir::toNativeSeparators(folder));
    });

    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(m_outputFolder, 1, 0);
    layout->addWidget(browse, 1, 1);
    return row;
}

}  // namespace verdin
