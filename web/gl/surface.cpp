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

void copyParts(FaceMaterial& to, const FaceMaterial& from, std::uint8_t parts) {
    if ((parts & kAmbientPart) != 0) {
        std::copy_n(from.ambient, 4, to.ambient);
    }
    if ((parts & kDiffusePart) != 0) {
        std::copy_n(from.diffuse, 4, to.diffuse);
    }
    if ((parts & kSpecularPart) != 0) {
        std::copy_n(from.specular, 4, to.specular);
    }
    if ((parts & kEmissionPart) != 0) {
        std::copy_n(from.emission, 4, to.emission);
    }
    if ((parts & kShininessPart) != 0) {
        to.shininess = from.shininess;
    }
}
}  // namespace

Surface Surface::unknownCopy() const {
    Surface copy = *this;
    copy.materialParts[0] = copy.materialParts[1] = 0;
    copy.flat.known = copy.textured.known = copy.texture.known = false;
    copy.depthMask.known = copy.clockwise.known = false;
    copy.colorSet = copy.normalSet = copy.texCoordSet = false;
    return copy;
}

void restoreGroups(Surface& surface, const Surface& saved, GLbitfield mask) {
    if ((mask & GL_CURRENT_BIT) != 0) {
        std::copy_n(saved.color, 4, surface.color);
        std::copy_n(saved.normal, 3, surface.normal);
        std::copy_n(saved.texCoord, 2, surface.texCoord);
        surface.colorSet = saved.colorSet;
        surface.normalSet = saved.normalSet;
        surface.texCoordSet = saved.texCoordSet;
    }
    if ((mask & GL_LIGHTING_BIT) != 0) {
        for (int face = 0; face < 2; ++face) {
            surface.material[face] = saved.material[face];
            surface.materialParts[face] = saved.materialParts[face];
        }
        surface.flat = saved.flat;
    }
    if ((mask & GL_DEPTH_BUFFER_BIT) != 0) {
        surface.depthMask = saved.depthMask;
    }
    if ((mask & (GL_ENABLE_BIT | GL_TEXTURE_BIT)) != 0) {
        surface.textured = saved.textured;
    }
    if ((mask & GL_TEXTURE_BIT) != 0) {
        surface.texture = saved.texture;
    }
    if ((mask & GL_POLYGON_BIT) != 0) {
        surface.clockwise = saved.clockwise;
    }
}

void applyKnown(Surface& surface, const Surface& listEnd) {
    for (int face = 0; face < 2; ++face) {
        copyParts(surface.material[face], listEnd.material[face], listEnd.materialParts[face]);
    }
    takeKnown(surface.flat, listEnd.flat);
    takeKnown(surface.textured, listEnd.textured);
    takeKnown(surface.texture, listEnd.texture);
    takeKnown(surface.depthMask, listEnd.depthMask);
    takeKnown(surface.clockwise, listEnd.clockwise);
    if (listEnd.colorSet) {
        std::copy_n(listEnd.color, 4, surface.color);
    }
    if (listEnd.normalSet) {
        std::copy_n(listEnd.normal, 3, surface.normal);
    }
    if (listEnd.texCoordSet) {
        std::copy_n(listEnd.texCoord, 2, surface.texCoord);
    }
}

bool setMaterialPart(FaceMaterial& material, std::uint8_t& knownParts, GLenum pname,
                     const GLfloat* params) {
    switch (pname) {
        case GL_AMBIENT:
            std::copy_n(params, 4, material.ambient);
            knownParts |= kAmbientPart;
            return true;
        case GL_DIFFUSE:
            std::copy_n(params, 4, material.diffuse);
            knownParts |= kDiffusePart;
            return true;
        case GL_AMBIENT_AND_DIFFUSE:
            std::copy_n(params, 4, material.ambient);
            std::copy_n(params, 4, material.diffuse);
            knownParts |= kAmbientPart | kDiffusePart;
            return true;
        case GL_SPECULAR:
            std::copy_n(params, 4, material.specular);
            knownParts |= kSpecularPart;
            return true;
        case GL_EMISSION:
            std::copy_n(params, 4, material.emission);
            knownParts |= kEmissionPart;
            return true;
        case GL_SHININESS:
            material.shininess = params[0];
            knownParts |= kShininessPart;
            return true;
        default:
            return false;
    }
}

bool getMaterialPart(const FaceMaterial& material, GLenum pname, GLfloat* params) {
    switch (pname) {
        case GL_AMBIENT:
            std::copy_n(material.ambient, 4, params);
            return true;
        case GL_DIFFUSE:
            std::copy_n(material.diffuse, 4, params);
            return true;
        case GL_SPECULAR:
            std::copy_n(material.specular, 4, params);
            return true;
        case GL_EMISSION:
            std::copy_n(material.emission, 4, params);
            return true;
        case GL_SHININESS:
            params[0] = material.shininess;
            return true;
        default:
            return false;
    }
}

}  // namespace vgl
