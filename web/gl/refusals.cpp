// What the layer rejects on purpose, in one table.
#include "refusals.h"

#include <iterator>

namespace vgl {

namespace {
constexpr GLenum kOperation = GL_INVALID_OPERATION;
constexpr GLenum kEnum = GL_INVALID_ENUM;
constexpr GLenum kValue = GL_INVALID_VALUE;
}  // namespace

constexpr Refusal kRefusals[] = {
    {Refused::VolumeTextures, "glTexImage3D", "glTexImage3D", kEnum},
    // The shaders sample a border kept around level 0 (web/js/shaders.js);
    // WebGL's mipmaps must each be half the level above, which levels with
    // borders (2^n + 2 texels a side) are not.
    {Refused::TextureBorders, "glTexImage1D glTexImage2D glCopyTexImage1D glCopyTexImage2D",
     "texture borders on mipmap levels other than the first", kValue},
    {Refused::ColourIndexImages, "glTexImage1D glTexImage2D glTexSubImage1D glTexSubImage2D",
     "colour-index images", kEnum},
    // WebGL 2 reads the window's colours alone.
    {Refused::DepthAndStencilReads, "glReadPixels", "reading depth or stencil pixels", kEnum},
    // A display list's geometry is recorded once, with the lists it calls
    // as they are then; a list that calls others is compiled again when one
    // of them changes. A list calling itself would be compiled without end.
    {Refused::ListCallingItself, "glCallList glCallLists",
     "a display list calling itself, directly or through the lists it calls", kOperation},
    // OpenGL leaves the primitive open for the caller's vertices; Mesa ends
    // it with the list. Neither is drawn, so that the two agree.
    {Refused::EndListInPrimitive, "glEndList", "a display list ending inside a primitive it began",
     kOperation},
    // A list's geometry is drawn whole, its primitives its own.
    {Refused::CallListWithVerticesInPrimitive, "glCallList",
     "calling, between glBegin and glEnd, a display list that begins primitives of its own",
     kOperation},
    // OpenGL calls the list the name has where the list is run; Mesa, the
    // layer's oracle, can crash on it there, so what it draws is unknown.
    {Refused::CallUnknownListInPrimitive, "glCallList glCallLists",
     "calling, between glBegin and glEnd in a display list, a name with no list yet", kOperation},
    // Its matrix calls are compiled into its geometry, for the modelview matrix.
    {Refused::CallListSelectingProjection, "glCallList",
     "calling a display list that draws and moves the matrix selected where it is called, "
     "while the projection or texture matrix is selected",
     kOperation},
    // WebGL 2 blends but has no logic operations.
    {Refused::LogicOperations, "glLogicOp", "logic operations other than GL_COPY", kEnum},
    // WebGL 2 draws to the back buffer alone, and shows it when a frame ends.
    {Refused::OtherBuffers, "glDrawBuffer glReadBuffer",
     "drawing to or reading from buffers other than the back buffer", kOperation},
    {Refused::RasterPositions,
     "glRasterPos glBitmap glDrawPixels glCopyPixels glPixelZoom glPixelMap glGetPixelMap",
     "raster positions and pixel rectangles", kOperation},
    {Refused::RenderModes, "glRenderMode glSelectBuffer glFeedbackBuffer",
     "selection and feedback (GL_SELECT, GL_FEEDBACK)", kEnum},
    {Refused::Evaluators,
     "glMap1 glMap2 glMapGrid glEvalCoord glEvalPoint glEvalMesh glGetMap glEnable", "evaluators",
     kEnum},
    {Refused::Accumulation, "glAccum glClearAccum", "the accumulation buffer", kOperation},
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
static_assert(kRefusals[std::size(kRefusals) - 1].which == Refused::Accumulation,
              "every refusal is listed, the last of Refused last");
}  // namespace

}  // namespace vgl
