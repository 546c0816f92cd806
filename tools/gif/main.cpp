// make_gif [--scale N] [--delay CS] OUT.gif IN.png...: joins screenshots of
// equal size into an animated GIF that loops for ever, for the README.
// --scale N keeps every N-th pixel of every N-th row (the pictures are
// pixel art: no filtering); --delay is each frame's time in hundredths of
// a second (3 by default: every second frame of play at 30 per second).
// Answers 0 when done, 1 for an unreadable picture, a picture of another
// size or an unwritable output, 2 for bad usage.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "gif/gif_encoder.h"

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

bool readPng(const std::string& path, Picture& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    out.width = int(image.width);
    out.height = int(image.height);
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

Picture downscale(const Picture& in, int scale) {
    if (scale == 1) return in;
    Picture out;
    out.width = in.width / scale;
    out.height = in.height / scale;
    out.rgb.reserve(size_t(out.width) * size_t(out.height) * 3);
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = in.rgb.data() + size_t(y) * size_t(scale) * size_t(in.width) * 3;
        for (int x = 0; x < out.width; ++x) {
            const uint8_t* pixel = row + size_t(x) * size_t(scale) * 3;
            out.rgb.insert(out.rgb.end(), pixel, pixel + 3);
        }
    }
    return out;
}

int usage() {
    std::cerr << "usage: make_gif [--scale N] [--delay CS] OUT.gif IN.png...\n";
    return 2;
}

}  // namespace

// Writes OUT (files[0]) from the pictures files[1..]; 0 when done.
int writeGif(const std::vector<std::string>& files, int scale, int delay) {

    std::ofstream out(files[0], std::ios::binary);
    if (!out) {
        std::cerr << "make_gif: cannot write " << files[0] << "\n";
        return 1;
    }
    int width = 0, height = 0;
    Picture shown;  // the picture as the viewer holds it after the last frame
    for (size_t i = 1; i < files.size(); ++i) {
        Picture picture;
        if (!readPng(files[i], picture)) {
            std::cerr << "make_gif: cannot read " << files[i] << "\n";
            return 1;
        }
        if (i == 1) {
            width = picture.width;
            height = picture.height;
            if (width / scale < 1 || height / scale < 1) {
                std::cerr << "make_gif: " << files[i] << " is smaller than the scale\n";
                return 1;
            }
        } else if (picture.width != width || picture.height != height) {
            std::cerr << "make_gif: " << files[i] << " is not " << width << "x" << height << "\n";
            return 1;
        }
        Picture small = downscale(picture, scale);
        gif::Bytes bytes;
        if (i == 1) gif::appendHeader(bytes, small.width, small.height);
        gif::appendFrame(bytes, small.rgb.data(), small.width, small.height, delay,
                         i == 1 ? nullptr : shown.rgb.data());
        if (i + 1 == files.size()) gif::appendTrailer(bytes);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        shown = std::move(small);
    }
    out.close();
    if (!out) {
        std::cerr << "make_gif: cannot write " << files[0] << "\n";
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    int scale = 1, delay = 3;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--scale" || arg == "--delay") && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 1 || value > 65535) return usage();
            (arg == "--scale" ? scale : delay) = int(value);
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() < 2) return usage();
    const int result = writeGif(files, scale, delay);
    // A half-written picture is worse than none.
    if (result != 0) std::remove(files[0].c_str());
    return result;
}

