// mid2mds IN.mid OUT.mds [--block-bytes N]: converts a standard MIDI file
// into the game's ".mds" music format (see music/mid2mds_command.h).
#include <iostream>
#include <string>
#include <vector>

#include "music/mid2mds_command.h"

int main(int argc, char** argv) {
    return music::runMid2mds(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
