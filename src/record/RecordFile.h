#pragma once

// Record files (".vqr"): a plain sequence of 32016-byte blocks of 1000 samples each, no
// header. Block k holds samples 1000·k .. 1000·k + 999:
//
//     offset      size  content
//     0           4000  CH1 samples, float32 × 1000 (sample j at 4·j)
//     4000 ..     4000  CH2 .. CH6 samples, same layout, one 4000-byte run each
//     24000       8000  timestamps, float64 × 1000 (days since 1899-12-30, see RecordTime.h)
//     32000       6     signal index of CH1 .. CH6
//     32006       1     sampling-step index
//     32007       1     reserved, 0
//     32008       4     int32 sample count of the whole record when the block was written
//     32012       4     reserved, 0
//
// All numbers little-endian. The count of the last block is the record's length; it is
// untrusted when read back (see ReadRecordFile).

#include <QString>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

constexpr int RecordChannels = 6;
constexpr int BlockSamples = 1000;
constexpr int RecordBlockBytes = 32016;
constexpr int MaxRecordSamples = 450000;
constexpr int MaxRecordBlocks = MaxRecordSamples / BlockSamples; // 450

constexpr int BlockTimestampOffset = 24000;
constexpr int BlockSignalOffset = 32000;
constexpr int BlockStepOffset = 32006;
constexpr int BlockCountOffset = 32008;

// Six channels of 450000 float32 samples and 450000 timestamps, allocated (zero-filled)
// once by the constructor and never reallocated. About 14.4 MB.
class RecordArrays
{
public:
    RecordArrays();
    RecordArrays(const RecordArrays &) = delete;
    RecordArrays &operator=(const RecordArrays &) = delete;

    float *channel(int k) { return m_channels[k].get(); }
    const float *channel(int k) const { return m_channels[k].get(); }
    double *timestamps() { return m_timestamps.get(); }
    const double *timestamps() const { return m_timestamps.get(); }

    struct FreeMemory
    {
        void operator()(void *memory) const { std::free(memory); }
    };

private:
    std::array<std::unique_ptr<float[], FreeMemory>, RecordChannels> m_channels;
    std::unique_ptr<double[], FreeMemory> m_timestamps;
};

// One block's bytes, as written to and read from the file.
class RecordBlock
{
public:
    float sample(int channel, int j) const;
    void setSample(int channel, int j, float value);
    double timestamp(int j) const;
    void setTimestamp(int j, double value);
    uint8_t signal(int channel) const { return m_bytes[BlockSignalOffset + channel]; }
    void setSignal(int channel, uint8_t index) { m_bytes[BlockSignalOffset + channel] = index; }
    uint8_t step() const { return m_bytes[BlockStepOffset]; }
    void setStep(uint8_t index) { m_bytes[BlockStepOffset] = index; }
    int32_t count() const;
    void setCount(int32_t count);

    // Samples, timestamps and count to 0; signal and step bytes stay.
    void clearSamples();
    // Samples 1000·block .. 1000·block + 999 of `arrays` and the record's `count`.
    // `block` must lie in 0..449.
    void fill(const RecordArrays &arrays, int block, int32_t count);

    const uint8_t *data() const { return m_bytes.data(); }
    uint8_t *data() { return m_bytes.data(); }

private:
    std::array<uint8_t, RecordBlockBytes> m_bytes {};
};

// What a record file says about itself, after ReadRecordFile.
struct RecordFileInfo
{
    int blocks = 0; // whole blocks read (at most 450)
    int count = 0; // samples in the record, clamped to 0 .. 1000 · blocks
    std::array<uint8_t, RecordChannels> channelSignals {};
    uint8_t step = 0;
};

// Why a file read with ReadRecordFile is no record at all, empty when it is one. The record
// window and kmr5150-cli refuse such a file with this reason after its name.
QString RecordFileRefusal(const RecordFileInfo &info);

// Which file a name leads to: its device and inode. A record keeps the identity of the file it
// writes, to notice at its next save that the file was deleted, moved or replaced meanwhile.
struct FileIdentity
{
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};
// The identity of what `fileName` names now; nothing when it names nothing. A failure other
// than a missing file or folder throws EInOutError with the system's text.
std::optional<FileIdentity> FileIdentityOf(const QString &fileName);

// Every function below opens regular files only: a FIFO, a device or a folder is refused
// at once with EInOutError, without blocking on it. Other failures throw EInOutError with
// the system's text of the failure.

// Creates (or truncates) `fileName` and writes `block` as its only block. The file and its
// folder entry are on the device when this returns.
void CreateRecordFile(const QString &fileName, const RecordBlock &block);

// Writes the record's newest blocks to an existing record file: the file's last block and
// every block after it up to the one being filled (count div 1000, at most 449), each
// rewritten in place or appended, then flushed to the device. Normally that is one block,
// or two when a block was completed since the last save; after failed saves it catches up.
// A file longer than the record is cut to the record's blocks. `buffer` keeps its signal
// and step bytes and is left holding the block being filled. Returns the blocks written.
int SaveRecordFile(const QString &fileName, const RecordArrays &record, int count, RecordBlock &buffer);

// Reads up to 450 whole blocks into `into` (a trailing partial block is ignored). The
// count is taken from the last block read: negative means 0, more than 1000 · blocks is
// cut to that. Signal (channelSignals) and step bytes come from the last block. A file of no whole block
// reads as an empty record. Blocks read before a failure stay in `into`.
RecordFileInfo ReadRecordFile(const QString &fileName, RecordArrays &into);
