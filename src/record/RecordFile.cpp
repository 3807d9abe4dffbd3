#include "record/RecordFile.h"

#include "base/Errors.h"

#include <QFile>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little, "record blocks are copied as they are in memory");
static_assert(RecordChannels * BlockSamples * 4 == BlockTimestampOffset);
static_assert(BlockTimestampOffset + BlockSamples * 8 == BlockSignalOffset);

namespace {
// Zeroed memory from calloc: blocks this large come from the kernel's zero pages, so the
// 14 MB of a record's arrays cost nothing until samples are written into them.
template <typename T> std::unique_ptr<T[], RecordArrays::FreeMemory> zeroedArray(size_t count)
{
    T *memory = static_cast<T *>(std::calloc(count, sizeof(T)));
    if (!memory)
        throw std::bad_alloc();
    return std::unique_ptr<T[], RecordArrays::FreeMemory>(memory);
}
} // namespace

RecordArrays::RecordArrays()
{
    for (auto &channel : m_channels)
        channel = zeroedArray<float>(MaxRecordSamples);
    m_timestamps = zeroedArray<double>(MaxRecordSamples);
}

float RecordBlock::sample(int channel, int j) const
{
    float value;
    std::memcpy(&value, m_bytes.data() + channel * BlockSamples * 4 + j * 4, 4);
    return value;
}

void RecordBlock::setSample(int channel, int j, float value)
{
    std::memcpy(m_bytes.data() + channel * BlockSamples * 4 + j * 4, &value, 4);
}

double RecordBlock::timestamp(int j) const
{
    double value;
    std::memcpy(&value, m_bytes.data() + BlockTimestampOffset + j * 8, 8);
    return value;
}

void RecordBlock::setTimestamp(int j, double value)
{
    std::memcpy(m_bytes.data() + BlockTimestampOffset + j * 8, &value, 8);
}

int32_t RecordBlock::count() const
{
    int32_t value;
    std::memcpy(&value, m_bytes.data() + BlockCountOffset, 4);
    return value;
}

void RecordBlock::setCount(int32_t count)
{
    std::memcpy(m_bytes.data() + BlockCountOffset, &count, 4);
}

void RecordBlock::clearSamples()
{
    std::fill(m_bytes.begin(), m_bytes.begin() + BlockSignalOffset, uint8_t(0));
    setCount(0);
}

void RecordBlock::fill(const RecordArrays &arrays, int block, int32_t count)
{
    const size_t first = static_cast<size_t>(block) * BlockSamples;
    for (int k = 0; k < RecordChannels; ++k)
        std::memcpy(m_bytes.data() + k * BlockSamples * 4, arrays.channel(k) + first, BlockSamples * 4);
    std::memcpy(m_bytes.data() + BlockTimestampOffset, arrays.timestamps() + first, BlockSamples * 8);
    setCount(count);
}

namespace {

[[noreturn]] void throwSystemError(int error)
{
    throw EInOutError(qt_error_string(error));
}

void refuseIrregular(const QString &fileName, mode_t mode)
{
    if (S_ISREG(mode))
        return;
    const char *what = S_ISDIR(mode)     ? "a folder"
        : S_ISFIFO(mode)                 ? "a pipe"
        : S_ISSOCK(mode)                 ? "a socket"
        : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                         : "no regular file";
    throw EInOutError(QStringLiteral("%1 is %2, not a record file").arg(fileName, QLatin1String(what)));
}

// An open descriptor of a regular file, closed on every way out.
class FileHandle
{
public:
    // Refuses anything but a regular file before opening it (opening a FIFO or a terminal
    // could block or have effects of its own), and checks again on the opened descriptor
    // in case the name was swapped in between. Opened without blocking, which does not
    // matter for regular files.
    FileHandle(const QString &fileName, int flags)
    {
        const QByteArray path = QFile::encodeName(fileName);
        struct stat status;
        if (::stat(path.constData(), &status) == 0)
            refuseIrregular(fileName, status.st_mode);
        else if (!(flags & O_CREAT) || errno != ENOENT)
            throwSystemError(errno);
        do
            m_fd = ::open(path.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0)
            throwSystemError(errno);
        // A constructor that throws runs no destructor: close here on the way out.
        if (::fstat(m_fd, &status) != 0) {
            const int error = errno;
            ::close(m_fd);
            throwSystemError(error);
        }
        if (!S_ISREG(status.st_mode)) {
            ::close(m_fd);
            refuseIrregular(fileName, status.st_mode);
        }
        m_size = status.st_size;
    }
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    int fd() const { return m_fd; }
    off_t size() const { return m_size; }

    void writeAt(const uint8_t *data, size_t size, off_t offset) const
    {
        while (size > 0) {
            const ssize_t written = ::pwrite(m_fd, data, size, offset);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                throwSystemError(errno);
            }
            if (written == 0)
                throwSystemError(ENOSPC);
            data += written;
            size -= static_cast<size_t>(written);
            offset += written;
        }
    }

    void truncate(off_t size) const
    {
        if (::ftruncate(m_fd, size) != 0)
            throwSystemError(errno);
    }

    void sync() const
    {
        if (::fdatasync(m_fd) != 0)
            throwSystemError(errno);
    }

    // Closing reports errors that a network or delayed-allocation file system may hold
    // back until then.
    void close()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR)
            throwSystemError(errno);
    }

private:
    int m_fd = -1;
    off_t m_size = 0;
};

void syncFolderOf(const QString &fileName)
{
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const QByteArray folder = QFile::encodeName(slash < 0 ? QStringLiteral(".")
            : slash == 0                                  ? QStringLiteral("/")
                                                          : fileName.left(slash));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the file itself is safe; a folder we cannot open we cannot sync either
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString RecordFileRefusal(const RecordFileInfo &info)
{
    if (info.blocks == 0)
        return QStringLiteral("not a record file (no whole block)");
    return {};
}

std::optional<FileIdentity> FileIdentityOf(const QString &fileName)
{
    struct stat status;
    if (::stat(QFile::encodeName(fileName).constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throwSystemError(errno);
    }
    return FileIdentity { uint64_t(status.st_dev), uint64_t(status.st_ino) };
}

void CreateRecordFile(const QString &fileName, const RecordBlock &block)
{
    FileHandle file(fileName, O_WRONLY | O_CREAT);
    file.truncate(0);
    file.writeAt(block.data(), RecordBlockBytes, 0);
    file.sync();
    file.close();
    syncFolderOf(fileName);
}

int SaveRecordFile(const QString &fileName, const RecordArrays &record, int count, RecordBlock &buffer)
{
    count = std::clamp(count, 0, MaxRecordSamples);
    const int current = std::min(count / BlockSamples, MaxRecordBlocks - 1);
    buffer.fill(record, current, count);

    FileHandle file(fileName, O_WRONLY);
    const off_t whole = file.size() / RecordBlockBytes;
    // The file's last block may have been written before it was complete; it and every
    // block after it take the record's present samples and count. The block being filled
    // is written last, so a cut-off write at worst leaves a partial trailing block.
    const int first = static_cast<int>(std::clamp<off_t>(whole - 1, 0, current));
    RecordBlock completed;
    for (int m = first; m < current; ++m) {
        std::memcpy(completed.data() + BlockSignalOffset, buffer.data() + BlockSignalOffset,
            RecordBlockBytes - BlockSignalOffset);
        completed.fill(record, m, count);
        file.writeAt(completed.data(), RecordBlockBytes, off_t(m) * RecordBlockBytes);
    }
    file.writeAt(buffer.data(), RecordBlockBytes, off_t(current) * RecordBlockBytes);
    if (file.size() > off_t(current + 1) * RecordBlockBytes)
        file.truncate(off_t(current + 1) * RecordBlockBytes);
    file.sync();
    file.close();
    return current - first + 1;
}

RecordFileInfo ReadRecordFile(const QString &fileName, RecordArrays &into)
{
    FileHandle file(fileName, O_RDONLY);
    RecordFileInfo info;
    const int blocks = static_cast<int>(std::min<off_t>(file.size() / RecordBlockBytes, MaxRecordBlocks));
    // Straight into the arrays: scattered reads of many blocks at a time, no copy between.
    constexpr int PartsPerBlock = RecordChannels + 2;
    constexpr int BlocksPerRead = 1024 / PartsPerBlock; // 1024 parts per call at most (IOV_MAX)
    constexpr int TailBytes = RecordBlockBytes - BlockSignalOffset;
    uint8_t tails[BlocksPerRead][TailBytes];
    iovec parts[BlocksPerRead * PartsPerBlock];
    int k = 0;
    while (k < blocks) {
        const int batch = std::min(BlocksPerRead, blocks - k);
        for (int b = 0; b < batch; ++b) {
            const size_t first = static_cast<size_t>(k + b) * BlockSamples;
            iovec *part = parts + b * PartsPerBlock;
            for (int c = 0; c < RecordChannels; ++c)
                part[c] = { into.channel(c) + first, BlockSamples * 4 };
            part[RecordChannels] = { into.timestamps() + first, BlockSamples * 8 };
            part[RecordChannels + 1] = { tails[b], TailBytes };
        }
        ssize_t got;
        do
            got = ::preadv(file.fd(), parts, batch * PartsPerBlock, off_t(k) * RecordBlockBytes);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            throwSystemError(errno);
        // A short read ends inside a block: the whole blocks before it count, and the read
        // goes on from that block; none at all means the file shrank under us.
        const int whole = static_cast<int>(got / RecordBlockBytes);
        if (whole == 0)
            break;
        k += whole;
        const uint8_t *tail = tails[whole - 1];
        info.blocks = k;
        std::memcpy(info.channelSignals.data(), tail, RecordChannels);
        info.step = tail[BlockStepOffset - BlockSignalOffset];
        int32_t count;
        std::memcpy(&count, tail + (BlockCountOffset - BlockSignalOffset), 4);
        info.count = static_cast<int>(std::clamp<int64_t>(count, 0, int64_t(info.blocks) * BlockSamples));
    }
    return info;
}
