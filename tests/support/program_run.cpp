// The game's program run from its command line in a folder of a test's.
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/headless_game.h"

namespace testing_support {

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

int runProgramIn(const std::string& folder, const std::string& arguments, std::string& errors,
                 const std::string& data) {
    const std::string command = "cd '" + folder + "' && '" VARNHOLT_PROGRAM "' --data '" + data + "' " +
                                arguments + " 2> errors.txt";
    const int status = std::system(command.c_str());
    errors = readText(folder + "/errors.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
