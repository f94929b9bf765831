#include "CobBodies.h"
#include "TestSupport.h"
#include "texture/BmpBuilder.h"

#include "app/ImageReading.h"
#include "render/Rasterizer.h"
#include "render/SceneReader.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <filesystem>

#include <sys/stat.h>

using namespace verdin::test;

namespace {

struct Run {
    int status = -1;
    QString err;
};

Run RunProgram(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(30000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// Draws the file into `png` with `verdin --render`, 200 x 150.
QImage RenderFile(const std::string& file, const std::string& png, const QStringList& turn = {})
{
    const Run rendered = RunProgram(
        VERDIN_APP,
        QStringList{"--render", QString::fromStdString(file), QString::fromStdString(png), "--size", "200x150"} + turn);
    return rendered.status == 0 ? QImage(QString::fromStdString(png)) : QImage();
}

// Converts the COB file with verdin-cli, then draws what it wrote (the .x
// file, or the file of the extension given).
QImage ConvertAndRender(const TempDir& dir, const std::string& cob, const QStringList& options,
                        const QStringList& turn = {}, const std::string& extension = ".x")
{
    const Run converted = RunProgram(VERDIN_CLI, options + QStringList{QString::fromStdString(dir.Path(cob))});
    if (converted.status != 0)
        return {};
    const std::string x = dir.Path(cob.substr(0, cob.size() - 4) + extension);
    return RenderFile(x, x + ".png", turn);
}

bool WriteModel(const std::string& path, const PolygonSpec& polygon, const MaterialSpec& material)
{
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(polygon))
        .Chunk("Mat1", 0, 6, 2, 1, Mat1Body(material))
        .End()
        .WriteTo(path);
}

// quad.cob: a quad facing the camera, textured with `texture`.
bool WriteTexturedQuad(const TempDir& dir, const std::string& texture)
{
    PolygonSpec quad = NamedPolygon("quad");
    quad.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    quad.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    quad.faces.push_back({0x10, 0, {{0, 0}, {3, 3}, {2, 2}, {1, 1}}});
    return WriteModel(dir.Path("quad.cob"), quad, {0, 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, texture}});
}

// A picture of the quad whose texture is reddish above and bluish below.
void ExpectRedAboveBlue(const QImage& picture)
{
    QVERIFY(!picture.isNull());
    const QColor top = picture.pixelColor(100, 60), bottom = picture.pixelColor(100, 90);
    QVERIFY2(top.red() > top.blue() && bottom.blue() > bottom.red(),
             qPrintable(top.name() + " above " + bottom.name()));
}

PolygonSpec Cube()
{
    PolygonSpec cube = NamedPolygon("cube");
    for (int c = 0; c < 8; ++c)
        cube.vertices.push_back(
            {static_cast<float>(c & 1), static_cast<float>((c >> 1) & 1), static_cast<float>((c >> 2) & 1)});
    for (auto side : {std::array{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {1, 3, 7, 5}, {0, 4, 6, 2}}) {
        FaceSpec face;
        for (int v : side)
            face.corners.emplace_back(v, 0);
        cube.faces.push_back(face);
    }
    cube.uvs = {{0, 0}};
    return cube;
}

// A mesh in a frame turned 90 degrees, skinned to a frame that comes later
// in the file inside a turned and moved one, and to a frame the file lacks;
// its last vertex has no weights.
const char* const kSkinnedX = "xof 0302txt 0032\n"
                              "Frame Turned { FrameTransformMatrix { 1,0,0,0, 0,0,1,0, 0,-1,0,0, 0,0,0,1;; }\n"
                              " Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 0;0;1;; 1; 4;0,1,2,3;;\n"
                              "  MeshNormals { 1; 1;0;0;; 1; 4;0,0,0,0;; }\n"
                              "  SkinWeights { \"Bone\"; 3; 0,1,2; 0.5,1,1; 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }\n"
                              "  SkinWeights { \"Missing\"; 2; 0,9; 0.5,1; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; } } }\n"
                              "Frame Arm { FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 10,0,0,1;; }\n"
                              " Frame Bone { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,5,0,1;; } } }\n";

bool Near(const verdin::render::Vec3& a, const verdin::render::Vec3& b)
{
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) + std::abs(a.z - b.z) < 1e-5f;
}

QString Text(const verdin::render::Vec3& v)
{
    return QString("(%1, %2, %3)").arg(v.x).arg(v.y).arg(v.z);
}

QColor Background()
{
    return QColor(verdin::render::kBackground[0], verdin::render::kBackground[1], verdin::render::kBackground[2]);
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Red in the middle, background in the corners; the text and the binary
    // form of the file give the same picture.
    void aRedCubeInTextAndBinary()
    {
        TempDir dir;
        QVERIFY(WriteModel(dir.Path("text.cob"), Cube(), {0, 'f', 30, {1, 0, 0}, 0, std::nullopt}));
        QVERIFY(WriteModel(dir.Path("binary.cob"), Cube(), {0, 'f', 30, {1, 0, 0}, 0, std::nullopt}));
        const QImage text = ConvertAndRender(dir, "text.cob", {});
        const QImage binary = ConvertAndRender(dir, "binary.cob", {"--binary"});
        QVERIFY(!text.isNull() && !binary.isNull());
        QCOMPARE(text.size(), QSize(200, 150));

        const QColor middle = text.pixelColor(100, 75);
        QVERIFY2(middle.red() > 60 && middle.green() < 10 && middle.blue() < 10, qPrintable(middle.name()));
        for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 149), QPoint(199, 149)})
            QCOMPARE(text.pixelColor(corner), Background());
        QVERIFY(text == binary);
    }

    // A quad facing the camera, textured with a picture whose top half is
    // orange and bottom half blue: with --flip-v it shows them the right way up.
    void aTexturedQuadTheRightWayUp()
    {
        TempDir dir;
        QVERIFY(CobBuilder().Bytes(BmpBuilder({{200, 200}, {1, 1}}).Bytes()).WriteTo(dir.Path("tex.bmp")));
        QVERIFY(WriteTexturedQuad(dir, "tex.bmp"));

        const QImage picture = ConvertAndRender(dir, "quad.cob", {"--flip-v"}, {"--turn", "0,0"});
        ExpectRedAboveBlue(picture);

        // Its .glb and .gltf draw the same, but for rounding at a few edges.
        for (const char* format : {"glb", "gltf"}) {
            const QImage gltf = ConvertAndRender(dir, "quad.cob", {"--flip-v", "--to", format}, {"--turn", "0,0"},
                                                 std::string(".") + format);
            QCOMPARE(gltf.size(), picture.size());
            int differ = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    differ += gltf.pixel(x, y) != picture.pixel(x, y);
            QVERIFY2(differ < picture.width() * picture.height() / 100, qPrintable(QString::number(differ)));
        }
    }

    // A TGA texture, which Qt reads only with a plugin, draws as the bitmap
    // does: an uncompressed 1 x 2 picture, red-orange above blue.
    void aTgaTextureIsDrawn()
    {
        TempDir dir;
        const std::string header("\0\0\x02\0\0\0\0\0\0\0\0\0\x01\0\x02\0\x18\x20", 18);
        QVERIFY(CobBuilder().Bytes(header + std::string("\0\x64\xFF\xFF\0\0", 6)).WriteTo(dir.Path("tex.tga")));
        QVERIFY(WriteTexturedQuad(dir, "tex.tga"));
        ExpectRedAboveBlue(ConvertAndRender(dir, "quad.cob", {"--flip-v"}, {"--turn", "0,0"}));
    }

    // A compressed file from elsewhere draws as its binary form does.
    void aCompressedSampleAsItsBinaryForm()
    {
        const std::string samples = SamplesDir();
        if (samples.empty())
            QSKIP("../shared/samples is absent");
        TempDir dir;
        const auto render = [&](const std::string& name) {
            return RenderFile(samples + "/x/" + name, dir.Path(name + ".png"));
        };
        const QImage compressed = render("test_cube_compressed.x");
        QVERIFY(!compressed.isNull());
        QVERIFY(compressed == render("test_cube_binary.x"));
    }

    // The skinned mesh lies where offset · its frame's world puts it; the
    // missing frame leaves the others' share whole, and the vertex without
    // weights stays with the mesh's frame.
    void aSkinnedMeshInItsRestPose()
    {
        TempDir dir;
        QVERIFY(CobBuilder().Bytes(kSkinnedX).WriteTo(dir.Path("skinned.x")));
        using verdin::render::Vec3;
        verdin::render::Scene scene;
        QVERIFY(!ReadScene(dir.Path("skinned.x"), scene, [](const std::string&) { return std::nullopt; }));
        QCOMPARE(scene.meshes.size(), std::size_t{1});
        const verdin::render::SceneMesh& mesh = scene.meshes[0];
        // Without skinning: (0, 0, 0), (1, 0, 0), (0, 0, 1), (0, -1, 0), the normal (1, 0, 0).
        const std::array<Vec3, 4> expected{{{5, 0, 0}, {5, 2, 0}, {3, 0, 0}, {0, -1, 0}}};
        QCOMPARE(mesh.positions.size(), expected.size());
        for (std::size_t v = 0; v < expected.size(); ++v)
            QVERIFY2(Near(mesh.positions[v], expected[v]), qPrintable(Text(mesh.positions[v])));
        QCOMPARE(mesh.normals.size(), std::size_t{1});
        QVERIFY2(Near(mesh.normals[0], {0, 1, 0}), qPrintable(Text(mesh.normals[0])));
    }

    // Its .glb from --x-to-glb stands in the same bind pose, through the
    // joints' nodes and inverse bind matrices. The .x file's (x, y, z) is
    // glTF's (-x, y, z), which the preview lays back as (-x, -z, y).
    void aSkinnedMeshsGlbInTheSameRestPose()
    {
        TempDir dir;
        QVERIFY(CobBuilder().Bytes(kSkinnedX).WriteTo(dir.Path("skinned.x")));
        QCOMPARE(RunProgram(VERDIN_CLI, {"--x-to-glb", QString::fromStdString(dir.Path("skinned.x"))}).status, 0);
        verdin::render::Scene x, glb;
        QVERIFY(!verdin::ReadAnyScene(dir.Path("skinned.x"), x));
        QVERIFY(!verdin::ReadAnyScene(dir.Path("skinned.glb"), glb));
        QCOMPARE(glb.meshes.size(), std::size_t{1});
        const auto& corners = glb.meshes[0].positions;
        const auto& vertices = x.meshes[0].positions;
        QVERIFY(!corners.empty());
        for (const verdin::render::Vec3& corner : corners)
            QVERIFY2(std::any_of(vertices.begin(), vertices.end(),
                                 [&](const auto& v) {
                                     return Near(corner, {-v.x, -v.z, v.y});
                                 }),
                     qPrintable(Text(corner)));
        for (const verdin::render::Vec3& v : vertices)
            QVERIFY2(std::any_of(corners.begin(), corners.end(),
                                 [&](const auto& corner) {
                                     return Near(corner, {-v.x, -v.z, v.y});
                                 }),
                     qPrintable(Text(v)));
    }

    // Vertex colours take the place of the material's colour, as DirectX
    // lights them: a grey quad with red corners draws red. In a glTF file the
    // base colour times COLOR_0 does: magenta times yellow.
    void vertexColoursTakeTheMaterialColoursPlace()
    {
        TempDir dir;
        QVERIFY(CobBuilder()
                    .Bytes("xof 0302txt 0032\nMesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;;\n"
                           " MeshNormals { 1; 0;0;-1;; 1; 4;0,0,0,0;; }\n"
                           " MeshMaterialList { 1; 1; 0;; Material { 0.5;0.5;0.5;1;; 1; 0;0;0;; 0;0;0;; } }\n"
                           " MeshVertexColors { 4; 0;1;0;0;1;;, 1;1;0;0;1;;, 2;1;0;0;1;;, 3;1;0;0;1;;; } }\n")
                    .WriteTo(dir.Path("coloured.x")));

        std::string bin;
        const auto floats = [&bin](std::initializer_list<float> values) {
            for (const float value : values)
                bin.append(reinterpret_cast<const char*>(&value), sizeof value);
        };
        floats({0, 0, 0, 1, 0, 0, 1, 0, -1, 0, 0, -1});  // facing the viewer once laid back to z up
        floats({0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0});
        for (int corner = 0; corner < 4; ++corner)
            bin += std::string("\xFF\xFF\0\xFF", 4);
        bin += std::string("\0\1\2\0\2\3", 6);
        QVERIFY(CobBuilder().Bytes(bin).WriteTo(dir.Path("coloured.bin")));
        QVERIFY(CobBuilder()
                    .Bytes(R"({"asset":{"version":"2.0"},"scenes":[{"nodes":[0]}],"nodes":[{"mesh":0}],
                       "meshes":[{"primitives":[{"attributes":{"POSITION":0,"NORMAL":1,"COLOR_0":2},
                                                 "indices":3,"material":0}]}],
                       "materials":[{"pbrMetallicRoughness":{"baseColorFactor":[1,0,1,1]}}],
                       "buffers":[{"byteLength":118,"uri":"coloured.bin"}],
                       "bufferViews":[{"buffer":0,"byteLength":118}],
                       "accessors":[{"bufferView":0,"componentType":5126,"count":4,"type":"VEC3"},
                                    {"bufferView":0,"byteOffset":48,"componentType":5126,"count":4,"type":"VEC3"},
                                    {"bufferView":0,"byteOffset":96,"componentType":5121,"normalized":true,
                                     "count":4,"type":"VEC4"},
                                    {"bufferView":0,"byteOffset":112,"componentType":5121,"count":6,
                                     "type":"SCALAR"}]})")
                    .WriteTo(dir.Path("coloured.gltf")));

        for (const char* file : {"coloured.x", "coloured.gltf"}) {
            const QImage picture = RenderFile(dir.Path(file), dir.Path(file) + ".png", {"--turn", "0,0"});
            QVERIFY(!picture.isNull());
            const QColor middle = picture.pixelColor(100, 75);
            QVERIFY2(middle.red() > 240 && middle.green() < 10 && middle.blue() < 10,
                     qPrintable(QString(file) + ": " + middle.name()));
        }
    }

    // Texture names a reader could hang or fail on read as missing images; a
    // FIFO given as the file is refused at once.
    void texturesThatAreNoFilesReadAsMissing()
    {
        TempDir dir;
        QDir().mkpath(QString::fromStdString(dir.Path("folder")));
        QVERIFY(mkfifo(dir.Path("pipe.bmp").c_str(), 0600) == 0);
        std::string materials;
        for (const char* texture : {"folder", "/dev/zero", "pipe.bmp"})
            materials +=
                std::string("Material { 1;0;0;1;; 1; 1;1;1;; 0;0;0;; TextureFilename { \"") + texture + "\"; } }\n";
        QVERIFY(CobBuilder()
                    .Bytes("xof 0302txt 0032\nMesh {\n 3;\n 0;0;0;, 1;0;0;, 0;1;0;;\n 1;\n 3;0,1,2;;\n"
                           "MeshMaterialList { 3; 1; 0;;\n" +
                           materials + "}\n}\n")
                    .WriteTo(dir.Path("odd.x")));
        const Run drawn = RunProgram(VERDIN_APP, {"--render", QString::fromStdString(dir.Path("odd.x")),
                                                  QString::fromStdString(dir.Path("odd.png"))});
        QCOMPARE(drawn.status, 0);
        const Run fifo = RunProgram(VERDIN_APP, {"--render", QString::fromStdString(dir.Path("pipe.bmp")),
                                                 QString::fromStdString(dir.Path("pipe.png"))});
        QCOMPARE(fifo.status, 1);
        QVERIFY2(fifo.err.endsWith(": cannot be read\n"), qPrintable(fifo.err));
    }

    void aFileThatCannotBeReadIsReportedWithoutAPicture()
    {
        TempDir dir;
        QVERIFY(CobBuilder().Bytes("xof 0302txt 0032\nMesh {\n 3;\n").WriteTo(dir.Path("cut.x")));
        const Run run = RunProgram(VERDIN_APP, {"--render", QString::fromStdString(dir.Path("cut.x")),
                                                QString::fromStdString(dir.Path("cut.png"))});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("verdin --render: " + QString::fromStdString(dir.Path("cut.x")) + ": line "),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(QString::fromStdString(dir.Path("cut.png"))));
        QCOMPARE(RunProgram(VERDIN_APP, {"--render", "only-one.x"}).status, 2);
    }

    // A .gltf file reads only files in its own folder.
    void aGltfFileReadsNothingOutsideItsFolder()
    {
        TempDir dir;
        QVERIFY(CobBuilder().Bytes(std::string(64, '\0')).WriteTo(dir.Path("secret.bin")));
        std::filesystem::create_directories(dir.Path("m"));
        QVERIFY(CobBuilder()
                    .Bytes(R"({"asset":{"version":"2.0"},"buffers":[{"byteLength":64,"uri":"..%2Fsecret.bin"}]})")
                    .WriteTo(dir.Path("m/model.gltf")));
        const Run run = RunProgram(VERDIN_APP, {"--render", QString::fromStdString(dir.Path("m/model.gltf")),
                                                QString::fromStdString(dir.Path("model.png"))});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("cannot read the buffer"), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(RenderTest)
#include "RenderTest.moc"
