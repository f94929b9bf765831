#include "IrrlichtReader.h"

#include <irrlicht.h>

#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace verdin::test {

namespace {

// One line per buffer: vertices, indices, red, green, blue, then the texture.
std::string DescribeBuffers(const std::string& path)
{
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = irr::video::EDT_NULL;
    parameters.LoggingLevel = irr::ELL_NONE;
    irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
    if (!device)
        return {};
    std::ostringstream text;
    if (irr::scene::IAnimatedMesh* animated = device->getSceneManager()->getMesh(path.c_str())) {
        text << "loaded\n";
        const irr::scene::IMesh* mesh = animated->getMesh(0);
        for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b) {
            const irr::scene::IMeshBuffer* buffer = mesh->getMeshBuffer(b);
            const irr::video::SMaterial& material = buffer->getMaterial();
            const irr::video::ITexture* texture = material.getTexture(0);
            text << buffer->getVertexCount() << ' ' << buffer->getIndexCount() << ' ' << material.DiffuseColor.getRed()
                 << ' ' << material.DiffuseColor.getGreen() << ' ' << material.DiffuseColor.getBlue() << ' '
                 << (texture ? texture->getName().getPath().c_str() : "") << '\n';
        }
    }
    device->drop();
    return text.str();
}

}  // namespace

IrrlichtScene LoadWithIrrlicht(const std::string& path)
{
    IrrlichtScene scene;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        scene.error = "no pipe";
        return scene;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string text = DescribeBuffers(path);
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t written = write(pipeEnds[1], text.data() + done, text.size() - done);
            if (written <= 0)
                _exit(1);
            done += static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        scene.error = "no child process";
        return scene;
    }
    if (WIFSIGNALED(status)) {
        scene.error = "the loader crashed (signal " + std::to_string(WTERMSIG(status)) + ")";
        return scene;
    }
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != "loaded") {
        scene.error = "the loader refused the file";
        return scene;
    }
    scene.loaded = true;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        IrrlichtBuffer& buffer = scene.buffers.emplace_back();
        fields >> buffer.vertices >> buffer.indices >> buffer.colour[0] >> buffer.colour[1] >> buffer.colour[2];
        fields.get();
        std::getline(fields, buffer.texture);
    }
    return scene;
}

}  // namespace verdin::test
