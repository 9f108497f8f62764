#include "light_selection.h"

#include <algorithm>
#include <cmath>

namespace vgl {

namespace {

bool positional(const PackedLight& light) {
    return light.position[3] != 0.0f;
}

bool spot(const PackedLight& light) {
    return light.spotCosCutoff >= -1.0f;
}

float dot(const float* a, const float* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace

ProgramKey programKey(bool lighting, bool twoSide, const PackedLight* lights, unsigned on) {
    ProgramKey key = (lighting ? kKeyLighting : 0) | (twoSide ? kKeyTwoSide : 0);
    for (int i = 0; i < kMaxLights; ++i) {
        if ((on & (1u << i)) == 0) {
            continue;
        }
        const PackedLight& light = lights[i];
        const float* fade = light.attenuation;
        const bool attenuated =
            positional(light) && (fade[0] != 1.0f || fade[1] != 0.0f || fade[2] != 0.0f);
        const ProgramKey bits = kKeyLightOn | (positional(light) ? kKeyPositional : 0) |
                                (spot(light) ? kKeySpot : 0) | (attenuated ? kKeyAttenuated : 0);
        key |= bits << (kKeyBitsPerLight * i);
    }
    return key;
}

bool lightReaches(const PackedLight& light, const Box& eyeBox) {
    if (!positional(light) || !spot(light)) {
        return true;
    }
    // The box's bounding sphere against the cone, in the plane of the cone's
    // axis and the sphere's centre: a along the axis, d away from it.
    float apex[3];
    float centre[3];
    float v[3];
    float radius2 = 0.0f;
    for (int i = 0; i < 3; ++i) {
        apex[i] = light.position[i] / light.position[3];
        centre[i] = 0.5f * (eyeBox.min[i] + eyeBox.max[i]);
        const float half = 0.5f * (eyeBox.max[i] - eyeBox.min[i]);
        radius2 += half * half;
        v[i] = centre[i] - apex[i];
    }
    const float axisLength = std::sqrt(dot(light.spotDirection, light.spotDirection));
    if (axisLength == 0.0f) {
        return true;
    }
    // A little slack for rounding: leaving a light out must never be wrong.
    const float radius = std::sqrt(radius2) * 1.001f + 1e-4f;
    const float distance = std::sqrt(dot(v, v));
    if (distance <= radius) {
        return true;
    }
    const float a = dot(v, light.spotDirection) / axisLength;
    const float d = std::sqrt(std::max(0.0f, distance * distance - a * a));
    const float cosine = std::min(1.0f, light.spotCosCutoff);
    const float sine = std::sqrt(std::max(0.0f, 1.0f - cosine * cosine));
    if (a >= cosine * distance) {
        return true;  // the centre is inside the cone
    }
    // Nearest the cone's side, or its apex where the centre lies behind that.
    const float alongSide = a * cosine + d * sine;
    const float gap = alongSide > 0.0f ? d * cosine - a * sine : distance;
    return gap <= radius;
}

void LightSelection::update(const RenderState& state, unsigned enabled, bool lighting,
                            bool twoSide) {
    std::copy(std::begin(state.lights), std::end(state.lights), lights_);
    enabled_ = enabled;
    lighting_ = lighting;
    twoSide_ = twoSide;
    cones_ = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if (positional(lights_[i]) && spot(lights_[i])) {
            cones_ |= 1u << i;
        }
    }
}

ProgramKey LightSelection::everyLight() const {
    return programKey(lighting_, twoSide_, lights_, enabled_);
}

unsigned LightSelection::conesReaching(const Box& eyeBox) const {
    unsigned reaching = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if ((cones_ & (1u << i)) != 0 && lightReaches(lights_[i], eyeBox)) {
            reaching |= 1u << i;
        }
    }
    return reaching;
}

ProgramKey LightSelection::reaching(unsigned cones) const {
    if (!lighting_) {
        return everyLight();
    }
    return programKey(lighting_, twoSide_, lights_, enabled_ & (~cones_ | cones));
}

void LightSelection::prepareFor(unsigned cones) {
    if (!lighting_) {
        return;
    }
    const unsigned always = enabled_ & ~cones_;
    const unsigned optional = cones & cones_;
    const ProgramKey widest = programKey(lighting_, twoSide_, lights_, always | optional);
    if (!prepared_.insert({widest, optional}).second) {
        return;
    }
    // Every subset of the optional lights, the empty one included.
    unsigned subset = optional;
    for (;;) {
        const ProgramKey key = programKey(lighting_, twoSide_, lights_, always | subset);
        vglPrepareProgram(static_cast<unsigned>(key), static_cast<unsigned>(key >> 32));
        if (subset == 0) {
            break;
        }
        subset = (subset - 1) & optional;
    }
}

}  // namespace vgl
