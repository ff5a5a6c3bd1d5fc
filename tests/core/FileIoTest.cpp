#include "base/FileIo.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

// A device that accepts a fixed number of bytes and then fails, like a disk that fills up.
class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity) : m_capacity(capacity) { open(WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = std::min(len, m_capacity - qint64(written.size()));
        if (n <= 0)
            return -1;
        written.append(data, n);
        return n;
    }

private:
    qint64 m_capacity;
};

} // namespace

TEST(FileIo, WriteAllReportsADeviceThatFailsPartWay)
{
    FailingDevice device(5);
    EXPECT_FALSE(writeAll(device, QByteArray("0123456789")));
    EXPECT_EQ(device.written, QByteArray("01234"));

    FailingDevice roomy(100);
    EXPECT_TRUE(writeAll(roomy, QByteArray("0123456789")));
    EXPECT_EQ(roomy.written, QByteArray("0123456789"));
}
