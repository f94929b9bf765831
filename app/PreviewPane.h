#pragma once

#include "render/Rasterizer.h"
#include "render/Scene.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;

namespace verdin {

// QImage over a rendered picture, sharing nothing with it.
QImage ToQImage(const render::RgbaImage& image);

// The converted file of the selected COB file, drawn: drag to turn it, the
// wheel to zoom, Home (or a double click) to see it as at first. Under the
// picture, its counts of meshes, vertices and faces, or why there is nothing
// to see.
class PreviewPane : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // Reads the .x file anew; an empty path when no file is selected.
    void ShowFile(const QString& xPath);
    // Nothing to draw: the file's conversion failed, for that reason.
    void ShowFailure(const QString& reason);

    const QString& Status() const { return m_status; }
    bool HasScene() const { return m_bHasScene; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetStatus(const QString& text);
    void Redraw();

    render::Scene m_scene;
    bool m_bHasScene = false;
    render::View m_view;
    QImage m_picture;  // of the scene at the current size and view
    QPoint m_lastMouse;
    QString m_status;
    QLabel* m_counts = nullptr;
};

}  // namespace verdin
