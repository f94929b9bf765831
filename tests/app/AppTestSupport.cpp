#include "AppTestSupport.h"

#include "CobBodies.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

namespace verdin::test {

void UseTemporarySettings(const QTemporaryDir& dir)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Verdin"));
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, dir.path());
}

void ClearSettings()
{
    QSettings().clear();
}

void RemoveTranslations()
{
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

bool WriteCob(const std::string& path, int meshes)
{
    PolygonSpec triangle = NamedPolygon("triangle");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}};
    FaceSpec face;
    face.corners = {{0, 0}, {1, 0}, {2, 0}};
    triangle.faces = {face};

    CobBuilder cob;
    cob.Header();
    for (int id = 1; id <= meshes; ++id)
        cob.Chunk("PolH", 0, 8, id, 0, PolHBody(triangle));
    return cob.End().WriteTo(path);
}

void DropFiles(QWidget* target, const std::vector<std::string>& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls.append(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    data.setUrls(urls);
    const QPointF where(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

QString AsShown(const std::string& report)
{
    return QString::fromLocal8Bit(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace verdin::test
