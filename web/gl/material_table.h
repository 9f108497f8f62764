#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace vgl {

// One face's material, as glMaterial sets it, with OpenGL's initial values.
struct FaceMaterial {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
};

// A vertex's material number that stands for the material current when it is
// drawn, rather than one fixed when it was recorded.
constexpr std::uint16_t kCurrentMaterial = 0xffff;

// Every distinct material the recorded geometry uses, numbered in order of
// first use; the shaders look a vertex's material up by its number.
class MaterialTable {
   public:
    // The material's number, added if new; kCurrentMaterial once the table is full.
    std::uint16_t intern(const FaceMaterial& material);
    const std::vector<FaceMaterial>& materials() const {
        return materials_;
    }
    // Grows whenever a material is added, so the shaders' copy is renewed.
    unsigned version() const {
        return static_cast<unsigned>(materials_.size());
    }

   private:
    std::uint16_t find(const FaceMaterial& material);

    using Key = std::vector<float>;
    std::vector<FaceMaterial> materials_;
    // The material asked for last: immediate-mode pieces ask again every frame.
    FaceMaterial last_;
    std::uint16_t lastNumber_ = kCurrentMaterial;
    std::map<Key, std::uint16_t> numbers_;
};

}  // namespace vgl
