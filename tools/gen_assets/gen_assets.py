#!/usr/bin/env python3
"""Writes the cubie's embedded assets into resources/: the rounded-cube model
(OBJ), its chamfered stand-in for software rasterisers (OBJ), its material
library (MTL), the two GLSL 1.10 shaders and the eight levels of the sticker
texture (24-bit BMP). Run by hand; the output is
committed so that a build never needs this script.

    python3 tools/gen_assets/gen_assets.py [output folder, default resources/]
"""

import math
import os
import struct
import sys

GENERATOR = "tools/gen_assets/gen_assets.py"
CRLF = "\r\n"

# ---------------------------------------------------------------- geometry --
# One cubie: flat faces at +-FACE on their axis with corners at +-FLAT[axis]
# in the plane; every edge is rounded by three strips through the cross-section
# points (FACE, flat) (NEAR_LOW, MID) (MID, NEAR_HIGH) (flat, FACE), and every
# corner is closed by six quadrilaterals around one triangle.
FACE = 4.9956
FLAT = (3.6123, 3.6123, 3.6127)  # per axis x, y, z
MID = 4.3065  # strip points, coordinate across the edge
NEAR_LOW = 4.9482  # strip point next to the face of the lower axis
NEAR_HIGH = 4.9481  # strip point next to the face of the higher axis
TIP_IN = 4.2873  # corner ring, the two coordinates off the face axis
TIP_OUT = 4.9206  # corner ring, the coordinate on the face axis

CORNERS = [(sx, sy, sz) for sx in (-1, 1) for sy in (-1, 1) for sz in (-1, 1)]


def point_position(key):
    """Position of a named point of one corner.

    ('P', corner, f): corner of the flat face on axis f.
    ('e', corner, f, g): strip point next to face f on the edge towards face g.
    ('I', corner, f): corner-ring point next to face f.
    """
    kind, corner = key[0], key[1]
    p = [0.0, 0.0, 0.0]
    if kind == "P":
        f = key[2]
        for k in range(3):
            p[k] = FACE if k == f else FLAT[k]
    elif kind == "e":
        f, g = key[2], key[3]
        for k in range(3):
            if k == f:
                p[k] = NEAR_LOW if f < g else NEAR_HIGH
            elif k == g:
                p[k] = MID
            else:
                p[k] = FLAT[k]
    else:
        f = key[2]
        for k in range(3):
            p[k] = TIP_OUT if k == f else TIP_IN
    return tuple(round(c * s, 4) for c, s in zip(p, corner))


def other_axes(f):
    return [k for k in range(3) if k != f]


# ------------------------------------------------------------------ charts --
# Each flat face is one texture island: its square (u0, u1, v0, v1), the first
# strip of every edge around it and the four corner quadrilaterals. It also
# carries the middle strips of the two edges towards the faces of the next
# axis (x carries x-y, y carries y-z, z carries z-x), and the corner triangles
# hang off the ends of those strips. This keeps every island a rectangle grid,
# so no triangle has collinear texture coordinates.
RING = 0.0226  # first strip, as wide in texture space as in the model
BAND = 0.0303  # middle strip
TIP = 0.0250  # height of a corner triangle

# face: (axis, sign) -> (U direction (axis, sign), V direction, square)
FACES = {
    (1, -1): ((2, 1), (0, -1), (0.0729, 0.3065, 0.0729, 0.3065)),
    (1, 1): ((0, 1), (2, -1), (0.0729, 0.3065, 0.4275, 0.6611)),
    (2, 1): ((0, 1), (1, 1), (0.4268, 0.6618, 0.0426, 0.2777)),
    (0, 1): ((1, 1), (2, 1), (0.3972, 0.6323, 0.3972, 0.6323)),
    (2, -1): ((0, 1), (1, -1), (0.3972, 0.6323, 0.6928, 0.9278)),
    (0, -1): ((2, 1), (1, 1), (0.7223, 0.9574, 0.3972, 0.6323)),
}
FACE_ORDER = [(1, -1), (1, 1), (2, 1), (0, 1), (2, -1), (0, -1)]


def band_host(f, g):
    """The face axis whose island carries the middle strip of edge f-g."""
    return f if (f + 1) % 3 == g else g


def offset_of(value):
    """Distance outside the square of an in-plane coordinate."""
    t = abs(value)
    if t < 4.0:
        return 0.0
    if t < 4.5:
        return RING
    return RING + BAND


def chart_uv(face, pos, along_override=None):
    (ua, us), (va, vs), (u0, u1, v0, v1) = FACES[face]
    uv = []
    for (axis, sign), lo, hi in (((ua, us), u0, u1), ((va, vs), v0, v1)):
        value = pos[axis] * sign
        d = offset_of(value)
        if along_override is not None and axis in along_override:
            d = along_override[axis]
        uv.append(hi + d if value > 0 else lo - d)
    return (round(uv[0], 4), round(uv[1], 4))


# ------------------------------------------------------------------- faces --
def faces_of_model():
    """Polygons as lists of (point key, chart face, uv override)."""
    polys = []
    for face in FACE_ORDER:
        f, s = face
        g, h = other_axes(f)
        corners = [c for c in CORNERS if c[f] == s]

        def corner_at(sg, sh):
            return next(c for c in corners if c[g] == sg and c[h] == sh)

        # Flat square.
        polys.append([(("P", corner_at(sg, sh), f), face, None)
                      for sg, sh in ((-1, -1), (1, -1), (1, 1), (-1, 1))])
        # First strip along each of the four edges.
        for axis, across in ((g, h), (h, g)):
            for sa in (-1, 1):
                ends = [corner_at(sa, sb) if axis == g else corner_at(sb, sa)
                        for sb in (-1, 1)]
                polys.append([(("P", ends[0], f), face, None),
                              (("P", ends[1], f), face, None),
                              (("e", ends[1], f, axis), face, None),
                              (("e", ends[0], f, axis), face, None)])
        # Corner quadrilaterals.
        for c in corners:
            polys.append([(("P", c, f), face, None), (("e", c, f, g), face, None),
                          (("I", c, f), face, None), (("e", c, f, h), face, None)])
        # Middle strips carried by this island, each with its two corner pieces.
        for other in (g, h):
            if band_host(f, other) != f:
                continue
            third = 3 - f - other
            for so in (-1, 1):
                ends = [c for c in corners if c[other] == so]
                ends.sort(key=lambda c: c[third])
                a, b = ends
                polys.append([(("e", a, f, other), face, None), (("e", b, f, other), face, None),
                              (("e", b, other, f), face, None), (("e", a, other, f), face, None)])
                for c in (a, b):
                    polys.append([(("e", c, f, other), face, None), (("I", c, f), face, None),
                                  (("I", c, other), face, None), (("e", c, other, f), face, None)])
    return polys


def triangle_options(corner):
    """Ways to hang the corner triangle off the end of a middle strip."""
    options = []
    for f in range(3):
        for other in other_axes(f):
            if band_host(f, other) != f:
                continue
            third = 3 - f - other
            face = (f, corner[f])
            override = {third: RING + TIP, other: RING + BAND / 2}
            options.append([(("I", corner, f), face, None), (("I", corner, other), face, None),
                            (("I", corner, third), face, override)])
    return options


def signed_area(a, b, c):
    return (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def outward(poly_positions):
    """True when the polygon winds counter-clockwise seen from outside."""
    n = (0.0, 0.0, 0.0)
    for i in range(len(poly_positions)):
        n = tuple(x + y for x, y in zip(n, cross(poly_positions[i],
                                                 poly_positions[(i + 1) % len(poly_positions)])))
    centre = tuple(sum(p[k] for p in poly_positions) / len(poly_positions) for k in range(3))
    return dot(n, centre) > 0


def uv_triangles(uvs):
    """The loader's split: a quadrilateral becomes (0, 1, 3) and (1, 2, 3)."""
    if len(uvs) == 3:
        return [uvs]
    return [(uvs[0], uvs[1], uvs[3]), (uvs[1], uvs[2], uvs[3])]


def overlaps(t1, t2, eps=1e-6):
    """Interiors of two counter-clockwise 2D triangles intersect."""
    for tri in (t1, t2):
        for i in range(3):
            a, b = tri[i], tri[(i + 1) % 3]
            edge = (b[0] - a[0], b[1] - a[1])
            normal = (edge[1], -edge[0])
            p1 = [normal[0] * p[0] + normal[1] * p[1] for p in t1]
            p2 = [normal[0] * p[0] + normal[1] * p[1] for p in t2]
            if max(p1) <= min(p2) + eps or max(p2) <= min(p1) + eps:
                return False
    return True


U_RANGE = (0.02, 0.98)
V_RANGE = (0.02, 0.9504)


def place_triangles(corners, placed):
    """Hangs each corner's triangle off one of its strips so that no two
    triangles of the texture overlap (depth-first over the choices)."""
    if not corners:
        return []
    for option in triangle_options(corners[0]):
        tri = [chart_uv(face, point_position(k), o) for k, face, o in option]
        if signed_area(*tri) < 0:
            tri = [tri[0], tri[2], tri[1]]
        inside = all(U_RANGE[0] - 1e-9 <= u <= U_RANGE[1] + 1e-9 and
                     V_RANGE[0] - 1e-9 <= v <= V_RANGE[1] + 1e-9 for u, v in tri)
        if inside and not any(overlaps(tri, t) for t in placed):
            rest = place_triangles(corners[1:], placed + [tuple(tri)])
            if rest is not None:
                return [option] + rest
    return None


def build_model():
    polys = faces_of_model()
    placed = []
    for p in polys:
        placed.extend(uv_triangles([chart_uv(face, point_position(k), o) for k, face, o in p]))
    chosen = place_triangles(CORNERS, placed)
    if chosen is None:
        raise SystemExit("no room for the corner triangles")
    polys.extend(chosen)
    return indexed([[(k, point_position(k), (face, k), chart_uv(face, point_position(k), o)) for k, face, o in p]
                    for p in polys])


def indexed(polys):
    """OBJ arrays from polygons given as lists of (position key, position,
    texcoord key, texcoord); each face wound outward, numbered from 1."""
    positions, position_index = [], {}
    texcoords, texcoord_index = [], {}
    faces = []
    for p in polys:
        if not outward([pos for _, pos, _, _ in p]):
            p = [p[0]] + list(reversed(p[1:]))
        face = []
        for key, pos, uv_key, uv in p:
            if key not in position_index:
                position_index[key] = len(positions)
                positions.append(pos)
            if uv_key not in texcoord_index:
                texcoord_index[uv_key] = len(texcoords)
                texcoords.append(uv)
            face.append((position_index[key] + 1, texcoord_index[uv_key] + 1))
        faces.append(face)
    return positions, texcoords, faces


def check_model(positions, texcoords, faces):
    allowed = {3.6123, 3.6127, 4.2873, 4.3065, 4.9206, 4.9481, 4.9482, 4.9956}
    assert len(positions) == 96 and len(texcoords) == 152 and len(faces) == 98
    assert sum(len(f) == 4 for f in faces) == 90 and sum(len(f) == 3 for f in faces) == 8
    assert all(abs(c) in allowed for p in positions for c in p)
    return check_faces(positions, texcoords, faces)


def check_faces(positions, texcoords, faces):
    """Every face wound outward, its texture the same way round, every
    texcoord inside the atlas; returns the smallest texture triangle's area."""
    smallest = 1.0
    for f in faces:
        pos = [positions[i - 1] for i, _ in f]
        assert outward(pos)
        for tri in uv_triangles([texcoords[t - 1] for _, t in f]):
            area = signed_area(*tri)
            assert area > 0, "texture winding differs from the model's"
            smallest = min(smallest, area)
    assert all(in_texture(uv) for uv in texcoords)
    return smallest


# ------------------------------------------------------- chamfered cubie --
# The same cubie for software rasterisers, in 44 triangles instead of 188. The
# first strip of every edge leans only 4 degrees off its flat side, so it is
# folded into the side (each side a square out to MID, its texture the same
# square and ring); the middle strip becomes one chamfer from side to side,
# and every corner one triangle. It holds the rounded cubie whole within the
# same extent, so whatever hides part of the rounded cubie hides it too.
CHAMFER_CORNER = 13.6086  # x + y + z of the corner triangle's plane


def chamfer_point(corner, pos):
    return tuple(round(c * s, 4) for c, s in zip(pos, corner))


def chamfered_faces():
    """Polygons as lists of (position, chart face)."""
    polys = []
    for face in FACE_ORDER:
        f, s = face
        g, h = other_axes(f)
        square = []
        for sg, sh in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
            p = [0.0, 0.0, 0.0]
            p[f], p[g], p[h] = FACE * s, MID * sg, MID * sh
            square.append((tuple(p), face))
        polys.append(square)
        # Chamfers carried by this island: each from this side to the next.
        for other in (g, h):
            if band_host(f, other) != f:
                continue
            third = 3 - f - other
            for so in (-1, 1):
                quad = []
                for st, on_this in ((-1, True), (1, True), (1, False), (-1, False)):
                    p = [0.0, 0.0, 0.0]
                    p[f] = s * (FACE if on_this else MID)
                    p[other] = so * (MID if on_this else FACE)
                    p[third] = st * MID
                    quad.append((tuple(p), face))
                polys.append(quad)
    for corner in CORNERS:
        # Charted beyond the square's corner of the first of its three
        # islands that has room there.
        points = []
        for axis in range(3):
            p = [MID, MID, MID]
            p[axis] = FACE
            points.append(chamfer_point(corner, p))
        face = next(face for face in ((f, corner[f]) for f in range(3))
                    if all(in_texture(chart_uv(face, p)) for p in points))
        polys.append([(p, face) for p in points])
    return polys


def in_texture(uv):
    return U_RANGE[0] <= uv[0] <= U_RANGE[1] and V_RANGE[0] <= uv[1] <= V_RANGE[1]


def build_chamfered_model():
    return indexed([[(pos, pos, (chart, pos), chart_uv(chart, pos)) for pos, chart in p] for p in chamfered_faces()])


def check_chamfered_model(positions, texcoords, faces, rounded_positions):
    assert len(faces) == 26 and sum(len(f) == 3 for f in faces) == 8
    check_faces(positions, texcoords, faces)
    # Every point of the rounded cubie lies inside the chamfered one.
    for p in rounded_positions:
        a = sorted(abs(c) for c in p)
        assert a[2] <= FACE and a[1] + a[2] <= FACE + MID + 1e-9
        assert sum(a) <= CHAMFER_CORNER + 1e-9


def obj_text(positions, texcoords, faces, title="Rounded cubie of the cubesaver puzzle"):
    lines = ["# %s, one object, CR LF line ends." % title,
             "# Generated by %s; edit the generator, not this file." % GENERATOR,
             "",
             "mtllib rectangle_object.mtl",
             "#", "# object Box001", "#"]
    lines += ["v  %.4f %.4f %.4f" % p for p in positions]
    lines.append("# %d vertices" % len(positions))
    lines += ["vt %.4f %.4f 0.0000" % t for t in texcoords]
    lines.append("# %d texture coords" % len(texcoords))
    lines += ["o Box001", "g Box001", "usemtl 01___Default"]
    for f in faces:
        lines.append("f " + "".join("%d/%d " % pair for pair in f))
    quads = sum(len(f) == 4 for f in faces)
    lines.append("# %d polygons - %d triangles" % (quads, len(faces) - quads))
    lines.append("")
    return CRLF.join(lines) + CRLF


def mtl_text():
    lines = ["# Material library of the cubesaver cubie model.",
             "# Generated by %s; edit the generator, not this file." % GENERATOR,
             "",
             "newmtl 01___Default",
             "\tNs 96.0784", "\tNi 1.5000", "\td 1.0000", "\tTr 0.0000",
             "\tTf 1.0000 1.0000 1.0000 ", "\tillum 2",
             "\tKa 1.0000 0.0000 1.0000", "\tKd 0.6400 0.0400 0.6400",
             "\tKs 0.5000 0.0000 0.5000", "\tKe 0.0000 0.0000 0.0000"]
    return CRLF.join(lines)


VERTEX_SHADER = """#version 110
// Cubie vertex shader. Generated by {gen}.
// Moves a vertex into eye space and clip space and hands the fragment
// shader the normal, the light vector and the view vector in eye space.

attribute vec4 position;
attribute vec2 position_tex;
attribute vec3 position_normal;
attribute vec3 position_tangent;
attribute vec3 position_bitangent;

uniform mat4 mv_matrix;
uniform mat4 proj_matrix;
uniform vec3 light_pos;

varying vec2 tex;
varying vec3 N;
varying vec3 L;
varying vec3 V;

void main()
{{
    vec4 P = mv_matrix * position;
    N = (mv_matrix * vec4(position_normal, 0.0)).xyz;
    L = light_pos - P.xyz;
    V = -P.xyz;
    tex = position_tex;
    gl_Position = proj_matrix * P;
}}
//~
"""

FRAGMENT_SHADER = """#version 110
// Cubie fragment shader. Generated by {gen}.
// Ambient, diffuse and Phong specular light from one white point light.

uniform sampler2D s;

varying vec2 tex;
varying vec3 N;
varying vec3 L;
varying vec3 V;

void main()
{{
    const vec3 specular_albedo = vec3(0.7, 0.7, 0.7);
    const float specular_power = 16.0;
    const vec3 ambient = vec3(0.1, 0.1, 0.1);

    vec3 N = normalize(N);
    vec3 L = normalize(L);
    vec3 V = normalize(V);
    vec3 R = reflect(-L, N);

    vec3 diffuse_albedo = texture2D(s, tex).rgb;
    vec3 diffuse = max(dot(N, L), 0.0) * diffuse_albedo;
    vec3 specular = pow(max(dot(R, V), 0.0), specular_power) * specular_albedo;

    gl_FragColor = vec4(ambient + diffuse + specular, 1.0);
}}
//~
"""


def shader_text(template):
    return template.format(gen=GENERATOR).replace("\n", CRLF)


# ----------------------------------------------------------------- texture --
GROUND = (64, 64, 64)
# colour, first and last column, first and last row (row 0 at the top)
STICKERS = [
    ((34, 177, 76), 52, 78, 11, 37),
    ((255, 255, 255), 10, 38, 44, 72),
    ((63, 72, 204), 53, 78, 49, 75),
    ((255, 127, 39), 94, 120, 49, 75),
    ((255, 242, 0), 11, 37, 90, 116),
    ((237, 28, 36), 56, 82, 94, 120),
]


def atlas():
    """128x128 rows of RGB, top row first. Each sticker blends into the ground
    over one pixel: half colour beside a side, a quarter beside a corner."""
    size = 128
    img = [[GROUND] * size for _ in range(size)]
    for colour, c0, c1, r0, r1 in STICKERS:
        for y in range(r0 - 1, r1 + 2):
            for x in range(c0 - 1, c1 + 2):
                wx = 1.0 if c0 <= x <= c1 else 0.5
                wy = 1.0 if r0 <= y <= r1 else 0.5
                w = wx * wy
                img[y][x] = tuple(int(round(g + (c - g) * w)) for c, g in zip(colour, GROUND))
    return img


def halve(img):
    n = len(img) // 2
    return [[tuple((img[2 * y][2 * x][k] + img[2 * y][2 * x + 1][k] +
                    img[2 * y + 1][2 * x][k] + img[2 * y + 1][2 * x + 1][k] + 2) // 4
                   for k in range(3))
             for x in range(n)] for y in range(n)]


def bmp_bytes(img):
    """24-bit uncompressed BMP with a 40-byte info header, rows bottom-up."""
    height, width = len(img), len(img[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


# -------------------------------------------------------------------- main --
def write(folder, name, data):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("ascii"))
    print("wrote %s (%d bytes)" % (os.path.normpath(path), os.path.getsize(path)))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")
    positions, texcoords, faces = build_model()
    smallest = check_model(positions, texcoords, faces)
    print("model: %d v, %d vt, %d f; smallest texture cross product %.6f"
          % (len(positions), len(texcoords), len(faces), smallest))
    write(folder, "rectangle_object.obj", obj_text(positions, texcoords, faces))
    write(folder, "rectangle_object.mtl", mtl_text())
    chamfered = build_chamfered_model()
    check_chamfered_model(*chamfered, positions)
    print("chamfered model: %d v, %d vt, %d f" % tuple(len(x) for x in chamfered))
    write(folder, "chamfered_cubie.obj",
          obj_text(*chamfered, title="Chamfered cubie for software rasterisers"))
    write(folder, "cubie.vert", shader_text(VERTEX_SHADER))
    write(folder, "cubie.frag", shader_text(FRAGMENT_SHADER))
    img = atlas()
    size = 128
    while True:
        write(folder, "cubie_texture_%d.bmp" % size, bmp_bytes(img))
        if size == 1:
            break
        img = halve(img)
        size //= 2


if __name__ == "__main__":
    main()
