#pragma once

#include <limits>
#include <type_traits>

namespace vgl {

// A colour or normal component given as an integer, as OpenGL converts it to
// a float: an unsigned c to c / (2^b - 1), so that its whole range maps onto
// [0, 1]; a signed c to (2c + 1) / (2^b - 1), onto [-1, 1]. Floats and
// doubles are taken as they are.
template <typename T>
constexpr float normalised(T c) {
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<float>(c);
    } else {
        constexpr double most =
            static_cast<double>(std::numeric_limits<std::make_unsigned_t<T>>::max());
        if constexpr (std::is_signed_v<T>) {
            return static_cast<float>((2.0 * c + 1.0) / most);
        } else {
            return static_cast<float>(c / most);
        }
    }
}

}  // namespace vgl
