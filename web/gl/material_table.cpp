#include "material_table.h"

#include <algorithm>
#include <iterator>

namespace vgl {

namespace {
bool same(const FaceMaterial& a, const FaceMaterial& b) {
    return std::equal(a.ambient, a.ambient + 4, b.ambient) &&
           std::equal(a.diffuse, a.diffuse + 4, b.diffuse) &&
           std::equal(a.specular, a.specular + 4, b.specular) &&
           std::equal(a.emission, a.emission + 4, b.emission) && a.shininess == b.shininess;
}
}  // namespace

std::uint16_t MaterialTable::intern(const FaceMaterial& material) {
    if (lastNumber_ != kCurrentMaterial && same(material, last_)) {
        return lastNumber_;
    }
    last_ = material;
    lastNumber_ = find(material);
    return lastNumber_;
}

std::uint16_t MaterialTable::find(const FaceMaterial& material) {
    Key key(std::begin(material.ambient), std::end(material.ambient));
    key.insert(key.end(), std::begin(material.diffuse), std::end(material.diffuse));
    key.insert(key.end(), std::begin(material.specular), std::end(material.specular));
    key.insert(key.end(), std::begin(material.emission), std::end(material.emission));
    key.push_back(material.shininess);
    const auto found = numbers_.find(key);
    if (found != numbers_.end()) {
        return found->second;
    }
    if (materials_.size() >= kCurrentMaterial) {
        return kCurrentMaterial;
    }
    const auto number = static_cast<std::uint16_t>(materials_.size());
    materials_.push_back(material);
    numbers_.emplace(std::move(key), number);
    return number;
}

}  // namespace vgl
