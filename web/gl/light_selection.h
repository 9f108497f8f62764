#pragma once

#include <cstdint>
#include <set>

#include "backend.h"
#include "bounds.h"

namespace vgl {

// Which program lights a draw: one integer of bits, from which the renderer
// writes the vertex shader and under which it keeps the program.
using ProgramKey = std::uint64_t;
// Per light i, four bits from bit 4i: on, positional, spot (a cutoff) and
// attenuated (a positional light that fades with distance).
constexpr int kKeyBitsPerLight = 4;
constexpr ProgramKey kKeyLightOn = 1;
constexpr ProgramKey kKeyPositional = 2;
constexpr ProgramKey kKeySpot = 4;
constexpr ProgramKey kKeyAttenuated = 8;
// Above the lights' 32 bits.
constexpr ProgramKey kKeyLighting = ProgramKey{1} << 32;
constexpr ProgramKey kKeyTwoSide = ProgramKey{1} << 33;
// Points, which the vertex shader gives their size.
constexpr ProgramKey kKeyPoints = ProgramKey{1} << 34;
// Lines wider than a pixel, which the vertex shader makes of triangles.
constexpr ProgramKey kKeyWideLines = ProgramKey{1} << 35;
// Lighting for a viewer at the eye rather than infinitely far.
constexpr ProgramKey kKeyLocalViewer = ProgramKey{1} << 36;
// The alpha test, with a comparison that can fail.
constexpr ProgramKey kKeyAlphaTest = ProgramKey{1} << 37;
// Fog, two bits from bit kKeyFogShift: 0 for none, else its mode's number.
constexpr int kKeyFogShift = 38;
constexpr ProgramKey kKeyFogLinear = 1;
constexpr ProgramKey kKeyFogExp = 2;
constexpr ProgramKey kKeyFogExp2 = 3;
// Colour material, lit: from bit kKeyColorMaterialShift, three bits for the
// parameter the vertex colour stands for (1 ambient, 2 diffuse, 3 specular,
// 4 emission, 5 ambient and diffuse), then two for its faces (1 front,
// 2 back, 3 both); 0 for none.
constexpr int kKeyColorMaterialShift = 40;
// A texture matrix other than the identity: texture coordinates are carried
// by it, and divided by their q where looked up.
constexpr ProgramKey kKeyTextureMatrix = ProgramKey{1} << 45;
// The user clip planes that are on, one bit each from bit kKeyClipShift.
constexpr int kKeyClipShift = 46;
// A texture function other than modulating the fragment's colour by the
// texel or replacing it with one (RenderState::textureEnvMode, the draw's
// DrawParameters::textureBase).
constexpr ProgramKey kKeyTextureFunction = ProgramKey{1} << 52;
// Keys from here on pass 2^53 and are kept as text by the renderer; the
// room's never do.
// Vertices that carry their own depth offset (above kFlagBits).
constexpr ProgramKey kKeyDepthOffset = ProgramKey{1} << 53;
// Polygons cut by the 32 x 32 stipple pattern.
constexpr ProgramKey kKeyPolygonStipple = ProgramKey{1} << 54;
// Lines cut by the line stipple, drawn as wide lines are, with where the
// stipple stands at each segment's start (vglLineStipple).
constexpr ProgramKey kKeyLineStipple = ProgramKey{1} << 55;
// Texture coordinates generated: two bits each for s, t and q from bit
// kKeyTexGenShift, 0 for none, else the mode's number.
constexpr int kKeyTexGenShift = 56;
constexpr ProgramKey kKeyTexGenObject = 1;
constexpr ProgramKey kKeyTexGenEye = 2;
constexpr ProgramKey kKeyTexGenSphere = 3;
// Smooth points (with kKeyPoints) or lines (with kKeyWideLines): their
// coverage of each fragment multiplied into its alpha.
constexpr ProgramKey kKeySmooth = ProgramKey{1} << 62;
// A texture the fragment shader samples texel by texel (DrawParameters'
// texture sampling): one with a border, or one clamped with GL_CLAMP and a
// linear filter, whose edges blend with its border colour.
constexpr ProgramKey kKeyTextureEdges = ProgramKey{1} << 63;

// The key for lighting with the lights in `on` (bit i: light i); without
// lighting, the one key 0 whatever the lights and sides.
ProgramKey programKey(bool lighting, bool twoSide, const PackedLight* lights, unsigned on);

// Whether any point of a ball (eye coordinates) lies inside the light's cone.
// Lights that are not positional spots reach everywhere. Answers false only
// where the spot factor is 0 for the whole box, so leaving the light out there
// changes nothing: outside its cone a spot gives nothing, ambient included.
bool lightReaches(const PackedLight& light, const Sphere& eyeSphere);

// The lights as last sent, and the program each drawn box needs: the lights
// that are on and can reach it.
class LightSelection {
   public:
    // `shared`: the key's bits for what all draws share besides their lights.
    void update(const RenderState& state, unsigned enabled, bool lighting, bool twoSide,
                ProgramKey shared = 0);
    // Every light that is on, wherever it reaches.
    ProgramKey everyLight() const;
    // The positional spot lights, on or off, whose cones reach the ball
    // (eye coordinates).
    unsigned conesReaching(const Sphere& eyeSphere) const;
    // The program for what those cones reach: the lights that are on
    // without a cone, and the cone that reaches, or every cone where more
    // than one does. Cones are there whether on or off: a spot light that is
    // off is scaled by 0 in the shader (RenderState::lightOn), so switching
    // it needs no other program. A light more than those that reach adds
    // exactly 0, so the pictures are the same with any of these programs.
    ProgramKey reaching(unsigned cones) const;
    // Has the renderer make every program reaching() can answer with the
    // lights as they are, once: no frame after the first waits for one.
    void prepareAll();

   private:
    PackedLight lights_[kMaxLights] = {};
    unsigned enabled_ = 0;
    unsigned cones_ = 0;  // the positional spot lights, on or off
    bool lighting_ = false;
    bool twoSide_ = false;
    ProgramKey shared_ = 0;
    std::set<ProgramKey> prepared_;  // the key with every cone, per set prepared
};

}  // namespace vgl
