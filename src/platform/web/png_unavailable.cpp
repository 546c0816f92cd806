// Screenshots of headless runs are the desktop's: the browser build has no
// PNG library, and its canvas is the picture. Every screenshot asked for is
// reported as not written.
#include "platform/headless/png_writer.h"

bool writePng(const std::string&, const uint8_t*, int, int) { return false; }
