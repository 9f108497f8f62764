#include "texture/tga.h"

#include <cstring>

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

TgaImage decodeTgaPixels(const TgaHeader& header, const unsigned char* pixels) {
    TgaImage image;
    image.width = header.width;
    image.height = header.height;
    const std::size_t width = static_cast<std::size_t>(header.width);
    const std::size_t height = static_cast<std::size_t>(header.height);
    const std::size_t bytesPerPixel = static_cast<std::size_t>(header.depth / 8);
    image.bgr.resize(width * height * 3);

    // Rows go out bottom row first; a top-left-origin file stores them top row
    // first, so its rows are taken in reverse.
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t fileRow = header.topLeftOrigin ? height - 1 - row : row;
        const unsigned char* source = pixels + fileRow * width * bytesPerPixel;
        unsigned char* target = image.bgr.data() + row * width * 3;
        if (bytesPerPixel == 3) {
            std::memcpy(target, source, width * 3);
            continue;
        }
        // 32-bit pixels: keep blue, green, red and drop the alpha byte.
        for (std::size_t x = 0; x < width; ++x) {
            std::memcpy(target + x * 3, source + x * bytesPerPixel, 3);
        }
    }
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
    result.image = decodeTgaPixels(header, data + kTgaHeaderSize + header.idLength);
    result.ok = true;
    return result;
}
