#include "render/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace verdin::render {

namespace {

constexpr float kAmbient = 0.3f;
constexpr float kDiffuse = 0.7f;
constexpr float kHalfFieldOfView = 20 * std::numbers::pi_v<float> / 180;

Vec3 operator-(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalised(const Vec3& v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{0, 0, -1};
}

// Model to view space: the model turned about its centre, then moved away
// from the camera, which stands at the origin.
struct Camera {
    Vec3 centre;
    float cosYaw = 1, sinYaw = 0, cosPitch = 1, sinPitch = 0;
    float distance = 1;
    float focal = 1;  // pixels per unit of x / z
    float nearZ = 0;
    float halfWidth = 0, halfHeight = 0;

    [[nodiscard]] Vec3 Turn(const Vec3& v) const
    {
        const float x = cosYaw * v.x + sinYaw * v.z, z = -sinYaw * v.x + cosYaw * v.z;
        return {x, cosPitch * v.y + sinPitch * z, -sinPitch * v.y + cosPitch * z};
    }
    [[nodiscard]] Vec3 ToView(const Vec3& p) const
    {
        const Vec3 turned = Turn(p - centre);
        return {turned.x, turned.y, turned.z + distance};
    }
};

Camera FrameScene(const Scene& scene, const View& view, int width, int height)
{
    constexpr float kHuge = std::numeric_limits<float>::max();
    Vec3 low{kHuge, kHuge, kHuge}, high{-kHuge, -kHuge, -kHuge};
    for (const SceneMesh& mesh : scene.meshes)
        for (const Vec3& p : mesh.positions) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
                continue;
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
    Camera camera;
    if (low.x > high.x)
        low = high = Vec3{};
    camera.centre = {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
    const Vec3 half = high - camera.centre;
    const float radius = std::max(std::sqrt(half.x * half.x + half.y * half.y + half.z * half.z), 1e-6f);
    const float radians = std::numbers::pi_v<float> / 180;
    camera.cosYaw = std::cos(view.yaw * radians);
    camera.sinYaw = std::sin(view.yaw * radians);
    camera.cosPitch = std::cos(view.pitch * radians);
    camera.sinPitch = std::sin(view.pitch * radians);
    camera.distance = radius / std::sin(kHalfFieldOfView) / std::max(view.zoom, 1e-3f);
    camera.nearZ = radius * 1e-3f;
    camera.halfWidth = width / 2.0f;
    camera.halfHeight = height / 2.0f;
    camera.focal = std::min(camera.halfWidth, camera.halfHeight) / std::tan(kHalfFieldOfView);
    return camera;
}

// A corner in view space with what is interpolated across the triangle.
struct Corner {
    Vec3 view;
    Vec3 normal;
    float u = 0, v = 0;
    Vec3 colour;  // the vertex's colour, when the surface takes it
};

Corner Mix(const Corner& a, const Corner& b, float t)
{
    const auto mix = [t](float x, float y) { return x + (y - x) * t; };
    const auto mix3 = [&mix](const Vec3& x, const Vec3& y) {
        return Vec3{mix(x.x, y.x), mix(x.y, y.y), mix(x.z, y.z)};
    };
    return {mix3(a.view, b.view), mix3(a.normal, b.normal), mix(a.u, b.u), mix(a.v, b.v), mix3(a.colour, b.colour)};
}

struct Surface {
    Vec3 colour;
    Vec3 emissive;
    const RgbaImage* texture = nullptr;
    bool vertexColours = false;  // the corners' colours take the place of `colour`
};

class Canvas {
public:
    Canvas(const Camera& camera, int width, int height)
        : m_camera(camera),
          m_image{width, height, {}},
          m_depth(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0.0f)
    {
        m_image.pixels.resize(m_depth.size() * 4);
        for (std::size_t i = 0; i < m_depth.size(); ++i)
            std::copy(kBackground.begin(), kBackground.end(), m_image.pixels.begin() + i * 4);
    }

    // Clips the triangle to the space in front of the camera, then fills it.
    void Draw(const std::array<Corner, 3>& corners, const Surface& surface)
    {
        std::array<Corner, 4> kept;
        std::size_t count = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const Corner& a = corners[i];
            const Corner& b = corners[(i + 1) % 3];
            const bool aIn = a.view.z > m_camera.nearZ, bIn = b.view.z > m_camera.nearZ;
            if (aIn)
                kept[count++] = a;
            if (aIn != bIn)
                kept[count++] = Mix(a, b, (m_camera.nearZ - a.view.z) / (b.view.z - a.view.z));
        }
        for (std::size_t i = 2; i < count; ++i)
            Fill({kept[0], kept[i - 1], kept[i]}, surface);
    }

    RgbaImage Take() { return std::move(m_image); }

private:
    void Fill(const std::array<Corner, 3>& corners, const Surface& surface)
    {
        std::array<float, 3> x{}, y{}, w{};
        for (std::size_t i = 0; i < 3; ++i) {
            w[i] = 1 / corners[i].view.z;
            x[i] = m_camera.halfWidth + corners[i].view.x * w[i] * m_camera.focal;
            y[i] = m_camera.halfHeight - corners[i].view.y * w[i] * m_camera.focal;
        }
        const float area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
        const float minX = std::min({x[0], x[1], x[2]}), maxX = std::max({x[0], x[1], x[2]});
        const float minY = std::min({y[0], y[1], y[2]}), maxY = std::max({y[0], y[1], y[2]});
        const auto width = static_cast<float>(m_image.width), height = static_cast<float>(m_image.height);
        // Written so that a coordinate that is not a number leaves the triangle out.
        if (!(std::abs(area) > 1e-12f) || !(minX < width && maxX >= 0 && minY < height && maxY >= 0))
            return;
        const int left = static_cast<int>(std::max(0.0f, std::floor(minX)));
        const int right = static_cast<int>(std::min(width - 1, std::ceil(maxX)));
        const int top = static_cast<int>(std::max(0.0f, std::floor(minY)));
        const int bottom = static_cast<int>(std::min(height - 1, std::ceil(maxY)));
        for (int row = top; row <= bottom; ++row) {
            const float py = static_cast<float>(row) + 0.5f;
            for (int column = left; column <= right; ++column) {
                const float px = static_cast<float>(column) + 0.5f;
                // Barycentric weights, each positive inside whatever the winding.
                const float b0 = ((x[1] - px) * (y[2] - py) - (x[2] - px) * (y[1] - py)) / area;
                const float b1 = ((x[2] - px) * (y[0] - py) - (x[0] - px) * (y[2] - py)) / area;
                const float b2 = 1 - b0 - b1;
                if (b0 < 0 || b1 < 0 || b2 < 0)
                    continue;
                const float inverseZ = b0 * w[0] + b1 * w[1] + b2 * w[2];
                const std::size_t pixel = static_cast<std::size_t>(row) * m_image.width + column;
                if (inverseZ <= m_depth[pixel])
                    continue;
                m_depth[pixel] = inverseZ;
                // Perspective-correct weights for the corners' attributes.
                const float p0 = b0 * w[0] / inverseZ, p1 = b1 * w[1] / inverseZ, p2 = 1 - p0 - p1;
                Shade(pixel, corners, {p0, p1, p2}, surface);
            }
        }
    }

    void Shade(std::size_t pixel, const std::array<Corner, 3>& c, const std::array<float, 3>& p, const Surface& surface)
    {
        const Vec3 normal = Normalised({p[0] * c[0].normal.x + p[1] * c[1].normal.x + p[2] * c[2].normal.x,
                                        p[0] * c[0].normal.y + p[1] * c[1].normal.y + p[2] * c[2].normal.y,
                                        p[0] * c[0].normal.z + p[1] * c[1].normal.z + p[2] * c[2].normal.z});
        // The light comes from the viewer, along -z in view space.
        const float light = kAmbient + kDiffuse * std::max(0.0f, -normal.z);
        Vec3 colour = surface.colour;
        if (surface.vertexColours)
            colour = {p[0] * c[0].colour.x + p[1] * c[1].colour.x + p[2] * c[2].colour.x,
                      p[0] * c[0].colour.y + p[1] * c[1].colour.y + p[2] * c[2].colour.y,
                      p[0] * c[0].colour.z + p[1] * c[1].colour.z + p[2] * c[2].colour.z};
        if (surface.texture) {
            const float u = p[0] * c[0].u + p[1] * c[1].u + p[2] * c[2].u;
            const float v = p[0] * c[0].v + p[1] * c[1].v + p[2] * c[2].v;
            const auto texel = Texel(*surface.texture, u, v);
            colour = {colour.x * texel[0] / 255, colour.y * texel[1] / 255, colour.z * texel[2] / 255};
        }
        const auto channel = [light](float base, float glow) {
            const float value = base * light + glow;
            return static_cast<std::uint8_t>(value > 0 ? (value < 1 ? value * 255 + 0.5f : 255) : 0);
        };
        std::uint8_t* out = &m_image.pixels[pixel * 4];
        out[0] = channel(colour.x, surface.emissive.x);
        out[1] = channel(colour.y, surface.emissive.y);
        out[2] = channel(colour.z, surface.emissive.z);
        out[3] = 255;
    }

    // The texel at (u, v), v = 0 the picture's top row, repeated beyond 0..1.
    static std::array<std::uint8_t, 4> Texel(const RgbaImage& texture, float u, float v)
    {
        const auto wrap = [](float t, int size) {
            const float f = t - std::floor(t);
            return std::clamp(static_cast<int>(f * static_cast<float>(size)), 0, size - 1);
        };
        if (!std::isfinite(u) || !std::isfinite(v))
            return {255, 255, 255, 255};
        return texture.At(wrap(u, texture.width), wrap(v, texture.height));
    }

    const Camera& m_camera;
    RgbaImage m_image;
    std::vector<float> m_depth;  // 1 / z of the nearest surface, 0 where none
};

Vec3 Clamped(const Vec3& colour)
{
    return {std::clamp(colour.x, 0.0f, 1.0f), std::clamp(colour.y, 0.0f, 1.0f), std::clamp(colour.z, 0.0f, 1.0f)};
}

void DrawMesh(Canvas& canvas, const Camera& camera, const Scene& scene, const SceneMesh& mesh)
{
    std::vector<Vec3> view(mesh.positions.size());
    for (std::size_t i = 0; i < view.size(); ++i)
        view[i] = camera.ToView(mesh.positions[i]);
    const SceneMaterial kDefault{{0.8f, 0.8f, 0.8f}, {}, {}, -1};
    const bool vertexColours = !mesh.colours.empty() && mesh.colours.size() == mesh.positions.size();
    for (const Triangle& triangle : mesh.triangles) {
        if (std::any_of(triangle.vertices.begin(), triangle.vertices.end(),
                        [&](std::uint32_t v) { return v >= view.size(); }))
            continue;
        const SceneMaterial& material =
            triangle.material < mesh.materials.size() ? mesh.materials[triangle.material] : kDefault;
        Surface surface{Clamped(material.colour), Clamped(material.emissive), nullptr, vertexColours};
        if (material.texture >= 0 && static_cast<std::size_t>(material.texture) < scene.textures.size() &&
            !mesh.uvs.empty())
            surface.texture = &scene.textures[static_cast<std::size_t>(material.texture)];

        std::array<Corner, 3> corners;
        for (std::size_t k = 0; k < 3; ++k) {
            corners[k].view = view[triangle.vertices[k]];
            if (!mesh.uvs.empty()) {
                corners[k].u = mesh.uvs[triangle.vertices[k]][0];
                corners[k].v = mesh.uvs[triangle.vertices[k]][1];
            }
            if (vertexColours)
                corners[k].colour = Clamped(mesh.colours[triangle.vertices[k]]);
        }
        const bool hasNormals = std::all_of(triangle.normals.begin(), triangle.normals.end(),
                                            [&](std::uint32_t n) { return n < mesh.normals.size(); });
        const Vec3 plane = Normalised(Cross(corners[1].view - corners[0].view, corners[2].view - corners[0].view));
        for (std::size_t k = 0; k < 3; ++k)
            corners[k].normal = hasNormals ? camera.Turn(mesh.normals[triangle.normals[k]]) : plane;
        canvas.Draw(corners, surface);
    }
}

}  // namespace

RgbaImage Render(const Scene& scene, const View& view, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    const Camera camera = FrameScene(scene, view, width, height);
    Canvas canvas(camera, width, height);
    for (const SceneMesh& mesh : scene.meshes)
        DrawMesh(canvas, camera, scene, mesh);
    return canvas.Take();
}

}  // namespace verdin::render
