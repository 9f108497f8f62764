// GLUT's solids with freeglut 3.4's tessellation: the same vertices, normals
// and triangle strips, so the shapes match the desktop program's exactly.
#include <GL/glut.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const float kPi = 3.14159265358979323846f;

// sin and cos at n steps round a circle (half a circle with `half`), the
// first entry repeated at the end; a negative n runs the other way.
struct CircleTable {
    std::vector<float> sine;
    std::vector<float> cosine;
};

CircleTable circleTable(int n, bool half) {
    const int size = std::abs(n);
    const float angle = (half ? 1.0f : 2.0f) * kPi / static_cast<float>(n == 0 ? 1 : n);
    CircleTable table{std::vector<float>(size + 1), std::vector<float>(size + 1)};
    table.sine[0] = 0.0f;
    table.cosine[0] = 1.0f;
    for (int i = 1; i < size; ++i) {
        // The step times i in single precision, its sine in double.
        const float turn = angle * static_cast<float>(i);
        table.sine[i] = static_cast<float>(std::sin(static_cast<double>(turn)));
        table.cosine[i] = static_cast<float>(std::cos(static_cast<double>(turn)));
    }
    table.sine[size] = half ? 0.0f : table.sine[0];
    table.cosine[size] = half ? -1.0f : table.cosine[0];
    return table;
}

struct Mesh {
    std::vector<float> vertices;  // x, y, z per vertex
    std::vector<float> normals;
    void add(float x, float y, float z, float nx, float ny, float nz) {
        vertices.insert(vertices.end(), {x, y, z});
        normals.insert(normals.end(), {nx, ny, nz});
    }
};

// Draws `parts` primitives of `perPart` indices each.
void drawIndexed(const Mesh& mesh, const std::vector<unsigned>& indices, GLenum mode, int parts,
                 int perPart) {
    for (int part = 0; part < parts; ++part) {
        glBegin(mode);
        for (int i = 0; i < perPart; ++i) {
            const unsigned index = indices[part * perPart + i];
            glNormal3fv(&mesh.normals[index * 3]);
            glVertex3fv(&mesh.vertices[index * 3]);
        }
        glEnd();
    }
}

}  // namespace

extern "C" void glutSolidSphere(double radiusIn, GLint slices, GLint stacks) {
    if (slices == 0 || stacks < 2) {
        return;
    }
    const auto radius = static_cast<float>(radiusIn);
    const CircleTable around = circleTable(-slices, false);
    const CircleTable down = circleTable(stacks, true);
    // The top pole, each stack's ring from the top down, the bottom pole.
    Mesh mesh;
    mesh.add(0.0f, 0.0f, radius, 0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const float x = around.cosine[j] * down.sine[i];
            const float y = around.sine[j] * down.sine[i];
            const float z = down.cosine[i];
            mesh.add(x * radius, y * radius, z * radius, x, y, z);
        }
    }
    mesh.add(0.0f, 0.0f, -radius, 0.0f, 0.0f, -1.0f);
    const auto bottom = static_cast<unsigned>(slices * (stacks - 1) + 1);

    // One strip per stack, each closed by repeating its first pair.
    std::vector<unsigned> strips;
    for (int j = 0; j < slices; ++j) {
        strips.insert(strips.end(), {static_cast<unsigned>(j + 1), 0u});
    }
    strips.insert(strips.end(), {1u, 0u});
    for (int i = 0; i < stacks - 2; ++i) {
        const auto offset = static_cast<unsigned>(1 + i * slices);
        for (int j = 0; j < slices; ++j) {
            strips.insert(strips.end(), {offset + j + slices, offset + j});
        }
        strips.insert(strips.end(), {offset + slices, offset});
    }
    const auto lastRing = static_cast<unsigned>(1 + (stacks - 2) * slices);
    for (int j = 0; j < slices; ++j) {
        strips.insert(strips.end(), {bottom, lastRing + j});
    }
    strips.insert(strips.end(), {bottom, lastRing});
    drawIndexed(mesh, strips, GL_TRIANGLE_STRIP, stacks, (slices + 1) * 2);
}

extern "C" void glutSolidCube(double sizeIn) {
    static const float corners[8][3] = {{.5f, .5f, .5f},   {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},
                                        {.5f, -.5f, .5f},  {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},
                                        {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
    static const float faceNormals[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                            {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    static const int faceCorners[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1},
                                          {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
    const auto size = static_cast<float>(sizeIn);
    // Four vertices per face, each face split into triangles 0 1 2 and 0 2 3.
    Mesh mesh;
    std::vector<unsigned> triangles;
    for (int face = 0; face < 6; ++face) {
        const auto first = static_cast<unsigned>(face * 4);
        for (int corner : faceCorners[face]) {
            const float* c = corners[corner];
            mesh.add(size * c[0], size * c[1], size * c[2], faceNormals[face][0],
                     faceNormals[face][1], faceNormals[face][2]);
        }
        triangles.insert(triangles.end(),
                         {first, first + 1, first + 2, first, first + 2, first + 3});
    }
    drawIndexed(mesh, triangles, GL_TRIANGLES, 1, static_cast<int>(triangles.size()));
}

extern "C" void glutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings) {
    if (sides < 2 || rings < 2) {
        return;
    }
    const auto inner = static_cast<float>(innerRadius);
    const auto outer = static_cast<float>(outerRadius);
    const CircleTable ring = circleTable(rings, false);
    const CircleTable side = circleTable(-sides, false);
    Mesh mesh;
    for (int j = 0; j < rings; ++j) {
        for (int i = 0; i < sides; ++i) {
            const float across = outer + side.cosine[i] * inner;
            mesh.add(ring.cosine[j] * across, ring.sine[j] * across, side.sine[i] * inner,
                     ring.cosine[j] * side.cosine[i], ring.sine[j] * side.cosine[i], side.sine[i]);
        }
    }
    // One strip per side, round every ring and back to the first.
    std::vector<unsigned> strips;
    for (int i = 0; i < sides; ++i) {
        const int next = i == sides - 1 ? -i : 1;
        for (int j = 0; j < rings; ++j) {
            const auto offset = static_cast<unsigned>(j * sides + i);
            strips.insert(strips.end(), {offset, offset + next});
        }
        strips.insert(strips.end(), {static_cast<unsigned>(i), static_cast<unsigned>(i + next)});
    }
    drawIndexed(mesh, strips, GL_TRIANGLE_STRIP, sides, (rings + 1) * 2);
}
