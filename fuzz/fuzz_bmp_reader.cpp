// The bitmap reader on any bytes: it either refuses them or gives a
// picture of exactly width × height pixels.
#include <cstdlib>

#include "display/bmp_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("bmp_reader");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    varnholt::BitmapImage image;
    if (!varnholt::decodeBitmap(data, size, image)) return 0;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height)) {
        std::abort();
    }
    return 0;
}
