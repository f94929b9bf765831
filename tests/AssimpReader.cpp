#include "AssimpReader.h"

#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
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

const LoadedNode* LoadedTree::Find(const std::string& name) const
{
    for (const LoadedNode& node : nodes)
        if (node.name == name)
            return &node;
    return nullptr;
}

namespace {

std::array<float, 3> ToArray(const aiVector3D& v)
{
    return {v.x, v.y, v.z};
}

void AddNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parentWorld, const std::string& parent,
             LoadedTree& tree)
{
    const aiMatrix4x4 world = parentWorld * node.mTransformation;
    LoadedNode& loaded = tree.nodes.emplace_back();
    loaded.name = node.mName.C_Str();
    loaded.parent = parent;
    const aiMatrix3x3 normalMatrix = aiMatrix3x3(world).Inverse().Transpose();
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3)
                continue;
            LoadedTriangle triangle{};
            triangle.material = mesh.mMaterialIndex;
            for (unsigned c = 0; c < 3; ++c)
                triangle.corners[c] = ToArray(world * mesh.mVertices[face.mIndices[c]]);
            if (mesh.HasNormals())
                triangle.normal = ToArray((normalMatrix * mesh.mNormals[face.mIndices[0]]).Normalize());
            tree.nodes.back().triangles.push_back(triangle);
        }
    }
    const std::string name = loaded.name;  // the vector may grow below
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        AddNode(scene, *node.mChildren[c], world, name, tree);
}

}  // namespace

LoadedTree LoadTreeWithAssimp(const std::string& path)
{
    LoadedTree tree;
    Assimp::Importer importer;
    // A .x file's faces may have more corners than three.
    const aiScene* scene = importer.ReadFile(path, aiProcess_Triangulate);
    if (!scene || !scene->mRootNode) {
        tree.error = importer.GetErrorString();
        return tree;
    }
    tree.loaded = true;
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        const aiMaterial& source = *scene->mMaterials[m];
        LoadedMaterial& material = tree.materials.emplace_back();
        aiColor4D colour(1, 1, 1, 1);
        source.Get(AI_MATKEY_COLOR_DIFFUSE, colour);
        material.colour = {colour.r, colour.g, colour.b, colour.a};
        source.Get(AI_MATKEY_ROUGHNESS_FACTOR, material.roughness);
        aiString texture;
        if (source.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) {
            material.texture = texture.C_Str();
            if (const aiTexture* embedded = scene->GetEmbeddedTexture(texture.C_Str()))
                material.embeddedFormat = embedded->achFormatHint;
        }
    }
    tree.meshes = scene->mNumMeshes;
    tree.animations = scene->mNumAnimations;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        for (unsigned b = 0; b < scene->mMeshes[m]->mNumBones; ++b) {
            const aiBone& bone = *scene->mMeshes[m]->mBones[b];
            LoadedBone& loaded = tree.bones.emplace_back();
            loaded.node = bone.mName.C_Str();
            const ai_real* offset = bone.mOffsetMatrix[0];
            std::copy(offset, offset + 16, loaded.offset.begin());
            for (unsigned w = 0; w < bone.mNumWeights; ++w)
                loaded.weights.emplace_back(bone.mWeights[w].mVertexId, bone.mWeights[w].mWeight);
        }
    if (scene->mNumAnimations > 0) {
        const aiAnimation& animation = *scene->mAnimations[0];
        for (unsigned c = 0; c < animation.mNumChannels; ++c) {
            const aiNodeAnim& channel = *animation.mChannels[c];
            LoadedMotion& motion = tree.motions.emplace_back();
            motion.node = channel.mNodeName.C_Str();
            for (unsigned k = 0; k < channel.mNumPositionKeys; ++k) {
                motion.positionTimes.push_back(channel.mPositionKeys[k].mTime);
                motion.positions.push_back(ToArray(channel.mPositionKeys[k].mValue));
            }
            for (unsigned k = 0; k < channel.mNumRotationKeys; ++k) {
                const aiMatrix3x3 turn = channel.mRotationKeys[k].mValue.GetMatrix();
                motion.turnedAxes.push_back({ToArray(turn * aiVector3D(1, 0, 0)), ToArray(turn * aiVector3D(0, 1, 0))});
            }
        }
    }
    // assimp's glTF and .x readers put a scene of several root nodes under a
    // root of their own, and one root node at the root.
    const aiNode& root = *scene->mRootNode;
    if (const std::string name = root.mName.C_Str(); name != "ROOT" && name != "$dummy_root")
        AddNode(*scene, root, aiMatrix4x4(), "", tree);
    else
        for (unsigned c = 0; c < root.mNumChildren; ++c)
            AddNode(*scene, *root.mChildren[c], root.mTransformation, "", tree);
    return tree;
}

}  // namespace verdin::test
