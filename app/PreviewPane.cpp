#include "app/PreviewPane.h"

#include "app/ImageReading.h"
#include "render/SceneReader.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace verdin {

QImage ToQImage(const render::RgbaImage& image)
{
    QImage picture(image.width, image.height, QImage::Format_RGBA8888);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int row = 0; row < image.height; ++row)
        std::memcpy(picture.scanLine(row), image.pixels.data() + static_cast<std::size_t>(row) * rowBytes, rowBytes);
    return picture;
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Preview"));
    setMinimumSize(160, 160);
    setFocusPolicy(Qt::ClickFocus);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("PreviewStatus"));
    m_counts->setWordWrap(true);
    m_counts->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_counts);
    ShowFile({});
}

void PreviewPane::SetStatus(const QString& text)
{
    m_status = text;
    m_counts->setText(text);
}

void PreviewPane::ShowFile(const QString& xPath)
{
    m_scene = {};
    m_bHasScene = false;
    m_view = {};
    m_picture = {};
    if (xPath.isEmpty()) {
        SetStatus(tr("Select a file to see what was written."));
    } else if (!QFile::exists(xPath)) {
        SetStatus(tr("Not converted yet."));
    } else if (const auto error = ReadAnyScene(QFile::encodeName(xPath).toStdString(), m_scene)) {
        SetStatus(tr("Can't read %1: %2").arg(QFileInfo(xPath).fileName(), QString::fromStdString(*error)));
    } else {
        m_bHasScene = true;
        SetStatus(tr("%n mesh(es)", nullptr, static_cast<int>(m_scene.meshes.size())) + QStringLiteral(", ") +
                  tr("%n vertices", nullptr, static_cast<int>(m_scene.Vertices())) + QStringLiteral(", ") +
                  tr("%n faces", nullptr, static_cast<int>(m_scene.Faces())));
    }
    update();
}

void PreviewPane::ShowFailure(const QString& reason)
{
    ShowFile({});
    SetStatus(tr("Not converted: %1").arg(reason));
}

void PreviewPane::Redraw()
{
    m_picture = {};
    update();
}

void PreviewPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_bHasScene)
        return;
    const QSize area(width(), std::max(1, m_counts->geometry().top()));
    if (m_picture.size() != area)
        m_picture = ToQImage(render::Render(m_scene, m_view, area.width(), area.height()));
    painter.drawImage(0, 0, m_picture);
}

void PreviewPane::mousePressEvent(QMouseEvent* event)
{
    m_lastMouse = event->position().toPoint();
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint moved = event->position().toPoint() - m_lastMouse;
    m_lastMouse = event->position().toPoint();
    m_view.yaw -= static_cast<float>(moved.x()) * 0.5f;
    m_view.pitch = std::clamp(m_view.pitch + static_cast<float>(moved.y()) * 0.5f, -90.0f, 90.0f);
    Redraw();
}

void PreviewPane::mouseDoubleClickEvent(QMouseEvent*)
{
    m_view = {};
    Redraw();
}

void PreviewPane::wheelEvent(QWheelEvent* event)
{
    const float steps = static_cast<float>(event->angleDelta().y()) / 120;
    m_view.zoom = std::clamp(m_view.zoom * std::pow(1.2f, steps), 0.1f, 100.0f);
    Redraw();
}

void PreviewPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Home) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_view = {};
    Redraw();
}

}  // namespace verdin
