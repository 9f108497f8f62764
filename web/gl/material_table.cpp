#include "material_table.h"

#include <iterator>

namespace vgl {

std::uint16_t MaterialTable::intern(const FaceMaterial& material) {
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
