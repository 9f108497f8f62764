// libFuzzer target for the TGA decoder: any bytes must either decode to a
// picture of the promised size or be rejected with a reason, without reading
// outside the input (AddressSanitizer) or undefined behaviour (UBSan).
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "texture/tga.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TgaResult result = decodeTga(data, size);
    if (!result.ok) {
        if (result.error.empty()) {
            __builtin_trap();  // a rejection always says why
        }
        return 0;
    }
    const TgaImage& image = result.image;
    if (image.width <= 0 || image.height <= 0 ||
        image.bgr.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        __builtin_trap();
    }
    // A plain 24-bit file with no image ID and lower-left origin is passed
    // through byte for byte.
    const bool plain = data[0] == 0 && data[16] == 24 && (data[17] & 0x20) == 0;
    if (plain && std::memcmp(image.bgr.data(), data + kTgaHeaderSize, image.bgr.size()) != 0) {
        __builtin_trap();
    }
    return 0;
}
