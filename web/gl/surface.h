#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "material_table.h"

namespace vgl {

// A setting a primitive is drawn with. Inside a display list it is unknown
// until the list sets it: the list then takes the setting in force where it
// is called. Outside lists every setting is known.
template <typename T>
struct Setting {
    T value{};
    bool known = true;

    void set(T v) {
        value = v;
        known = true;
    }
};

// Every material parameter glMaterial sets, one bit each.
constexpr std::uint8_t kAllMaterialParts = 0x1f;

// The state that travels with recorded geometry rather than being fixed for a
// whole draw: materials, shading, texturing, depth writes and winding, and
// the current vertex attributes.
struct Surface {
    FaceMaterial material[2];                                                // front, back
    std::uint8_t materialParts[2] = {kAllMaterialParts, kAllMaterialParts};  // known parts
    Setting<bool> flat{false};
    Setting<bool> textured{false};
    Setting<GLuint> texture{0};
    Setting<bool> depthMask{true};
    Setting<bool> clockwise{false};
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // s, t, r and q
    // Whether a polygon's edges from the vertices that follow are boundary
    // edges.
    bool edgeFlag = true;
    // Whether a display list set the current vertex attributes.
    bool colorSet = true;
    bool normalSet = true;
    bool texCoordSet = true;
    bool edgeFlagSet = true;

    // The surface at the start of a display list: nothing known but the
    // current vertex attributes, which start as they are now.
    Surface unknownCopy() const;
};

// Takes on whatever a display list left known: its effect on the state in
// force where it is called.
void applyKnown(Surface& surface, const Surface& listEnd);
// Only its materials and current vertex attributes: what a list may set
// between glBegin and glEnd.
void applyCurrent(Surface& surface, const Surface& listEnd);

// Sets parameter pname (GL_AMBIENT ... GL_SHININESS, GL_AMBIENT_AND_DIFFUSE)
// of a face's material; false for a parameter glMaterial does not take.
bool setMaterialPart(FaceMaterial& material, std::uint8_t& knownParts, GLenum pname,
                     const GLfloat* params);
// Reads it back as glGetMaterialfv does; false for an unknown parameter.
bool getMaterialPart(const FaceMaterial& material, GLenum pname, GLfloat* params);

}  // namespace vgl
