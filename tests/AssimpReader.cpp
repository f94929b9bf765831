#include "AssimpReader.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

namespace verdin::test {

std::size_t LoadedScene::FaceCount() const
{
    std::size_t count = 0;
    for (const LoadedMesh& mesh : meshes)
        count += mesh.faces.size();
    return count;
}

LoadedScene LoadWithAssimp(const std::string& path)
{
    LoadedScene result;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    if (!scene) {
        result.error = importer.GetErrorString();
        return result;
    }
    result.loaded = true;
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        aiString texture;
        if (scene->mMaterials[m]->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS)
            result.textures.emplace_back(texture.C_Str());
        else
            result.textures.emplace_back();
        aiColor3D colour;
        scene->mMaterials[m]->Get(AI_MATKEY_COLOR_DIFFUSE, colour);
        result.colours.push_back({colour.r, colour.g, colour.b});
    }
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& source = *scene->mMeshes[m];
        LoadedMesh& mesh = result.meshes.emplace_back();
        mesh.hasNormals = source.HasNormals();
        mesh.hasUVs = source.HasTextureCoords(0);
        for (unsigned f = 0; f < source.mNumFaces; ++f) {
            LoadedFace& face = mesh.faces.emplace_back();
            face.material = source.mMaterialIndex;
            for (unsigned c = 0; c < source.mFaces[f].mNumIndices; ++c) {
                const unsigned v = source.mFaces[f].mIndices[c];
                LoadedCorner corner{};
                corner.position = {source.mVertices[v].x, source.mVertices[v].y, source.mVertices[v].z};
                if (mesh.hasNormals)
                    corner.normal = {source.mNormals[v].x, source.mNormals[v].y, source.mNormals[v].z};
                if (mesh.hasUVs)
                    corner.uv = {source.mTextureCoords[0][v].x, source.mTextureCoords[0][v].y};
                face.corners.push_back(corner);
            }
        }
    }
    return result;
}

}  // namespace verdin::test
