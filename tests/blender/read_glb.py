# Run inside Blender: imports each .glb named after "--" and checks what
# Blender made of it against the file's own JSON: every node an object of the
# same name and parent, every mesh with its triangles, every textured
# material with its image. Prints one line per file; exits 1 on a mismatch.
import json
import struct
import sys

import bpy

failures = []


def glb_json(path):
    with open(path, "rb") as f:
        data = f.read()
    length = struct.unpack_from("<I", data, 12)[0]
    return json.loads(data[20:20 + length])


def extent(objects):
    points = [o.matrix_world @ v.co for o in objects for v in o.data.vertices]
    return [min(p[i] for p in points) for i in range(3)], [max(p[i] for p in points) for i in range(3)]


def joints_of(document):
    return {joint for skin in document.get("skins", []) for joint in skin["joints"]}


def armature_with(bone):
    return next((o for o in bpy.data.objects if o.type == "ARMATURE" and bone in o.data.bones), None)


def bone_action(name):
    """The action of the armature holding the bone, when it animates the bone."""
    armature = armature_with(name)
    action = armature.animation_data.action if armature and armature.animation_data else None
    if action and any(c.data_path.startswith(f'pose.bones["{name}"]') for c in action.fcurves):
        return action
    return None


def check_animation(path, document):
    """Every animated node has an action over the file's key times (a joint's
    is its armature's), and every mesh its morph targets as shape keys."""
    fps = bpy.context.scene.render.fps / bpy.context.scene.render.fps_base
    joints = joints_of(document)
    for animation in document.get("animations", []):
        for channel in animation["channels"]:
            node = document["nodes"][channel["target"]["node"]]
            found = bpy.data.objects.get(node.get("name"))
            times = document["accessors"][animation["samplers"][channel["sampler"]]["input"]]
            if channel["target"]["node"] in joints:
                action = bone_action(node.get("name"))
            elif channel["target"]["path"] == "weights":
                keys = found.data.shape_keys if found else None
                action = keys.animation_data.action if keys and keys.animation_data else None
                targets = len(document["meshes"][node["mesh"]]["primitives"][0]["targets"])
                if not keys or len(keys.key_blocks) != targets + 1:
                    failures.append(f"{path}: {node.get('name')} has no {targets} shape keys")
            else:
                action = found.animation_data.action if found and found.animation_data else None
            if action is None:
                failures.append(f"{path}: {node.get('name')} has no action for its {channel['target']['path']}")
                continue
            end = action.frame_range[1]
            if abs(end - times["max"][0] * fps) > 1:
                failures.append(f"{path}: {node.get('name')}'s action ends at frame {end}, not {times['max'][0] * fps}")


def check(path):
    bpy.ops.wm.read_factory_settings(use_empty=True)
    bpy.ops.import_scene.gltf(filepath=path)
    document = glb_json(path)
    nodes = document.get("nodes", [])
    parents = {}
    for index, node in enumerate(nodes):
        for child in node.get("children", []):
            parents[child] = index
    objects = {o.name: o for o in bpy.data.objects}
    # A skin's joints are bones of an armature, which holds what hangs from
    # them and from the joints' unnamed common root.
    joints = joints_of(document)
    for index, node in enumerate(nodes):
        name = node.get("name")
        if name is None:
            continue
        if index in joints:
            if not armature_with(name):
                failures.append(f"{path}: no bone {name}")
            continue
        found = objects.get(name)
        if found is None:
            failures.append(f"{path}: no object {name}")
            continue
        parent = found.parent.name if found.parent else None
        parent_index = parents.get(index)
        if parent_index in joints or (parent_index is not None and "name" not in nodes[parent_index]):
            continue
        if parent != (nodes[parent_index].get("name") if parent_index is not None else None):
            failures.append(f"{path}: {name} has parent {parent}, not {nodes[parent_index].get('name')}")
        if "mesh" in node:
            found.data.calc_loop_triangles()
            made = len(found.data.loop_triangles)
            want = sum(document["accessors"][p["indices"]]["count"] // 3
                       for p in document["meshes"][node["mesh"]]["primitives"])
            if made != want:
                failures.append(f"{path}: {name} has {made} triangles, not {want}")
    triangles = 0
    for o in bpy.data.objects:
        if o.type == "MESH":
            o.data.calc_loop_triangles()
            triangles += len(o.data.loop_triangles)
    want = sum(document["accessors"][p["indices"]]["count"] // 3 for m in document.get("meshes", [])
               for p in m["primitives"])
    if triangles != want:
        failures.append(f"{path}: {triangles} triangles in all, not {want}")
    images = [i for i in bpy.data.images if i.size[0] > 0]
    textured = sum(1 for m in document.get("materials", []) if "baseColorTexture" in m["pbrMetallicRoughness"])
    if textured and not images:
        failures.append(f"{path}: no image read")
    check_animation(path, document)
    low, high = extent([o for o in bpy.data.objects if o.type == "MESH"])
    channels = sum(len(a["channels"]) for a in document.get("animations", []))
    bones = sum(len(a.bones) for a in bpy.data.armatures)
    print(f"{path}: {len(bpy.data.objects)} objects, {bones} bones, {len(bpy.data.actions)} actions, "
          f"{triangles} triangles, {len(images)} images, {channels} channels, "
          f"from ({low[0]:.3f}, {low[1]:.3f}, {low[2]:.3f}) to ({high[0]:.3f}, {high[1]:.3f}, {high[2]:.3f})")


for path in sys.argv[sys.argv.index("--") + 1:]:
    check(path)
    # The molecule's central sphere at its true size: +-2.707 on every axis.
    if "molecule" in path:
        low, high = extent([bpy.data.objects["Sphere"]])
        if any(abs(v + 2.707) > 0.01 for v in low) or any(abs(v - 2.707) > 0.01 for v in high):
            failures.append(f"{path}: the central sphere spans {low} to {high}, not +-2.707")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
