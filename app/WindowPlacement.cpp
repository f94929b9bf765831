#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace verdin {

namespace {

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kMaximizedKey = QStringLiteral("Window/Maximized");

qint64 Area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// The primary screen's first.
QList<QRect> AvailableAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    return areas;
}

// Gives the window's frame the place and size of `frame`, fitted to a screen.
// Contents that want more room than the screen has are let shrink.
void PlaceWindow(QWidget& window, const QRect& frame)
{
    const QList<QRect> areas = AvailableAreas();
    if (areas.isEmpty())
        return;
    const QSize margins = window.frameGeometry().size() - window.size();
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize()) + margins;
    const QRect fitted = PlacedOnScreens(frame, areas);
    const QRect placed = PlacedOnScreens(QRect(fitted.topLeft(), fitted.size().expandedTo(least)), areas);
    if (placed.width() < least.width() || placed.height() < least.height())
        window.setMinimumSize((least - margins).boundedTo(placed.size() - margins));
    window.resize(placed.size() - margins);
    window.move(placed.topLeft());  // the frame's place
}

}  // namespace

QRect FittedInto(const QRect& frame, const QRect& available)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

QRect PlacedOnScreens(const QRect& frame, const QList<QRect>& availableAreas)
{
    if (availableAreas.isEmpty())
        return frame;
    auto chosen = std::find_if(availableAreas.begin(), availableAreas.end(),
                               [&](const QRect& area) { return area.contains(frame.topLeft()); });
    if (chosen == availableAreas.end()) {
        chosen = std::max_element(availableAreas.begin(), availableAreas.end(),
                                  [&](const QRect& a, const QRect& b) { return Area(a & frame) < Area(b & frame); });
        if (Area(*chosen & frame) == 0)
            chosen = availableAreas.begin();
    }
    return FittedInto(frame, *chosen);
}

void RestoreWindowPlacement(QWidget& window)
{
    const QSettings settings;
    if (const QRect saved = settings.value(kGeometryKey).toRect(); saved.isValid())
        PlaceWindow(window, saved);
    if (settings.value(kMaximizedKey).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void FitWindowIntoScreen(QWidget& window)
{
    if (window.isMaximized())
        return;
    const QRect frame = window.frameGeometry();
    if (PlacedOnScreens(frame, AvailableAreas()) != frame)
        PlaceWindow(window, frame);
}

void SaveWindowPlacement(const QWidget& window)
{
    QSettings settings;
    // A maximized window comes back maximized, over its last normal place.
    settings.setValue(kGeometryKey, window.isMaximized() ? window.normalGeometry()
                                                         : QRect(window.frameGeometry().topLeft(), window.size()));
    settings.setValue(kMaximizedKey, window.isMaximized());
}

}  // namespace verdin
