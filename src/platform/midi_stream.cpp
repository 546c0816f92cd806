#include "platform/midi_stream.h"

#include <cstring>

namespace {

constexpr uint32_t recordBytes = 12;         // delta time, stream id, event
constexpr uint32_t longEvent = 0x80000000u;  // parameter bytes follow the record
constexpr uint32_t shortMessage = 0x00;
constexpr uint32_t tempoChange = 0x01;
constexpr uint32_t defaultTempo = 500000;
// A stream left without blocks for longer than this starts its next block
// at once instead of hurrying through the records it has missed.
constexpr double idleLimitUs = 100000;

uint32_t read32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int messageLength(uint8_t status) {
    if (status < 0x80) return 0;
    if (status < 0xC0) return 3;
    if (status < 0xE0) return 2;
    if (status < 0xF0) return 3;
    return 0;  // system messages have no place in a stream of short messages
}

}  // namespace

MidiStream::~MidiStream() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    noticesWaiting_.notify_all();
    if (notifier_.joinable()) notifier_.join();
}

bool MidiStream::open(MidiNotify notify) {
    std::lock_guard<std::mutex> guard(lock_);
    if (open_) return false;
    open_ = true;
    running_ = false;
    notify_ = notify;
    division_ = 96;
    tempo_ = defaultTempo;
    now_ = lastRecord_ = 0;
    queue_.clear();
    return true;
}

bool MidiStream::setTimeDivision(uint32_t ticksPerQuarter) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_ || ticksPerQuarter == 0 || ticksPerQuarter > 0x7FFF) return false;
    division_ = ticksPerQuarter;
    return true;
}

bool MidiStream::prepare(MidiBlock& block) {
    if (block.data == nullptr && block.bufferLength != 0) return false;
    if (block.bytesRecorded > block.bufferLength) return false;
    block.prepared = true;
    return true;
}

bool MidiStream::unprepare(MidiBlock& block) {
    block.prepared = false;
    return true;
}

bool MidiStream::queue(const MidiBlock& block) {
    if (!block.prepared || block.bytesRecorded > block.bufferLength) return false;
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_) return false;
    if (queue_.empty() && running_ && now_ - lastRecord_ > idleLimitUs) lastRecord_ = now_;
    Queued copy{std::vector<uint8_t>(block.data, block.data + block.bytesRecorded), block.user, block.tag};
    queue_.push_back(std::move(copy));
    return true;
}

bool MidiStream::restart() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_) return false;
    running_ = true;
    return true;
}

bool MidiStream::stop() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!open_) return false;
        running_ = false;
        allOff_ = true;
        for (const Queued& block : queue_) notices_.push_back({block.user, block.tag});
        queue_.clear();
        now_ = lastRecord_ = 0;
        tempo_ = defaultTempo;
    }
    noticesWaiting_.notify_all();
    return true;
}

bool MidiStream::reset() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_) return false;
    allOff_ = true;
    return true;
}

bool MidiStream::close() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_ || !queue_.empty()) return false;
    open_ = false;
    running_ = false;
    allOff_ = true;
    return true;
}

bool MidiStream::nextRecord(Queued& block, uint32_t& delta, uint32_t& event, const uint8_t*& extra,
                            uint32_t& extraLength) {
    const size_t left = block.events.size() - block.at;
    if (left < recordBytes) return false;
    const uint8_t* record = block.events.data() + block.at;
    delta = read32(record);
    event = read32(record + 8);
    extra = nullptr;
    extraLength = 0;
    if (event & longEvent) {
        extraLength = event & 0xFFFFFF;
        const size_t padded = (size_t(extraLength) + 3) / 4 * 4;
        // A long record that claims more than the block holds ends the block.
        if (padded > left - recordBytes) return false;
        extra = record + recordBytes;
    }
    return true;
}

double MidiStream::dueOfFront() {
    Queued& block = queue_.front();
    uint32_t delta, event, extraLength;
    const uint8_t* extra;
    if (!nextRecord(block, delta, event, extra, extraLength)) return lastRecord_;
    return lastRecord_ + double(delta) * tempo_ / division_;
}

void MidiStream::finishFront() {
    notices_.push_back({queue_.front().user, queue_.front().tag});
    queue_.pop_front();
}

void MidiStream::play(uint32_t event, const uint8_t*, uint32_t, MidiSink& sink) {
    if (event & longEvent) return;  // system-exclusive and comments: not for our synthesizer
    const uint32_t type = event >> 24 & 0x3F;
    const uint32_t parameter = event & 0xFFFFFF;
    if (type == tempoChange) {
        if (parameter != 0) tempo_ = parameter;
    } else if (type == shortMessage) {
        const uint8_t bytes[3] = {uint8_t(parameter), uint8_t(parameter >> 8), uint8_t(parameter >> 16)};
        const int length = messageLength(bytes[0]);
        if (length > 0) sink.send(lastRecord_ / 1000.0, bytes, length);
    }
}

void MidiStream::advance(double microseconds, MidiSink& sink) {
    bool noticed = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (allOff_) {
            sink.allNotesOff();
            allOff_ = false;
        }
        if (!open_ || !running_) return;
        now_ += microseconds;
        while (!queue_.empty()) {
            Queued& block = queue_.front();
            uint32_t delta, event, extraLength;
            const uint8_t* extra;
            if (!nextRecord(block, delta, event, extra, extraLength)) {
                finishFront();
                noticed = true;
                continue;
            }
            const double due = lastRecord_ + double(delta) * tempo_ / division_;
            if (due > now_) break;
            lastRecord_ = due;
            block.at += recordBytes + (size_t(extraLength) + 3) / 4 * 4;
            play(event, extra, extraLength, sink);
            if (block.events.size() - block.at < recordBytes) {
                finishFront();
                noticed = true;
            }
        }
    }
    if (noticed) noticesWaiting_.notify_all();
}

double MidiStream::microsecondsToNextRecord() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_ || !running_ || queue_.empty()) return -1;
    const double due = dueOfFront();
    return due > now_ ? due - now_ : 0;
}

void MidiStream::deliverNotices() {
    std::lock_guard<std::mutex> delivering(deliveryLock_);
    std::vector<Notice> taken;
    MidiNotify notify;
    {
        std::lock_guard<std::mutex> guard(lock_);
        taken.swap(notices_);
        notify = notify_;
    }
    if (notify == nullptr) return;
    for (const Notice& notice : taken) notify(midiBlockDone, notice.user, notice.tag);
}

bool MidiStream::finishFrontBlock(uint32_t user) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (queue_.empty() || queue_.front().user != user) return false;
        finishFront();
    }
    deliverNotices();
    return true;
}

void MidiStream::startNotifier() {
    if (notifier_.joinable()) return;
    notifier_ = std::thread([this] {
        std::unique_lock<std::mutex> guard(lock_);
        for (;;) {
            noticesWaiting_.wait(guard, [this] { return stopping_ || !notices_.empty(); });
            if (stopping_) return;
            guard.unlock();
            deliverNotices();
            guard.lock();
        }
    });
}

MidiLog::~MidiLog() {
    if (file_ != nullptr) std::fclose(file_);
}

bool MidiLog::open(const std::string& path) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void MidiLog::send(double ms, const uint8_t* bytes, int length) {
    if (file_ == nullptr) return;
    std::fprintf(file_, "%.3f", ms);
    for (int i = 0; i < length; ++i) std::fprintf(file_, " %02X", bytes[i]);
    std::fputc('\n', file_);
}
