// The TGA decoder and file reader, on files built in memory and in a temp dir.
#include "texture/tga.h"

#include <gtest/gtest.h>
#ifdef __linux__
#include <sys/resource.h>
#endif

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "texture/textures.h"
#include "texture/tga_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Header values of a test file; the defaults describe a plain 24-bit file.
struct FileShape {
    int width = 0;
    int height = 0;
    int depth = 24;
    int imageType = 2;
    int colourMapType = 0;
    int idLength = 0;
    bool topLeft = false;
};

// A distinct blue-green-red colour for every pixel, (x, y) from the bottom left.
void pixelColour(int x, int y, unsigned char* bgr) {
    bgr[0] = static_cast<unsigned char>(x * 7 + y * 31 + 1);
    bgr[1] = static_cast<unsigned char>(x * 13 + y * 5 + 2);
    bgr[2] = static_cast<unsigned char>(x * 3 + y * 17 + 3);
}

// The decoded picture expected for a width x height file: bottom row first.
Bytes expectedPixels(int width, int height) {
    Bytes bgr(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixelColour(x, y, &bgr[(static_cast<std::size_t>(y) * width + x) * 3]);
        }
    }
    return bgr;
}

// The 18-byte header of a file of this shape.
Bytes makeHeader(const FileShape& shape) {
    Bytes file(18, 0);
    file[0] = static_cast<unsigned char>(shape.idLength);
    file[1] = static_cast<unsigned char>(shape.colourMapType);
    file[2] = static_cast<unsigned char>(shape.imageType);
    file[12] = static_cast<unsigned char>(shape.width & 0xff);
    file[13] = static_cast<unsigned char>((shape.width >> 8) & 0xff);
    file[14] = static_cast<unsigned char>(shape.height & 0xff);
    file[15] = static_cast<unsigned char>((shape.height >> 8) & 0xff);
    file[16] = static_cast<unsigned char>(shape.depth);
    file[17] = shape.topLeft ? 0x20 : 0x00;
    return file;
}

// Builds a whole file: header, image ID of 'I' bytes, then the pixels of
// expectedPixels laid out as the shape says (alpha 0xA5 for 32-bit).
Bytes makeFile(const FileShape& shape) {
    Bytes file = makeHeader(shape);
    file.insert(file.end(), static_cast<std::size_t>(shape.idLength), 'I');
    for (int row = 0; row < shape.height; ++row) {
        const int y = shape.topLeft ? shape.height - 1 - row : row;
        for (int x = 0; x < shape.width; ++x) {
            unsigned char bgr[3];
            pixelColour(x, y, bgr);
            file.insert(file.end(), bgr, bgr + 3);
            if (shape.depth == 32) {
                file.push_back(0xA5);
            }
        }
    }
    return file;
}

TgaResult decode(const Bytes& file) {
    return decodeTga(file.data(), file.size());
}

}  // namespace

TEST(TgaDecode, PlainFilesDecodeToTheirPixelBytesUnchanged) {
    for (auto [width, height] : {std::pair{3, 2}, std::pair{100, 60}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const Bytes file = makeFile({width, height});
        const TgaResult result = decode(file);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.image.width, width);
        EXPECT_EQ(result.image.height, height);
        // A plain file's pixel data is the texture, byte for byte.
        EXPECT_EQ(result.image.bgr, Bytes(file.begin() + 18, file.end()));
        EXPECT_EQ(result.image.bgr, expectedPixels(width, height));
    }
}

TEST(TgaDecode, OtherLayoutsDecodeUprightAndUnscrambled) {
    struct Case {
        const char* name;
        FileShape shape;
    };
    const Case cases[] = {
        {"32-bit", {5, 3, 32}},
        {"image ID", {5, 3, 24, 2, 0, 9}},
        {"top-left origin", {5, 3, 24, 2, 0, 0, true}},
        {"all three", {4, 7, 32, 2, 0, 255, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TgaResult result = decode(makeFile(c.shape));
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.image.width, c.shape.width);
        EXPECT_EQ(result.image.height, c.shape.height);
        EXPECT_EQ(result.image.bgr, expectedPixels(c.shape.width, c.shape.height));
    }
}

TEST(TgaDecode, BytesAfterThePixelsAreIgnored) {
    // TGA 2.0 files may end in extension data and a footer.
    Bytes file = makeFile({6, 2});
    file.insert(file.end(), 26, 0x7E);
    const TgaResult result = decode(file);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.image.bgr, expectedPixels(6, 2));
}

TEST(TgaDecode, UnusableHeadersAreRejectedWithTheirReason) {
    struct Case {
        const char* name;
        FileShape shape;
        const char* reason;
    };
    const Case cases[] = {
        {"run-length encoded", {4, 4, 24, 10}, "image type 10"},
        {"colour-mapped type", {4, 4, 8, 1, 1}, "image type 1"},
        {"greyscale", {4, 4, 8, 3}, "image type 3"},
        {"colour map with true colour", {4, 4, 24, 2, 1}, "colour map"},
        {"16-bit", {4, 4, 16}, "depth of 16 bits"},
        {"8-bit", {4, 4, 8}, "depth of 8 bits"},
        {"depth 0", {4, 4, 0}, "depth of 0 bits"},
        {"depth 25", {4, 4, 25}, "depth of 25 bits"},
        {"width 0", {0, 4}, "size 0x4"},
        {"height 0", {4, 0}, "size 4x0"},
        // 32768 and above read as negative 16-bit values.
        {"negative width", {0x8000, 1}, "size -32768x1"},
        {"negative height", {1, 0xFFFF}, "size 1x-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Plenty of bytes after the header, so size is never the reason.
        Bytes file = makeHeader(c.shape);
        file.resize(18 + 4 * 4 * 4 + 64, 0x11);
        const TgaResult result = decode(file);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
    }
}

TEST(TgaDecode, HugeHeaderOnASmallFileIsRejectedAsTruncated) {
    // 32767 x 32767 x 4 bytes promised; the decoder must not trust it.
    Bytes file = makeFile({2, 2, 32});
    file[12] = file[14] = 0xFF;
    file[13] = file[15] = 0x7F;
    const TgaResult result = decode(file);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("truncated"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("4294705156"), std::string::npos) << result.error;
}

TEST(TgaDecode, FilesCutShortAnywhereAreRejected) {
    const FileShape shapes[] = {{5, 4}, {3, 3, 32, 2, 0, 7, true}};
    for (const FileShape& shape : shapes) {
        const Bytes whole = makeFile(shape);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE("length " + std::to_string(length));
            // A buffer of exactly this length, so a sanitizer build sees any
            // read past its end.
            const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
            const TgaResult result = decode(cut);
            EXPECT_FALSE(result.ok);
            EXPECT_NE(result.error.find("truncated"), std::string::npos) << result.error;
        }
        EXPECT_TRUE(decode(whole).ok);
    }
}

namespace {

// A fresh directory under the test temp dir, removed with its files at the end.
class TgaFiles : public testing::Test {
   protected:
    void SetUp() override {
        // create_directory makes only a directory that did not exist yet.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
            const std::filesystem::path candidate =
                std::filesystem::path(testing::TempDir()) /
                ("tga_test_" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                dir_ = candidate.generic_string();
            }
        }
        ASSERT_FALSE(dir_.empty()) << "no temp directory under " << testing::TempDir();
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // A complete file of this shape whose pixels are a hole: it takes no disk
    // space however large the image, and reads as zeros.
    std::string writeSparse(const std::string& name, const FileShape& shape) {
        const std::string path = write(name, makeHeader(shape));
        const std::uint64_t size =
            18 + static_cast<std::uint64_t>(shape.width) * shape.height * (shape.depth / 8);
        std::error_code error;
        std::filesystem::resize_file(path, size, error);
        EXPECT_FALSE(error) << error.message();
        return path;
    }
    std::string dir_;
};

// The address-space limit below is Linux's (setrlimit and /proc); the tests
// that need it are not built for Windows.
#ifdef __linux__
// Caps the address space of this (child) process at what it uses now plus
// extra bytes, so allocations beyond that fail as they would on a full machine.
void limitAddressSpace(std::uint64_t extra) {
    std::ifstream status("/proc/self/status");
    std::string line;
    std::uint64_t usedKiB = 0;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) {
            usedKiB = std::stoull(line.substr(7));
        }
    }
    const rlimit limit{usedKiB * 1024 + extra, RLIM_INFINITY};
    if (usedKiB == 0 || setrlimit(RLIMIT_AS, &limit) != 0) {
        std::exit(3);
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define SKIP_UNDER_ADDRESS_SANITIZER() \
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory up front and cannot run under an address-space limit"
#else
#define SKIP_UNDER_ADDRESS_SANITIZER()
#endif
#endif  // __linux__

}  // namespace

TEST_F(TgaFiles, ReadsAFileFromDisk) {
    const std::string path = write("ok.tga", makeFile({7, 3, 32, 2, 0, 4, true}));
    const TgaFileResult result = readTgaFile(path.c_str());
    ASSERT_EQ(result.status, TgaFileResult::Loaded) << result.error;
    EXPECT_EQ(result.image.width, 7);
    EXPECT_EQ(result.image.height, 3);
    EXPECT_EQ(result.image.bgr, expectedPixels(7, 3));
}

TEST_F(TgaFiles, MissingFileCannotBeOpenedWithTheSystemReason) {
    const std::string path = dir_ + "/absent.tga";
    const TgaFileResult result = readTgaFile(path.c_str());
    EXPECT_EQ(result.status, TgaFileResult::CannotOpen);
    EXPECT_EQ(result.error, std::strerror(ENOENT));
}

TEST_F(TgaFiles, ShortOrUnusableFilesCannotBeLoaded) {
    Bytes pixelsCut = makeFile({8, 8});
    pixelsCut.resize(pixelsCut.size() - 1);
    Bytes headerCut = makeFile({8, 8});
    headerCut.resize(11);
    Bytes idCut = makeFile({1, 1, 24, 2, 0, 200});
    idCut.resize(18 + 100);
    Bytes encoded = makeFile({8, 8});
    encoded[2] = 10;

    struct Case {
        const char* name;
        Bytes bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"pixels.tga", pixelsCut, "truncated"},
        {"header.tga", headerCut, "truncated"},
        {"id.tga", idCut, "truncated"},
        {"encoded.tga", encoded, "image type 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TgaFileResult result = readTgaFile(write(c.name, c.bytes).c_str());
        EXPECT_EQ(result.status, TgaFileResult::CannotLoad);
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
    }
}

TEST_F(TgaFiles, DirectoryIsNotLoaded) {
    const TgaFileResult result = readTgaFile(dir_.c_str());
    EXPECT_NE(result.status, TgaFileResult::Loaded);
    EXPECT_FALSE(result.error.empty());
}

// loadTGA ends the process on these files before it issues any OpenGL call,
// so no context is needed here. Where death tests start the test program
// afresh (Windows), the dying run has a temp directory of its own, and its
// standard error ends lines with CR LF.
TEST_F(TgaFiles, LoaderExitsWithStatusOneAndNamesTheMissingFile) {
    const std::string path = dir_ + "/wood1.tga";
    EXPECT_EXIT(loadTGA(path.c_str(), 2), testing::ExitedWithCode(1),
                "^vellmoor: cannot open texture file '.*/wood1\\.tga': "
                "No such file or directory\r?\n$");
}

TEST_F(TgaFiles, LoaderExitsWithStatusOneOnAnUnusableFile) {
    Bytes file = makeFile({4, 4});
    file[16] = 16;
    const std::string path = write("wood.tga", file);
    EXPECT_EXIT(loadTGA(path.c_str(), 1), testing::ExitedWithCode(1),
                "^vellmoor: cannot load texture file '.*/wood\\.tga': "
                "pixel depth of 16 bits is not 24 or 32\r?\n$");
}

#ifdef __linux__
TEST_F(TgaFiles, LoaderExitsWithStatusOneWhenTheImageCannotBeHeld) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    // 32767 x 32767 pixels of 4 bytes: 4.3 GB, with 256 MiB to spare.
    const std::string path = writeSparse("huge.tga", {32767, 32767, 32});
    EXPECT_EXIT(
        {
            limitAddressSpace(256u << 20);
            loadTGA(path.c_str(), 0);
        },
        testing::ExitedWithCode(1),
        "^vellmoor: cannot load texture file '" + path +
            "': not enough memory for 4294705156 bytes of pixels\n$");
}

TEST_F(TgaFiles, ReadingHoldsOneCopyOfTheImage) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    // 64 MiB of 32-bit pixels, top row first, read with room for one copy
    // and a little more, but not for the 48 MiB a second, decoded copy takes.
    const std::string path = writeSparse("large.tga", {4096, 4096, 32, 2, 0, 0, true});
    EXPECT_EXIT(
        {
            limitAddressSpace(96u << 20);
            const TgaFileResult result = readTgaFile(path.c_str());
            const bool whole = result.status == TgaFileResult::Loaded &&
                               result.image.bgr.size() == std::size_t{4096} * 4096 * 3;
            std::exit(whole ? 0 : 2);
        },
        testing::ExitedWithCode(0), "");
}
#endif  // __linux__
