// Writes the four texture images of the room as uncompressed 24-bit TGA files.
//
//   make_textures DIR          write oxy02.tga, wood.tga, wood1.tga and
//                              dartboard.tga into DIR
//   make_textures --check DIR  exit with status 1 unless the files in DIR are
//                              exactly what this program writes
//
// The pictures are computed from fixed formulas and fixed seeds, so every run
// writes the same bytes.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "textures/canvas.h"
#include "textures/pictures.h"

namespace {

struct TextureFile {
    const char* name;
    int size;
    Picture (*picture)();
};

const TextureFile kFiles[] = {
    {"oxy02.tga", 256, bottleLabel},
    {"wood.tga", 256, lightWood},
    {"wood1.tga", 512, tableWood},
    {"dartboard.tga", 512, dartboardFace},
};

constexpr int kSamples = 4;

std::vector<unsigned char> makeFile(const TextureFile& file) {
    return encodeTga(render(file.size, file.size, kSamples, file.picture()));
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool sameAsFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> existing{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
    return existing == bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s [--check] DIR\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[argc - 1];
    int status = 0;
    for (const TextureFile& file : kFiles) {
        const std::string path = directory + "/" + file.name;
        const std::vector<unsigned char> bytes = makeFile(file);
        if (check) {
            if (!sameAsFile(path, bytes)) {
                std::fprintf(stderr, "%s differs from what make_textures writes\n", path.c_str());
                status = 1;
            }
        } else if (!writeFile(path, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
