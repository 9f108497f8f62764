#include "read_back.h"

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Named {
    GLenum value;
    const char* name;
};
#define N(x) \
    { x, #x }

const Named kFormats[] = {N(GL_RED), N(GL_GREEN), N(GL_BLUE),      N(GL_ALPHA),
                          N(GL_RGB), N(GL_RGBA),  N(GL_LUMINANCE), N(GL_LUMINANCE_ALPHA),
                          N(GL_BGR), N(GL_BGRA)};
const Named kTypes[] = {N(GL_UNSIGNED_BYTE), N(GL_BYTE), N(GL_UNSIGNED_SHORT), N(GL_SHORT),
                        N(GL_UNSIGNED_INT),  N(GL_INT),  N(GL_FLOAT)};

// Beyond every format in every type: the pack settings and the transfer.
struct Setting {
    GLenum pname;
    float value;
};
struct Case {
    std::string name;
    GLenum format;
    GLenum type;
    std::vector<Setting> store;
    std::vector<Setting> transfer;
};
const Case kExtras[] = {
    {"rows of 3, aligned to 8, 1 row and 1 pixel skipped",
     GL_RGB,
     GL_UNSIGNED_BYTE,
     {{GL_PACK_ROW_LENGTH, 3},
      {GL_PACK_ALIGNMENT, 8},
      {GL_PACK_SKIP_ROWS, 1},
      {GL_PACK_SKIP_PIXELS, 1}},
     {}},
    {"bytes swapped", GL_LUMINANCE_ALPHA, GL_UNSIGNED_SHORT, {{GL_PACK_SWAP_BYTES, 1}}, {}},
    {"bytes swapped", GL_RGBA, GL_FLOAT, {{GL_PACK_SWAP_BYTES, 1}}, {}},
    {"red scaled by 0.5, green biased by 0.25, blue by -0.5",
     GL_RGBA,
     GL_UNSIGNED_BYTE,
     {},
     {{GL_RED_SCALE, 0.5f}, {GL_GREEN_BIAS, 0.25f}, {GL_BLUE_BIAS, -0.5f}}},
    {"scaled by 3: luminance past 1",
     GL_LUMINANCE,
     GL_FLOAT,
     {},
     {{GL_RED_SCALE, 3.0f}, {GL_GREEN_SCALE, 3.0f}}},
    {"alpha scaled by 0.3", GL_ALPHA, GL_SHORT, {}, {{GL_ALPHA_SCALE, 0.3f}}},
};

// Every format in every type as it comes, then the extras, each named by
// what it reads.
const std::vector<Case>& cases() {
    static const std::vector<Case> all = [] {
        std::vector<Case> made;
        for (const Named& format : kFormats) {
            for (const Named& type : kTypes) {
                made.push_back(
                    {std::string(format.name) + " " + type.name, format.value, type.value, {}, {}});
            }
        }
        for (const Case& extra : kExtras) {
            made.push_back(extra);
            for (const Named& format : kFormats) {
                made.back().name +=
                    extra.format == format.value ? std::string(": ") + format.name : "";
            }
            for (const Named& type : kTypes) {
                made.back().name += extra.type == type.value ? std::string(" ") + type.name : "";
            }
        }
        return made;
    }();
    return all;
}

// Four colours, one a pixel, made by scissored clears (no rasterising); two
// add up to less than 1, for luminance.
void paintBlock() {
    const float colours[4][3] = {
        {0.1f, 0.2f, 0.3f}, {1.0f, 0.0f, 0.3f}, {0.07f, 0.13f, 0.6f}, {0.4f, 0.45f, 0.5f}};
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < 4; ++i) {
        glScissor(i % 2, i / 2, 1, 1);
        glClearColor(colours[i][0], colours[i][1], colours[i][2], 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

void apply(const std::vector<Setting>& store, const std::vector<Setting>& transfer) {
    for (const Setting& s : store) {
        glPixelStorei(s.pname, static_cast<GLint>(s.value));
    }
    for (const Setting& s : transfer) {
        glPixelTransferf(s.pname, s.value);
    }
}

}  // namespace

int readBackCount() {
    return static_cast<int>(cases().size());
}

const char* readBackName(int index) {
    return cases()[static_cast<std::size_t>(index)].name.c_str();
}

void readBack(int index, unsigned char* out) {
    const Case& read = cases()[static_cast<std::size_t>(index)];
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    paintBlock();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    apply(read.store, read.transfer);
    std::memset(out, 0xA5, kReadBackBytes);
    glReadPixels(0, 0, 2, 2, read.format, read.type, out);
    glPopClientAttrib();
    glPopAttrib();
}
