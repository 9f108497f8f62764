#include "texture/tga.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

// TGA stores multi-byte fields little-endian; width and height are signed.
int readSigned16(const unsigned char* bytes) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

constexpr int kUncompressedTrueColour = 2;
constexpr unsigned char kTopLeftOriginBit = 0x20;

}  // namespace

std::string tgaShortHeaderReason(std::size_t size) {
    return "file is truncated: " + std::to_string(size) + " bytes, shorter than the " +
           std::to_string(kTgaHeaderSize) + "-byte header";
}

TgaHeader parseTgaHeader(const unsigned char* header) {
    TgaHeader fields;
    fields.idLength = header[0];
    fields.colourMapType = header[1];
    fields.imageType = header[2];
    fields.width = readSigned16(header + 12);
    fields.height = readSigned16(header + 14);
    fields.depth = header[16];
    fields.topLeftOrigin = (header[17] & kTopLeftOriginBit) != 0;
    return fields;
}

std::string checkTgaHeader(const TgaHeader& header) {
    if (header.imageType != kUncompressedTrueColour) {
        return "image type " + std::to_string(header.imageType) +
               " is not uncompressed true colour (type 2)";
    }
    if (header.colourMapType != 0) {
        return "images with a colour map are not supported";
    }
    if (header.depth != 24 && header.depth != 32) {
        return "pixel depth of " + std::to_string(header.depth) + " bits is not 24 or 32";
    }
    if (header.width <= 0 || header.height <= 0) {
        return "image size " + std::to_string(header.width) + "x" + std::to_string(header.height) +
               " is not positive";
    }
    return std::string();
}

std::uint64_t tgaPayloadSize(const TgaHeader& header) {
    // Width and height are below 2^15 and a pixel has at most 4 bytes, so this
    // cannot overflow 64 bits.
    return static_cast<std::uint64_t>(header.idLength) +
           static_cast<std::uint64_t>(header.width) * static_cast<std::uint64_t>(header.height) *
               static_cast<std::uint64_t>(header.depth / 8);
}

std::string checkTgaFileSize(const TgaHeader& header, std::uint64_t fileSize) {
    const std::uint64_t promised = tgaPayloadSize(header);
    const std::uint64_t present = fileSize - kTgaHeaderSize;
    if (present < promised) {
        return "file is truncated: " + std::to_string(present) +
               " bytes follow the header, which promises " + std::to_string(promised);
    }
    return std::string();
}

std::string allocateTgaPixels(const TgaHeader& header, std::vector<unsigned char>& pixels) {
    const std::size_t size = static_cast<std::size_t>(tgaPayloadSize(header)) -
                             static_cast<std::size_t>(header.idLength);
    try {
        pixels.resize(size);
    } catch (const std::bad_alloc&) {
        return "not enough memory for " + std::to_string(size) + " bytes of pixels";
    }
    return std::string();
}

TgaImage decodeTgaPixels(const TgaHeader& header, std::vector<unsigned char> pixels) {
    const std::size_t width = static_cast<std::size_t>(header.width);
    const std::size_t height = static_cast<std::size_t>(header.height);
    const std::size_t bytesPerPixel = static_cast<std::size_t>(header.depth / 8);
    const std::size_t pixelCount = width * height;

    // 32-bit pixels: keep blue, green, red and drop the alpha byte. Each pixel
    // moves toward the start, never past one not yet moved, so this works in place.
    if (bytesPerPixel == 4) {
        for (std::size_t i = 1; i < pixelCount; ++i) {
            std::memmove(pixels.data() + i * 3, pixels.data() + i * 4, 3);
        }
    }
    pixels.resize(pixelCount * 3);  // shrinking keeps the same block

    // Rows go out bottom row first; a top-left-origin file stores them top row
    // first, so its rows are swapped end for end.
    if (header.topLeftOrigin) {
        const std::size_t rowBytes = width * 3;
        for (std::size_t row = 0; row < height / 2; ++row) {
            const auto top = pixels.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
            const auto bottom =
                pixels.begin() + static_cast<std::ptrdiff_t>((height - 1 - row) * rowBytes);
            std::swap_ranges(top, top + static_cast<std::ptrdiff_t>(rowBytes), bottom);
        }
    }

    TgaImage image;
    image.width = header.width;
    image.height = header.height;
    image.bgr = std::move(pixels);
    return image;
}

TgaResult decodeTga(const unsigned char* data, std::size_t size) {
    TgaResult result;
    if (size < kTgaHeaderSize) {
        result.error = tgaShortHeaderReason(size);
        return result;
    }
    const TgaHeader header = parseTgaHeader(data);
    result.error = checkTgaHeader(header);
    if (!result.error.empty()) {
        return result;
    }
    result.error = checkTgaFileSize(header, size);
    if (!result.error.empty()) {
        return result;
    }
    // The image ID, if any, sits between the header and the pixels.
    std::vector<unsigned char> pixels;
    result.error = allocateTgaPixels(header, pixels);
    if (!result.error.empty()) {
        return result;
    }
    std::memcpy(pixels.data(), data + kTgaHeaderSize + header.idLength, pixels.size());
    result.image = decodeTgaPixels(header, std::move(pixels));
    result.ok = true;
    return result;
}
