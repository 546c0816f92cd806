// Varnholt: the program entry.
#include "app/command_line.h"

int main(int argc, char** argv) { return varnholt::runProgram(argc, argv); }
