#include "simulation/WorkerProtocol.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace calbrine {

namespace {

// Fields appended in order: fixed-size numbers as their bytes, texts and lists with their
// length first.
class Writer {
  public:
    explicit Writer(FrameKind kind) { text_.push_back(static_cast<char>(kind)); }
    template <typename T>
    Writer& Put(T value) {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        text_.append(bytes, sizeof(T));
        return *this;
    }
    Writer& Put(const std::string& text) {
        Put<std::uint64_t>(text.size());
        text_ += text;
        return *this;
    }
    Writer& Put(const std::vector<double>& values) {
        Put<std::uint64_t>(values.size());
        if (!values.empty()) {
            text_.append(reinterpret_cast<const char*>(values.data()),
                         values.size() * sizeof(double));
        }
        return *this;
    }
    std::string Text() const { return text_; }

  private:
    std::string text_;
};

// Reads the fields back; any read past the end leaves the reader failed.
class Reader {
  public:
    Reader(const std::string& frame, FrameKind kind)
        : frame_(frame), ok_(FrameKindOf(frame) == static_cast<std::uint8_t>(kind)) {}
    template <typename T>
    Reader& Get(T& value) {
        if (Have(sizeof(T))) {
            std::memcpy(&value, frame_.data() + at_, sizeof(T));
            at_ += sizeof(T);
        }
        return *this;
    }
    Reader& Get(std::string& text) {
        std::uint64_t size = 0;
        if (Get(size).Have(size)) {
            text.assign(frame_, at_, size);
            at_ += size;
        }
        return *this;
    }
    Reader& Get(std::vector<double>& values) {
        std::uint64_t size = 0;
        if (Get(size).Have(size * sizeof(double)) && size < LargestFrame) {
            values.resize(size);
            if (size > 0) {  // an empty vector's data() may be null, which memcpy may not take
                std::memcpy(values.data(), frame_.data() + at_, size * sizeof(double));
            }
            at_ += size * sizeof(double);
        }
        return *this;
    }
    bool Whole() const { return ok_ && at_ == frame_.size(); }

  private:
    bool Have(std::uint64_t bytes) {
        ok_ = ok_ && bytes <= frame_.size() - at_;
        return ok_;
    }
    const std::string& frame_;
    std::size_t at_ = 1;
    bool ok_;
};

}  // namespace

std::uint8_t FrameKindOf(const std::string& frame) {
    return frame.empty() ? 0 : static_cast<std::uint8_t>(frame[0]);
}

std::string EncodeJob(const SimulationJob& job) {
    return Writer(FrameKind::Job)
        .Put(job.id)
        .Put(job.kind)
        .Put(job.netlist)
        .Put(job.calculatedHz)
        .Put(job.stopTime)
        .Put(job.keptPeriods)
        .Put(job.spectrum)
        .Put(job.startState)
        .Text();
}

bool DecodeJob(const std::string& frame, SimulationJob& job) {
    return Reader(frame, FrameKind::Job)
               .Get(job.id)
               .Get(job.kind)
               .Get(job.netlist)
               .Get(job.calculatedHz)
               .Get(job.stopTime)
               .Get(job.keptPeriods)
               .Get(job.spectrum)
               .Get(job.startState)
               .Whole() &&
           static_cast<std::uint8_t>(job.kind) <= static_cast<std::uint8_t>(JobKind::Startup);
}

std::string EncodeProgress(std::uint32_t id, double fraction) {
    return Writer(FrameKind::Progress).Put(id).Put(fraction).Text();
}

bool DecodeProgress(const std::string& frame, std::uint32_t& id, double& fraction) {
    return Reader(frame, FrameKind::Progress).Get(id).Get(fraction).Whole();
}

namespace {

void PutMeasure(Writer& w, const OscillationMeasure& m) {
    w.Put(m.oscillates).Put(m.frequencyHz).Put(m.emitterVpp).Put(m.outputVpp);
    w.Put(m.startupSeconds).Put(m.observation);
}

void GetMeasure(Reader& in, OscillationMeasure& m) {
    in.Get(m.oscillates).Get(m.frequencyHz).Get(m.emitterVpp).Get(m.outputVpp);
    in.Get(m.startupSeconds).Get(m.observation);
}

}  // namespace

std::string EncodeResult(const JobResult& r) {
    Writer w(FrameKind::Result);
    w.Put(r.outcome).Put(r.id).Put(r.errors);
    PutMeasure(w, r.measure);
    PutMeasure(w, r.coarse);
    w.Put(r.state);
    w.Put(r.harmonics.measured);
    for (double level : r.harmonics.dbc) {
        w.Put(level);
    }
    w.Put(r.coilPeakAmps).Put(r.decaySeconds);
    return w.Put(r.points).Put(r.seconds).Put(r.keptTime).Put(r.keptVolts).Text();
}

bool DecodeResult(const std::string& frame, JobResult& r) {
    Reader in(frame, FrameKind::Result);
    in.Get(r.outcome).Get(r.id).Get(r.errors);
    GetMeasure(in, r.measure);
    GetMeasure(in, r.coarse);
    in.Get(r.state);
    in.Get(r.harmonics.measured);
    for (double& level : r.harmonics.dbc) {
        in.Get(level);
    }
    in.Get(r.coilPeakAmps).Get(r.decaySeconds);
    return in.Get(r.points).Get(r.seconds).Get(r.keptTime).Get(r.keptVolts).Whole() &&
           static_cast<std::uint8_t>(r.outcome) <=
               static_cast<std::uint8_t>(JobResult::Outcome::Failed);
}

namespace {

// Moves all `size` bytes through `transfer` (read or write), again after an interruption;
// false at the end of the stream or on an error.
template <class Transfer>
bool TransferAll(Transfer transfer, int fd, char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = transfer(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadExactly(int fd, char* into, std::size_t size) {
    return TransferAll(read, fd, into, size);
}

}  // namespace

bool WriteFrame(int fd, const std::string& payload) {
    const std::uint64_t size = payload.size();
    std::string frame(reinterpret_cast<const char*>(&size), sizeof size);
    frame += payload;
    const auto writeBytes = [](int out, char* bytes, std::size_t count) {
        return write(out, bytes, count);
    };
    return TransferAll(writeBytes, fd, frame.data(), frame.size());
}

bool ReadFrame(int fd, std::string& payload) {
    std::uint64_t size = 0;
    if (!ReadExactly(fd, reinterpret_cast<char*>(&size), sizeof size) || size > LargestFrame) {
        return false;
    }
    payload.resize(size);
    return ReadExactly(fd, payload.data(), size);
}

bool TakeFrame(std::string& buffer, std::string& payload) {
    std::uint64_t size = 0;
    if (buffer.size() < sizeof size) {
        return false;
    }
    std::memcpy(&size, buffer.data(), sizeof size);
    if (size > LargestFrame) {
        buffer.clear();  // no frame can follow: given as an empty, unreadable one
        payload.clear();
        return true;
    }
    if (buffer.size() - sizeof size < size) {
        return false;
    }
    payload.assign(buffer, sizeof size, size);
    buffer.erase(0, sizeof size + size);
    return true;
}

}  // namespace calbrine
