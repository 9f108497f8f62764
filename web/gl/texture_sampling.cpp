// How a draw samples its texture where WebGL's sampler does not do as OpenGL 1.1 does.
#include "texture_sampling.h"

#include <algorithm>

namespace vgl {

namespace {
bool linear(GLint filter) {
    return filter != GL_NEAREST && filter != GL_NEAREST_MIPMAP_NEAREST &&
           filter != GL_NEAREST_MIPMAP_LINEAR;
}
}  // namespace

bool sampledByTexel(const Texture& texture) {
    const TextureParameters& p = texture.parameters;
    const bool clamped = p.wrapS == GL_CLAMP || p.wrapT == GL_CLAMP;
    return texture.level(0).border != 0 ||
           (clamped && (linear(p.minFilter) || linear(p.magFilter)));
}

ProgramKey textureSampling(const Texture& texture, bool line, DrawParameters& parameters) {
    if (!sampledByTexel(texture)) {
        return 0;
    }
    const TextureLevel& image = texture.level(0);
    const TextureParameters& p = texture.parameters;
    parameters.textureSize[0] = image.width - 2 * image.border;
    parameters.textureSize[1] = line ? 1 : image.height - 2 * image.border;
    parameters.textureBorder = image.border;
    parameters.textureLine = line ? 1 : 0;
    parameters.textureWrap[0] = p.wrapS;
    parameters.textureWrap[1] = p.wrapT;
    parameters.textureFilter[0] = p.minFilter;
    parameters.textureFilter[1] = p.magFilter;
    std::copy_n(p.borderColor, 4, parameters.textureBorderColor);
    return kKeyTextureEdges;
}

}  // namespace vgl
