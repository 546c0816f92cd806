// The standard MIDI file reader and the mid2mds command, on small files
// built byte by byte: running status, merged tracks, tempo, divisions,
// one-data-byte messages, and damaged files that must be refused cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <sstream>

#include "audio/music_file.h"
#include "music/mds_reader.h"
#include "music/mid2mds_command.h"
#include "music/smf_reader.h"
#include "platform/files.h"
#include "support/file_builders.h"

using namespace music;
using Bytes = std::vector<uint8_t>;

namespace {

// MThd with the given fields, then one MTrk chunk per track.
Bytes smf(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks, uint16_t trackCount = 0) {
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, uint8_t(format), 0,
                 uint8_t(trackCount ? trackCount : tracks.size()), uint8_t(division >> 8), uint8_t(division)};
    for (const Bytes& track : tracks) {
        const uint32_t n = uint32_t(track.size());
        out.insert(out.end(), {'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

const Bytes runningStatus = {0x00, 0x90, 0x3C, 0x64,  // note on C4
                             0x60, 0x3E, 0x64,        // 96 ticks on: note on D4, running status
                             0x60, 0x80, 0x3C, 0x00,  // note off C4
                             0x00, 0x3E, 0x00,        // note off D4, running status
                             0x00, 0xFF, 0x2F, 0x00};
const Bytes conductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo 500000
                         0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // at 480: tempo 1000000
                         0x00, 0xFF, 0x03, 0x02, 'h', 'i',          // track name, skipped
                         0x87, 0x40, 0xFF, 0x2F, 0x00};             // ends at 1440
const Bytes voice = {0x00, 0xC0, 0x05,                    // program change: one data byte
                     0x00, 0x90, 0x40, 0x50,              //
                     0x83, 0x60, 0x80, 0x40, 0x00,        // at 480: note off
                     0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,  // SysEx, skipped
                     0x81, 0x40, 0xD0, 0x30,              // at 672: channel pressure
                     0x10, 0x20,                          // at 688: again, running status
                     0x00, 0xFF, 0x2F, 0x00};

TEST(MidiReader, ReadsRunningStatusInFormat0) {
    const MidiSong song = readStandardMidi(smf(0, 96, {runningStatus}));
    EXPECT_EQ(std::pair(song.ticksPerQuarter, song.endTick), std::pair(96u, 192u));
    EXPECT_EQ(song.events, (std::vector<TimedEvent>{{0, 0x00643C90}, {96, 0x00643E90}, {192, 0x3C80}, {192, 0x3E80}}));
}

TEST(MidiReader, MergesTracksInTimeOrderEarlierTrackFirst) {
    const MidiSong song = readStandardMidi(smf(1, 480, {conductor, voice}));
    EXPECT_EQ(song.events, (std::vector<TimedEvent>{{0, tempoEvent(500000)}, {0, 0x05C0}, {0, 0x504090},
                                                    {480, tempoEvent(1000000)}, {480, 0x4080}, {672, 0x30D0},
                                                    {688, 0x20D0}}));
    EXPECT_EQ(song.endTick, 1440u);  // the longer track's end
}

TEST(MidiReader, KeepsTheFilesDivision) {
    for (uint16_t division : {96, 480, 0x7FFF}) {
        const MdsFile file = parseMds(buildMds(readStandardMidi(smf(0, division, {runningStatus})).ticksPerQuarter,
                                               {}, 12));
        EXPECT_EQ(file.timeFormat, division);
    }
}

TEST(MidiReader, RefusesDamagedAndUnsupportedFiles) {
    Bytes badHeaderLength = smf(0, 96, {runningStatus});
    badHeaderLength[7] = 4;
    Bytes lengthPastEnd = smf(0, 96, {runningStatus});
    lengthPastEnd[21] = 100;
    const struct {
        Bytes file;
        const char* message;
    } cases[] = {
        {{'M', 'T', 'h', 'x', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}, "no MThd header"},
        {badHeaderLength, "bad length of 4"},
        {smf(2, 96, {runningStatus}), "format 2"},
        {smf(0, 0xE728, {runningStatus}), "SMPTE"},
        {smf(0, 0, {runningStatus}), "0 ticks per quarter"},
        {lengthPastEnd, "track 1 of 1 claims 100 bytes but only 18 are left"},
        {smf(1, 96, {runningStatus}, 2), "ends before track 2 of 2"},
        {smf(0, 96, {{0x00, 0x90, 0x3C}}), "ends in the middle of an event"},
        {smf(0, 96, {{0x00, 0x90, 0x3C, 0x64}}), "no end-of-track"},
        {smf(0, 96, {{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}}), "without a running status"},
        {smf(0, 96, {{0x00, 0xFF, 0x01, 0x10, 'a', 0x00, 0xFF, 0x2F, 0x00}}), "running past its end"},
        {smf(0, 96, {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}), "longer than four bytes"},
        {smf(0, 96, {{0x00, 0x90, 0x3C, 0x90, 0x00, 0xFF, 0x2F, 0x00}}), "status byte where a data byte"},
    };
    for (const auto& c : cases) {
        try {
            readStandardMidi(c.file);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const MidiFileError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    // Every cut-short copy of a good file is refused, none read past its end.
    const Bytes good = smf(1, 480, {conductor, voice});
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_THROW(readStandardMidi(Bytes(good.begin(), good.begin() + long(size))), MidiFileError) << size;
}

TEST(Mid2mds, ConvertsAndAnswersWithItsExitCodes) {
    const auto folder = std::filesystem::temp_directory_path() / "varnholt_test_mid2mds";
    std::filesystem::create_directories(folder);
    const std::string in = (folder / "in.mid").string(), bad = (folder / "bad.mid").string(),
                      out = (folder / "out.mds").string();
    testing_support::writeFile(in, smf(1, 480, {conductor, voice}));
    testing_support::writeFile(bad, smf(2, 480, {voice}));
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {{{}, 2}, {{in}, 2}, {{in, out, "extra"}, 2}, {{in, out, "--block-bytes"}, 2},
                 {{in, out, "--block-bytes", "11"}, 2}, {{in, out, "--block-bytes", "0"}, 2},
                 {{in, out, "--block-bytes", "12x"}, 2}, {{in, out, "--loud"}, 2},
                 {{(folder / "missing.mid").string(), out}, 1}, {{bad, out}, 1},
                 {{in, (folder / "no" / "out.mds").string()}, 1},
                 {{in, out, "--block-bytes", "24"}, 0}};
    for (const auto& c : cases) {
        std::ostringstream errors;
        EXPECT_EQ(runMid2mds(c.args, errors), c.exitCode) << errors.str();
        const std::string text = errors.str();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.exitCode ? 1 : 0) << text;
    }
    // The last case wrote eight records, two to a block, ending at 1440.
    Bytes written;
    ASSERT_TRUE(readWholeFile(out, written));
    const MdsFile file = parseMds(written);
    EXPECT_EQ((std::array<size_t, 3>{file.timeFormat, file.maxBufferSize, file.blocks.size()}),
              (std::array<size_t, 3>{480, 24, 4}));
    EXPECT_EQ(streamEvents(file).back(), (TimedEvent{1440, noOpEvent}));
    // Eight records in one block of 4096: the buffer is the piece's 96
    // bytes, and the game reads the file.
    std::ostringstream quiet;
    EXPECT_EQ(runMid2mds({in, out}, quiet), 0);
    Bytes blocks;
    varnholt::MdsFormat format{};
    uint32_t blockCount = 0;
    EXPECT_EQ(varnholt::readMusicFile(out.c_str(), blocks, format, blockCount, 0), 1);
    EXPECT_EQ(std::pair(format.maxBufferSize, blockCount), std::pair(96u, 1u));
    std::filesystem::remove_all(folder);
}

// `notes` note-ons at tick 0, one track, running status.
Bytes manyNotes(size_t notes) {
    Bytes track = {0x00, 0x90, 0x3C, 0x64};
    track.reserve(notes * 3 + 4);
    for (size_t i = 1; i < notes; ++i) track.insert(track.end(), {0x00, 0x3C, 0x64});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    return smf(0, 96, {track});
}

// With a record to a block, a piece takes 44 bytes and 20 a record, its
// closing no-op included: 838,857 notes make 16,777,204 bytes, the largest
// such file the game reads (16 MiB); one note more is refused, and
// nothing is written.
TEST(Mid2mds, NeverWritesAPieceTheGameRefuses) {
    const auto folder = std::filesystem::temp_directory_path() / "varnholt_test_mid2mds_large";
    std::filesystem::create_directories(folder);
    const std::string in = (folder / "in.mid").string(), out = (folder / "out.mds").string();
    const struct { size_t notes; int exitCode; } cases[] = {{838857, 0}, {838858, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notes);
        std::filesystem::remove(out);
        testing_support::writeFile(in, manyNotes(c.notes));
        std::ostringstream errors;
        EXPECT_EQ(runMid2mds({in, out, "--block-bytes", "12"}, errors), c.exitCode);
        const std::string text = errors.str();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.exitCode ? 1 : 0) << text;
        if (c.exitCode != 0) {
            EXPECT_NE(text.find("more than the game plays"), std::string::npos) << text;
            EXPECT_FALSE(std::filesystem::exists(out));
            continue;
        }
        EXPECT_EQ(std::filesystem::file_size(out), 16777204u);
        Bytes blocks;
        varnholt::MdsFormat format{};
        uint32_t blockCount = 0;
        EXPECT_EQ(varnholt::readMusicFile(out.c_str(), blocks, format, blockCount, 0), 1);
        EXPECT_EQ(blockCount, 838858u);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
