// Texture loading against real OpenGL: what loadTGA leaves in the texture
// object and in the context, read back with glGet*.
#include "texture/textures.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/gl_capture.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A file with the given header fields followed by the given pixel bytes.
Bytes makeTga(int width, int height, int depth, unsigned char descriptor, const Bytes& pixels) {
    // Sized for the pixels at once: growing an 18-byte vector by insert trips
    // GCC 12's -Warray-bounds on its own library code.
    Bytes file(18 + pixels.size(), 0);
    std::copy(pixels.begin(), pixels.end(), file.begin() + 18);
    file[2] = 2;
    file[12] = static_cast<unsigned char>(width & 0xff);
    file[13] = static_cast<unsigned char>(width >> 8);
    file[14] = static_cast<unsigned char>(height & 0xff);
    file[15] = static_cast<unsigned char>(height >> 8);
    file[16] = static_cast<unsigned char>(depth);
    file[17] = descriptor;
    return file;
}

// Distinct blue-green-red bytes for width x height pixels, bottom row first.
Bytes patternPixels(int width, int height) {
    Bytes bgr;
    for (int i = 0; i < width * height; ++i) {
        bgr.push_back(static_cast<unsigned char>(i * 7 + 1));
        bgr.push_back(static_cast<unsigned char>(i * 13 + 2));
        bgr.push_back(static_cast<unsigned char>(255 - i * 5));
    }
    return bgr;
}

GLint texParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint levelParameter(int level, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// Level 0 of the bound texture, as tightly packed blue-green-red rows.
Bytes levelZero() {
    const int width = levelParameter(0, GL_TEXTURE_WIDTH);
    const int height = levelParameter(0, GL_TEXTURE_HEIGHT);
    Bytes bgr(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return bgr;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Every level from 0 halves the one before, down to 1 x 1, and there is no
// level after that.
void expectFullMipmapChain() {
    int width = levelParameter(0, GL_TEXTURE_WIDTH);
    int height = levelParameter(0, GL_TEXTURE_HEIGHT);
    ASSERT_TRUE(isPowerOfTwo(width)) << width;
    ASSERT_TRUE(isPowerOfTwo(height)) << height;
    int level = 0;
    while (width > 1 || height > 1) {
        ++level;
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        EXPECT_EQ(levelParameter(level, GL_TEXTURE_WIDTH), width) << "level " << level;
        EXPECT_EQ(levelParameter(level, GL_TEXTURE_HEIGHT), height) << "level " << level;
    }
    EXPECT_EQ(levelParameter(level + 1, GL_TEXTURE_WIDTH), 0) << "level " << level + 1;
}

// Each test works in its own temp directory and leaves the context as it found
// it: the texture table, the bound texture and the unpack alignment restored,
// and the textures it made deleted.
class TextureLoading : public testing::Test {
   protected:
    void SetUp() override {
        resetSceneState();
        std::string pattern = testing::TempDir() + "textures_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        dir_ = pattern;
        std::copy(std::begin(textures), std::end(textures), savedTextures_);
        savedAlignment_ = integer(GL_UNPACK_ALIGNMENT);
        // Something other than what the loader must set.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        for (GLuint name : textures) {
            if (std::find(std::begin(savedTextures_), std::end(savedTextures_), name) ==
                std::end(savedTextures_)) {
                glDeleteTextures(1, &name);
            }
        }
        std::copy(std::begin(savedTextures_), std::end(savedTextures_), textures);
        glBindTexture(GL_TEXTURE_2D, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment_);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (const std::string& path : written_) {
            std::remove(path.c_str());
        }
        rmdir(dir_.c_str());
    }
    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        written_.push_back(path);
        return path;
    }

    std::string dir_;
    std::vector<std::string> written_;
    GLuint savedTextures_[4] = {};
    GLint savedAlignment_ = 4;
};

}  // namespace

TEST_F(TextureLoading, LoadsPixelsParametersAndEnvironmentAndLeavesTheTextureBound) {
    const Bytes pixels = patternPixels(16, 8);
    loadTGA(write("pattern.tga", makeTga(16, 8, 24, 0, pixels)).c_str(), 2);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ASSERT_NE(textures[2], 0u);
    EXPECT_TRUE(glIsTexture(textures[2]));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[2]));
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 1);

    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 16);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 8);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
    // The first file row is texture row 0, bytes unchanged.
    EXPECT_EQ(levelZero(), pixels);
    expectFullMipmapChain();

    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TextureLoading, RowsOfNineBytesLoadWithoutSkew) {
    // 3 x 3 pixels, each row one colour. Read with 4-byte row alignment, rows
    // would start at bytes 12 and 24 instead of 9 and 18, mixing colours
    // within a row and running past the data. (Both sides are scaled here:
    // this GLU drops the top row when it scales only the width.)
    const Bytes rows[3] = {{10, 20, 30}, {110, 120, 130}, {210, 220, 230}};
    Bytes pixels;
    for (const Bytes& row : rows) {
        for (int x = 0; x < 3; ++x) {
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    loadTGA(write("small.tga", makeTga(3, 3, 24, 0, pixels)).c_str(), 0);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const int width = levelParameter(0, GL_TEXTURE_WIDTH);
    const int height = levelParameter(0, GL_TEXTURE_HEIGHT);
    ASSERT_EQ(width, 4);
    ASSERT_EQ(height, 4);
    const Bytes level = levelZero();
    auto texel = [&](int x, int y) {
        return Bytes(level.begin() + (y * width + x) * 3, level.begin() + (y * width + x) * 3 + 3);
    };
    // Scaling blends rows with rows, never one colour across a row.
    EXPECT_EQ(texel(0, 0), rows[0]);
    EXPECT_EQ(texel(0, height - 1), rows[2]);
    for (int y = 0; y < height; ++y) {
        for (int x = 1; x < width; ++x) {
            EXPECT_EQ(texel(x, y), texel(0, y)) << "texel " << x << ", " << y;
        }
        if (y > 0) {
            EXPECT_GT(texel(0, y)[0], texel(0, y - 1)[0]) << "row " << y;
        }
    }
    expectFullMipmapChain();
}

TEST_F(TextureLoading, SidesThatAreNotPowersOfTwoGetEveryMipmapLevel) {
    loadTGA(write("odd.tga", makeTga(100, 60, 24, 0, patternPixels(100, 60))).c_str(), 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const int width = levelParameter(0, GL_TEXTURE_WIDTH);
    const int height = levelParameter(0, GL_TEXTURE_HEIGHT);
    // Scaled to a neighbouring power of two.
    EXPECT_TRUE(width == 64 || width == 128) << width;
    EXPECT_TRUE(height == 32 || height == 64) << height;
    expectFullMipmapChain();
}

TEST_F(TextureLoading, ThirtyTwoBitTopLeftFileLoadsUpright) {
    // Stored top row first with an alpha byte per pixel; the texture must
    // match the plain 24-bit bottom-first layout of the same picture.
    const int width = 4, height = 2;
    const Bytes upright = patternPixels(width, height);
    Bytes stored;
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const auto pixel = upright.begin() + (row * width + x) * 3;
            stored.insert(stored.end(), pixel, pixel + 3);
            stored.push_back(0x40);
        }
    }
    loadTGA(write("rgba.tga", makeTga(width, height, 32, 0x28, stored)).c_str(), 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(levelZero(), upright);
}

TEST_F(TextureLoading, LoadTexturesReadsTheFourAssetsInOrder) {
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(VELLMOOR_ASSETS_DIR), 0) << std::strerror(errno);
    loadTextures();
    ASSERT_EQ(chdir(previous), 0);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The last one loaded, the dartboard, stays bound.
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[3]));
    const char* files[4] = {"oxy02.tga", "wood.tga", "wood1.tga", "dartboard.tga"};
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(files[index]);
        for (int other = 0; other < index; ++other) {
            EXPECT_NE(textures[index], textures[other]);
        }
        std::ifstream in(std::string(VELLMOOR_ASSETS_DIR) + "/" + files[index], std::ios::binary);
        const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_GT(file.size(), 18u);
        glBindTexture(GL_TEXTURE_2D, textures[index]);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), file[12] | file[13] << 8);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), file[14] | file[15] << 8);
        EXPECT_TRUE(levelZero() == Bytes(file.begin() + 18, file.end()));
        expectFullMipmapChain();
    }
}
