#include "app/RenderCommand.h"

#include "app/ImageReading.h"
#include "app/PreviewPane.h"
#include "render/Rasterizer.h"
#include "render/SceneReader.h"

#include <QFile>
#include <QImageWriter>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace verdin {

namespace {

struct RenderRequest {
    QString input;
    QString output;
    int width = 800;
    int height = 600;
    render::View view;
};

int Fail(const QString& message, int status)
{
    std::fprintf(stderr, "verdin --render: %s\n", message.toLocal8Bit().constData());
    return status;
}

std::optional<RenderRequest> ParseRequest(const QStringList& arguments, QString& problem)
{
    RenderRequest request;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (word == u"--size" || word == u"--turn") {
            if (++i == arguments.size()) {
                problem = word + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            const QString& value = arguments[i];
            if (word == u"--size") {
                const auto match = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(value);
                request.width = match.hasMatch() ? match.captured(1).toInt() : 0;
                request.height = match.hasMatch() ? match.captured(2).toInt() : 0;
                if (request.width < 1 || request.height < 1 || request.width > 16384 || request.height > 16384) {
                    problem = QStringLiteral("--size takes WIDTHxHEIGHT, each from 1 to 16384");
                    return std::nullopt;
                }
            } else {
                const QStringList angles = value.split(u',');
                bool yawOk = false, pitchOk = false;
                if (angles.size() == 2) {
                    request.view.yaw = angles[0].toFloat(&yawOk);
                    request.view.pitch = angles[1].toFloat(&pitchOk);
                }
                if (!yawOk || !pitchOk) {
                    problem = QStringLiteral("--turn takes YAW,PITCH in degrees");
                    return std::nullopt;
                }
            }
        } else {
            files.append(word);
        }
    }
    if (files.size() != 2) {
        problem =
            QStringLiteral("usage: verdin --render FILE.x|FILE.glb|FILE.gltf OUT.png [--size WxH] [--turn YAW,PITCH]");
        return std::nullopt;
    }
    request.input = files[0];
    request.output = files[1];
    return request;
}

}  // namespace

int RunRenderCommand(const QStringList& arguments)
{
    QString problem;
    const std::optional<RenderRequest> request = ParseRequest(arguments, problem);
    if (!request)
        return Fail(problem, 2);
    render::Scene scene;
    if (const auto error = ReadAnyScene(QFile::encodeName(request->input).toStdString(), scene))
        return Fail(request->input + QStringLiteral(": ") + QString::fromStdString(*error), 1);
    const QImage picture = ToQImage(render::Render(scene, request->view, request->width, request->height));
    QImageWriter writer(request->output, "png");
    if (!writer.write(picture))
        return Fail(request->output + QStringLiteral(": ") + writer.errorString(), 1);
    return 0;
}

}  // namespace verdin
