#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
std::string dataDirectory;
std::string writeDirectory;
bool writeDirectoryMade = false;
int64_t writesLeft = -1;  // bytes writes may still move; negative: no limit
FileKeeper keeper = nullptr;
}

void setFileKeeper(FileKeeper fileKeeper) { keeper = fileKeeper; }

void limitFileWrites(int64_t bytes) { writesLeft = bytes; }

int fileOpenReadWrite(const std::string& path) {
    int handle = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return handle < 0 ? fileError : handle;
}

int fileCreate(const std::string& path) {
    int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return handle < 0 ? fileError : handle;
}

int fileOpenOrCreate(const std::string& path) {
    int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return handle < 0 ? fileError : handle;
}

int32_t fileRead(int handle, void* buffer, uint32_t count) {
    if (handle < 0) return fileError;
    uint32_t done = 0;
    while (done < count) {
        ssize_t got = ::read(handle, static_cast<char*>(buffer) + done, count - done);
        if (got < 0) return fileError;
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return static_cast<int32_t>(done);
}

int32_t fileWrite(int handle, const void* buffer, uint32_t count) {
    if (handle < 0) return fileError;
    uint32_t done = 0;
    if (writesLeft >= 0 && count > writesLeft) {
        // A disk that fills up: the write stops short.
        count = static_cast<uint32_t>(writesLeft);
    }
    while (done < count) {
        ssize_t put = ::write(handle, static_cast<const char*>(buffer) + done, count - done);
        if (put <= 0) return fileError;
        done += static_cast<uint32_t>(put);
    }
    if (writesLeft >= 0) writesLeft -= done;
    return static_cast<int32_t>(done);
}

int32_t fileSeek(int handle, int32_t offset, int origin) {
    if (handle < 0 || origin < 0 || origin > 2) return fileError;
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    off_t at = ::lseek(handle, offset, whence[origin]);
    return at < 0 ? fileError : static_cast<int32_t>(at);
}

void fileClose(int handle) {
    if (handle >= 0) ::close(handle);
}

bool fileReplace(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string fresh = path + ".new";
    int handle = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (handle < 0) return false;
    const bool written = fileWrite(handle, bytes.data(), static_cast<uint32_t>(bytes.size())) ==
                             static_cast<int32_t>(bytes.size()) &&
                         ::fsync(handle) == 0;
    const bool closed = ::close(handle) == 0;
    if (!written || !closed || std::rename(fresh.c_str(), path.c_str()) != 0) {
        ::unlink(fresh.c_str());
        return false;
    }
    return keeper == nullptr || keeper(path);
}

FileRead readFile(const std::string& path, std::vector<uint8_t>& bytes, size_t limitBytes) {
    bytes.clear();
    // Without O_NONBLOCK the open of a pipe would wait for a writer.
    int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle < 0) return FileRead::Missing;
    struct stat info {};
    if (::fstat(handle, &info) != 0) {
        ::close(handle);
        return FileRead::Unreadable;
    }
    if (!S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) > limitBytes) {
        ::close(handle);
        return S_ISREG(info.st_mode) ? FileRead::TooLarge : FileRead::NotAFile;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(handle, bytes.data() + done, bytes.size() - done);
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    ::close(handle);
    bytes.resize(done);
    return done == static_cast<size_t>(info.st_size) ? FileRead::Read : FileRead::Unreadable;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t limitBytes) {
    return readFile(path, bytes, limitBytes) == FileRead::Read;
}

const char* fileReadProblem(FileRead outcome) {
    switch (outcome) {
    case FileRead::Read: return "read";
    case FileRead::Missing: return "no such file, or not allowed to open it";
    case FileRead::NotAFile: return "not a plain file";
    case FileRead::TooLarge: return "larger than the game reads";
    case FileRead::Unreadable: return "reading it failed";
    }
    return "?";
}

void reportDataFile(const std::string& path, const std::string& problem) {
    const std::string prefix = dataPath("");
    const std::string file = !prefix.empty() && path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size())
                                                                                           : path;
    // The folder as the player can find it: absolute, the working folder
    // when none was given.
    std::string folder = dataDirectory.empty() ? "." : dataDirectory;
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
        folder = real;
        std::free(real);
    } else if (folder.front() != '/') {
        if (char* here = ::getcwd(nullptr, 0)) {
            folder = std::string(here) + "/" + folder;
            std::free(here);
        }
    }
    std::fprintf(stderr, "varnholt: cannot use the data file %s: %s (data folder searched: %s)\n", file.c_str(),
                 problem.c_str(), folder.c_str());
}

void setDataDirectory(const std::string& directory) { dataDirectory = directory; }

std::string dataPath(const std::string& relative) {
    if (dataDirectory.empty()) return relative;
    if (dataDirectory.back() == '/') return dataDirectory + relative;
    return dataDirectory + "/" + relative;
}

void setWriteDirectory(const std::string& directory) {
    writeDirectory = directory;
    writeDirectoryMade = false;
}

std::string writePath(const std::string& name) {
    if (writeDirectory.empty()) return name;
    // The score is looked up every frame of the closing screens: the folder
    // is made once, not asked after each time.
    if (!writeDirectoryMade) {
        for (size_t end = writeDirectory.find('/', 1);; end = writeDirectory.find('/', end + 1)) {
            ::mkdir(writeDirectory.substr(0, end).c_str(), 0700);
            if (end == std::string::npos) break;
        }
        struct stat info {};
        writeDirectoryMade = ::stat(writeDirectory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    if (writeDirectory.back() == '/') return writeDirectory + name;
    return writeDirectory + "/" + name;
}
