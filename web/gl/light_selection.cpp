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
    // Unlit, a vertex takes its colour as it is: which lights are on, and
    // how each side would be lit, change nothing drawn.
    if (!lighting) {
        return 0;
    }
    ProgramKey key = kKeyLighting | (twoSide ? kKeyTwoSide : 0);
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

bool lightReaches(const PackedLight& light, const Sphere& eyeSphere) {
    if (!positional(light) || !spot(light)) {
        return true;
    }
    // The ball against the cone, in the plane of the cone's axis and the
    // ball's centre: a along the axis, d away from it.
    float v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = eyeSphere.centre[i] - light.position[i] / light.position[3];
    }
    const float axisLength = std::sqrt(dot(light.spotDirection, light.spotDirection));
    if (axisLength == 0.0f) {
        return true;
    }
    // A little slack for rounding: leaving a light out must never be wrong.
    const float radius = eyeSphere.radius * 1.001f + 1e-4f;
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

void LightSelection::update(const RenderState& state, unsigned enabled, bool lighting, bool twoSide,
                            ProgramKey shared) {
    shared_ = shared;
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
    return programKey(lighting_, twoSide_, lights_, enabled_) | shared_;
}

unsigned LightSelection::conesReaching(const Sphere& eyeSphere) const {
    unsigned reaching = 0;
    for (int i = 0; i < kMaxLights; ++i) {
        if ((cones_ & (1u << i)) != 0 && lightReaches(lights_[i], eyeSphere)) {
            reaching |= 1u << i;
        }
    }
    return reaching;
}

ProgramKey LightSelection::reaching(unsigned cones) const {
    if (!lighting_) {
        return everyLight();
    }
    unsigned chosen = cones & cones_;
    if ((chosen & (chosen - 1)) != 0) {
        chosen = cones_;
    }
    return programKey(lighting_, twoSide_, lights_, (enabled_ & ~cones_) | chosen) | shared_;
}

void LightSelection::prepareAll() {
    if (!lighting_ || !prepared_.insert(reaching(cones_)).second) {
        return;
    }
    const auto prepare = [](ProgramKey key) {
        vglPrepareProgram(static_cast<unsigned>(key), static_cast<unsigned>(key >> 32));
    };
    prepare(reaching(cones_));
    prepare(reaching(0));
    for (int i = 0; i < kMaxLights; ++i) {
        if ((cones_ & (1u << i)) != 0) {
            prepare(reaching(1u << i));
        }
    }
}

}  // namespace vgl
