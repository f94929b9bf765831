#include "app/WindowPlacement.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace verdin {

namespace {

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kMaximizedKey = QStringLiteral("Window/Maximized");

}  // namespace

QRect FittedInto(const QRect& frame, const QRect& available)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

void RestoreWindowPlacement(QWidget& window)
{
    const QSettings settings;
    if (const QRect saved = settings.value(kGeometryKey).toRect(); saved.isValid())
        window.setGeometry(saved);
    if (settings.value(kMaximizedKey).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void FitWindowIntoScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen || window.isMaximized())
        return;
    const QRect frame = window.frameGeometry();
    const QRect fitted = FittedInto(frame, screen->availableGeometry());
    if (fitted == frame)
        return;
    window.resize(window.size() - (frame.size() - fitted.size()));
    window.move(fitted.topLeft());  // the frame's place
}

void SaveWindowPlacement(const QWidget& window)
{
    QSettings settings;
    // A maximized window comes back maximized, over its last normal place.
    settings.setValue(kGeometryKey, window.isMaximized() ? window.normalGeometry() : window.geometry());
    settings.setValue(kMaximizedKey, window.isMaximized());
}

}  // namespace verdin
