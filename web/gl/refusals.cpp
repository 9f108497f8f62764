// What the layer rejects on purpose, in one table.
#include "refusals.h"

#include <iterator>

namespace vgl {

namespace {
constexpr GLenum kOperation = GL_INVALID_OPERATION;
constexpr GLenum kEnum = GL_INVALID_ENUM;
constexpr GLenum kValue = GL_INVALID_VALUE;
}  // namespace

// State that every draw shares is kept out of display lists: a list's
// geometry is recorded once with the state that can travel with it.
constexpr Refusal kRefusals[] = {
    {Refused::ProjectionInList, "glMatrixMode",
     "glMatrixMode of anything but GL_MODELVIEW inside a display list", kOperation},
    {Refused::LoadInList, "glLoadIdentity glLoadMatrixf glLoadMatrixd",
     "glLoadIdentity or glLoadMatrix inside a display list", kOperation},
    {Refused::ProjectiveMultiplyInList, "glMultMatrixf glMultMatrixd glFrustum",
     "a projective glMultMatrix inside a display list", kOperation},
    {Refused::ViewportInList, "glViewport", "glViewport inside a display list", kOperation},
    {Refused::LightInList, "glLightf glLightfv", "glLight inside a display list", kOperation},
    {Refused::LightModelInList, "glLightModeli glLightModelfv",
     "glLightModel inside a display list", kOperation},
    {Refused::EnableInList, "glEnable glDisable",
     "glEnable or glDisable of anything but GL_TEXTURE_2D inside a display list", kOperation},
    {Refused::BlendFuncInList, "glBlendFunc", "glBlendFunc inside a display list", kOperation},
    {Refused::ClearColorInList, "glClearColor", "glClearColor inside a display list", kOperation},
    {Refused::ClearInList, "glClear", "glClear inside a display list", kOperation},
    {Refused::SharedStateInList,
     "glPointSize glLineWidth glLineStipple glCullFace glFogf glFogi glFogfv glFogiv glAlphaFunc "
     "glColorMaterial glDepthFunc glDepthRange glClearDepth "
     "glColorMask glScissor glStencilFunc glStencilOp glStencilMask glClearStencil",
     "the point size, line width or stipple, face culled, fog, alpha test, colour material, "
     "depth function or range, colour mask, scissor box or stencil state inside a display list",
     kOperation},
    {Refused::TexParameterInList, "glTexParameteri", "glTexParameter inside a display list",
     kOperation},
    {Refused::TexEnvInList, "glTexEnvf glTexEnvi", "glTexEnv inside a display list", kOperation},
    {Refused::TexImageInList, "glTexImage2D", "glTexImage2D inside a display list", kOperation},
    {Refused::LineTextures, "glTexImage1D glBindTexture glTexParameteri glGetTexParameteriv",
     "one-dimensional textures (GL_TEXTURE_1D)", kEnum},
    {Refused::VolumeTextures, "glTexImage3D", "glTexImage3D", kEnum},
    // WebGL 2 has no texture borders, and its texture environment takes the
    // colour from the texture where OpenGL keeps the fragment's for GL_ALPHA.
    {Refused::TextureBorders, "glTexImage2D", "texture borders", kValue},
    {Refused::AlphaTextures, "glTexImage2D", "textures of internal format GL_ALPHA", kValue},
    // The renderer draws texture 0 as no texture.
    {Refused::DefaultTextureImage, "glTexImage2D", "an image for the default texture (name 0)",
     kOperation},
    {Refused::ColourIndexImages, "glTexImage2D", "colour-index images", kEnum},
    {Refused::PixelTypes, "glTexImage2D glReadPixels",
     "pixels of a type other than GL_UNSIGNED_BYTE", kEnum},
    {Refused::ReadFormats, "glReadPixels", "reading pixels other than GL_RGB and GL_RGBA", kEnum},
    // A display list is recorded once: it takes what it calls as it is then,
    // draws its primitives whole, and is run only where it is called.
    {Refused::CompileAndExecute, "glNewList",
     "a display list run while it is compiled (GL_COMPILE_AND_EXECUTE)", kEnum},
    {Refused::RedefineCalledList, "glNewList glDeleteLists",
     "redefining or deleting a display list that another list calls", kOperation},
    {Refused::CallListBeingCompiled, "glCallList", "a display list calling itself", kOperation},
    {Refused::EndListInPrimitive, "glEndList", "a display list ending inside a primitive it began",
     kOperation},
    {Refused::CallListWithVerticesInPrimitive, "glCallList",
     "calling a display list that draws between glBegin and glEnd", kOperation},
    {Refused::CallListWithMaterialBetweenVertices, "glCallList",
     "calling a display list that sets a material between the vertices of a primitive", kOperation},
    {Refused::PopMatrixBeyondList, "glPopMatrix",
     "glPopMatrix in a display list of a matrix pushed outside it", kOperation},
    {Refused::PopAttribBeyondList, "glPopAttrib",
     "glPopAttrib in a display list of attributes pushed outside it", kOperation},
    {Refused::CallListSelectingProjection, "glCallList",
     "calling a display list that moves the projection matrix", kOperation},
    // Texture coordinates are drawn as given.
    {Refused::TextureMatrix, "glMatrixMode", "the texture matrix (GL_TEXTURE)", kEnum},
    {Refused::SmoothAndStippled, "glEnable",
     "smooth points and lines, and stippled lines (GL_POINT_SMOOTH, GL_LINE_SMOOTH, "
     "GL_LINE_STIPPLE)",
     kEnum},
    {Refused::ArrayComponents, "glVertexPointer glTexCoordPointer",
     "vertex arrays of four components, and texture coordinate arrays of three or four", kValue},
    {Refused::TextureEnvironment, "glTexEnvf glTexEnvi",
     "a texture environment other than GL_MODULATE and GL_REPLACE", kEnum},
    // A primitive's vertices are recorded with one material at glEnd.
    {Refused::MaterialBetweenVertices, "glMaterialf glMaterialfv",
     "glMaterial between the vertices of a primitive", kOperation},
};
const std::size_t kRefusalCount = std::size(kRefusals);

namespace {
constexpr bool inOrder() {
    for (std::size_t i = 0; i < std::size(kRefusals); ++i) {
        if (static_cast<std::size_t>(kRefusals[i].which) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inOrder(), "the refusals are listed in the order of Refused");
static_assert(kRefusals[std::size(kRefusals) - 1].which == Refused::MaterialBetweenVertices,
              "every refusal is listed, the last of Refused last");
}  // namespace

}  // namespace vgl
