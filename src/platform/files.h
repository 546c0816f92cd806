// File operations used by the game: files are opened read-write (created
// when missing only by fileCreate), moved in fixed-size pieces and closed
// at once. A handle is a non-negative number; -1 means failure. Reads and
// writes answer the number of bytes moved, or -1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int fileError = -1;

int fileOpenReadWrite(const std::string& path);  // never truncates; -1 if missing
int fileCreate(const std::string& path);         // creates or truncates
int fileOpenOrCreate(const std::string& path);   // opens, creating an empty file when missing; never truncates
int32_t fileRead(int handle, void* buffer, uint32_t count);
int32_t fileWrite(int handle, const void* buffer, uint32_t count);
int32_t fileSeek(int handle, int32_t offset, int origin);  // origin 0 start, 1 current, 2 end
void fileClose(int handle);

// Replaces the whole file with `bytes`: they are written to a new file
// beside it, which takes the old one's place only once complete, so a
// failed or interrupted write leaves the old content as it was. Answers
// false when nothing was replaced.
bool fileReplace(const std::string& path, const std::vector<uint8_t>& bytes);

// What must hear of every file fileReplace has put in place, to carry it
// to storage that outlives the program (the browser's database); it
// answers whether the file got there, and a false makes fileReplace answer
// false, so the game says the save failed. Set once by the browser back
// end; without one the operating system keeps the files.
using FileKeeper = bool (*)(const std::string& path);
void setFileKeeper(FileKeeper keeper);

// For tests: from now on, writes move at most `bytes` more bytes in all
// (a write cut short answers the bytes it moved); a negative value lifts
// the limit.
void limitFileWrites(int64_t bytes);

// What became of reading a whole file.
enum class FileRead {
    Read,        // all of it
    Missing,     // it did not open
    NotAFile,    // it opened but is a folder, a device or a pipe
    TooLarge,    // it holds more than the reader takes
    Unreadable,  // reading it failed or stopped short
};

// Reads a whole file that may be opened for reading only (game data),
// never more than limitBytes; a pipe or device is never waited on.
FileRead readFile(const std::string& path, std::vector<uint8_t>& bytes, size_t limitBytes = 64u << 20);
// The same, answering only whether all of it was read.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes,
                   size_t limitBytes = 64u << 20);

// Why a file was not read, in a few words ("no such file").
const char* fileReadProblem(FileRead outcome);

// Tells the player on standard error, in one line, that the data file at
// `path` (a dataPath) could not be used and why, naming the file and the
// data folder it was looked for in.
void reportDataFile(const std::string& path, const std::string& problem);

// Where the game's data folders (Bitmap/, 音楽/) are read from. Empty
// means the working directory.
void setDataDirectory(const std::string& directory);
std::string dataPath(const std::string& relative);

// Where the files the game writes (the saved game, the best score) are
// kept. Empty means the working directory.
void setWriteDirectory(const std::string& directory);
// The path of the game's own file `name`. Makes the write folder, and any
// missing parents, for the player alone (mode 0700) when it is missing; a
// folder that cannot be made is left for the open to fail on.
std::string writePath(const std::string& name);
