#include "texture/tga_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

// Reads the rest of an open file into image, or returns why it cannot. The
// header is read and checked first, then the file's real size, and only then
// is a pixel buffer of the promised size allocated.
std::string readOpenFile(std::FILE* file, TgaImage& image) {
    unsigned char headerBytes[kTgaHeaderSize];
    const std::size_t headerRead = std::fread(headerBytes, 1, kTgaHeaderSize, file);
    if (headerRead < kTgaHeaderSize) {
        return std::ferror(file) != 0 ? systemReason() : tgaShortHeaderReason(headerRead);
    }
    const TgaHeader header = parseTgaHeader(headerBytes);
    std::string reason = checkTgaHeader(header);
    if (!reason.empty()) {
        return reason;
    }

    if (std::fseek(file, 0, SEEK_END) != 0) {
        return systemReason();
    }
    const long fileSize = std::ftell(file);
    if (fileSize < 0) {
        return systemReason();
    }
    reason = checkTgaFileSize(header, static_cast<std::uint64_t>(fileSize));
    if (!reason.empty()) {
        return reason;
    }

    // The size check bounds the buffer by what the file really holds.
    std::vector<unsigned char> pixels;
    reason = allocateTgaPixels(header, pixels);
    if (!reason.empty()) {
        return reason;
    }
    // The pixels start after the header and the image ID.
    if (std::fseek(file, static_cast<long>(kTgaHeaderSize) + header.idLength, SEEK_SET) != 0) {
        return systemReason();
    }
    if (std::fread(pixels.data(), 1, pixels.size(), file) < pixels.size()) {
        return std::ferror(file) != 0 ? systemReason() : "file ended before its pixel data";
    }
    image = decodeTgaPixels(header, std::move(pixels));
    return std::string();
}

}  // namespace

TgaFileResult readTgaFile(const char* fileName) {
    TgaFileResult result;
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        result.status = TgaFileResult::CannotOpen;
        result.error = systemReason();
        return result;
    }
    result.error = readOpenFile(file, result.image);
    result.status = result.error.empty() ? TgaFileResult::Loaded : TgaFileResult::CannotLoad;
    std::fclose(file);
    return result;
}
