#pragma once

// Reading uncompressed true-colour TGA images, without OpenGL, so the decoding
// can be tested and fuzzed on its own. The texture loader uploads the result.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Size of the fixed TGA header that precedes the optional image ID and the pixels.
constexpr std::size_t kTgaHeaderSize = 18;

// The header fields the decoder looks at, as stored in the file.
struct TgaHeader {
    int idLength = 0;            // bytes of image ID between the header and the pixels
    int colourMapType = 0;       // 0: no colour map
    int imageType = 0;           // 2: uncompressed true colour
    int width = 0;               // signed 16-bit in the file
    int height = 0;              // signed 16-bit in the file
    int depth = 0;               // bits per pixel
    bool topLeftOrigin = false;  // descriptor bit 5: first file row is the top row
};

// A decoded picture: width * height pixels of 3 bytes each in blue, green, red
// order, rows packed without padding, bottom row first (texture row t = 0).
struct TgaImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
};

// Either a picture or the reason it could not be produced.
struct TgaResult {
    bool ok = false;
    TgaImage image;
    std::string error;  // short reason when !ok
};

// The reason given for a file of size bytes, too short to hold the header.
std::string tgaShortHeaderReason(std::size_t size);

// Reads the header fields from the first kTgaHeaderSize bytes of a file.
TgaHeader parseTgaHeader(const unsigned char* header);

// Returns an empty string when the decoder can use a file with this header,
// otherwise the reason it cannot.
std::string checkTgaHeader(const TgaHeader& header);

// Bytes of image ID plus pixel data that a usable header promises after the
// fixed header.
std::uint64_t tgaPayloadSize(const TgaHeader& header);

// Returns an empty string when a file of fileSize bytes (at least the header)
// holds everything a usable header promises, otherwise the reason it does not.
std::string checkTgaFileSize(const TgaHeader& header, std::uint64_t fileSize);

// Sizes pixels to exactly the pixel bytes a usable header promises (the
// payload without the image ID). Returns an empty string, or the reason when
// that much memory cannot be had (nothing is thrown).
std::string allocateTgaPixels(const TgaHeader& header, std::vector<unsigned char>& pixels);

// Turns the pixel bytes of a usable header (exactly width * height * depth / 8
// of them) into bottom-row-first blue-green-red rows: alpha is dropped and a
// top-left-origin image is turned upright. Works in the buffer it is given,
// which becomes the picture's, so no second copy of the image is ever held.
TgaImage decodeTgaPixels(const TgaHeader& header, std::vector<unsigned char> pixels);

// Decodes a whole file held in memory. Never reads outside [data, data + size).
TgaResult decodeTga(const unsigned char* data, std::size_t size);
