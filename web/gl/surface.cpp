#include "surface.h"

#include <algorithm>

namespace vgl {

namespace {
const std::uint8_t kAmbientPart = 1;
const std::uint8_t kDiffusePart = 2;
const std::uint8_t kSpecularPart = 4;
const std::uint8_t kEmissionPart = 8;
const std::uint8_t kShininessPart = 16;

template <typename T>
void takeKnown(Setting<T>& setting, const Setting<T>& from) {
    if (from.known) {
        setting = from;
    }
}

// Where parameter pname of a material is kept, how many values it has and
// its bit among the known parts; null for a parameter glMaterial does not take.
template <typename Material>
auto partOf(Material& material, GLenum pname, int& count, std::uint8_t& bit)
    -> decltype(&material.shininess) {
    count = 4;
    switch (pname) {
        case GL_AMBIENT:
            bit = kAmbientPart;
            return material.ambient;
        case GL_DIFFUSE:
            bit = kDiffusePart;
            return material.diffuse;
        case GL_SPECULAR:
            bit = kSpecularPart;
            return material.specular;
        case GL_EMISSION:
            bit = kEmissionPart;
            return material.emission;
        case GL_SHININESS:
            count = 1;
            bit = kShininessPart;
            return &material.shininess;
        default:
            return nullptr;
    }
}

const GLenum kPartNames[] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION, GL_SHININESS};

void copyParts(FaceMaterial& to, const FaceMaterial& from, std::uint8_t parts) {
    for (const GLenum pname : kPartNames) {
        int count = 0;
        std::uint8_t bit = 0;
        const float* values = partOf(from, pname, count, bit);
        if ((parts & bit) != 0) {
            std::copy_n(values, count, partOf(to, pname, count, bit));
        }
    }
}
}  // namespace

Surface Surface::unknownCopy() const {
    Surface copy = *this;
    copy.materialParts[0] = copy.materialParts[1] = 0;
    copy.flat.known = copy.textured.known = copy.texture.known = false;
    copy.depthMask.known = copy.clockwise.known = false;
    copy.colorSet = copy.normalSet = copy.texCoordSet = copy.edgeFlagSet = false;
    return copy;
}

void applyKnown(Surface& surface, const Surface& listEnd) {
    applyCurrent(surface, listEnd);
    takeKnown(surface.flat, listEnd.flat);
    takeKnown(surface.textured, listEnd.textured);
    takeKnown(surface.texture, listEnd.texture);
    takeKnown(surface.depthMask, listEnd.depthMask);
    takeKnown(surface.clockwise, listEnd.clockwise);
}

void applyCurrent(Surface& surface, const Surface& listEnd) {
    for (int face = 0; face < 2; ++face) {
        copyParts(surface.material[face], listEnd.material[face], listEnd.materialParts[face]);
        surface.materialParts[face] |= listEnd.materialParts[face];
    }
    // What the list set counts as set where it is called, so that a list
    // calling it sets it too.
    if (listEnd.colorSet) {
        std::copy_n(listEnd.color, 4, surface.color);
        surface.colorSet = true;
    }
    if (listEnd.normalSet) {
        std::copy_n(listEnd.normal, 3, surface.normal);
        surface.normalSet = true;
    }
    if (listEnd.texCoordSet) {
        std::copy_n(listEnd.texCoord, 4, surface.texCoord);
        surface.texCoordSet = true;
    }
    if (listEnd.edgeFlagSet) {
        surface.edgeFlag = listEnd.edgeFlag;
        surface.edgeFlagSet = true;
    }
}

bool setMaterialPart(FaceMaterial& material, std::uint8_t& knownParts, GLenum pname,
                     const GLfloat* params) {
    if (pname == GL_AMBIENT_AND_DIFFUSE) {
        return setMaterialPart(material, knownParts, GL_AMBIENT, params) &&
               setMaterialPart(material, knownParts, GL_DIFFUSE, params);
    }
    int count = 0;
    std::uint8_t bit = 0;
    float* values = partOf(material, pname, count, bit);
    if (values == nullptr) {
        return false;
    }
    std::copy_n(params, count, values);
    knownParts |= bit;
    return true;
}

bool getMaterialPart(const FaceMaterial& material, GLenum pname, GLfloat* params) {
    int count = 0;
    std::uint8_t bit = 0;
    const float* values = partOf(material, pname, count, bit);
    if (values == nullptr) {
        return false;
    }
    std::copy_n(values, count, params);
    return true;
}

}  // namespace vgl
