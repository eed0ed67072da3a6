// A whole read or write against a radio whose every reply comes from the
// fuzz input, with the user answering Retry a few times and perhaps
// pressing Cancel.
//
// Input: a flags byte (bit 0 write; bits 1-2 how many prompts to answer
// Retry; all of bits 3-7 set: the port cannot be opened), a 16-bit pump
// pass after which Cancel is seen (0: never), then the line's replies: each
// read takes one control byte, 0xFF a port error, any other c delivers
// c mod (n + 1) of the n bytes asked for from the input that follows; past
// the end the line is silent. A short read costs its whole timeout on the
// clock, which moves only when the transfer waits.
#include "FuzzSupport.h"

#include "app/LanguageBundle.h"
#include "link/Clock.h"
#include "link/Protocol.h"
#include "link/SerialPort.h"
#include "link/TransferEngine.h"

#include <cstring>

using namespace corvane;
using namespace corvane::fuzz;

namespace {

struct FuzzClock : Clock {
    void Sleep(int ms) override { now += ms * 1000LL; }
    int64_t Now() const override { return now; }
    int64_t now = 0;
};

class FuzzPort : public SerialPort {
public:
    struct Block {
        uint8_t command = 0; // Proto::ReadCmd or Proto::WriteCmd
        int address = 0;
        QByteArray data;     // the read reply, or the written data
        bool acked = false;  // the radio's 0x06 followed the block
    };

    FuzzPort(InputReader &input, FuzzClock &clock) : m_in(input), m_clock(clock) {}

    Result Open(const QString &) override
    {
        if (failOpen)
            return Result::fail(Status::PortError, QStringLiteral("refused by the fuzz input"));
        isOpen = true;
        return Result::success();
    }
    void SetupComm(int, int) override {}
    void SetTimeouts(const CommTimeouts &) override {}
    void SetLineSettings(const LineSettings &) override {}
    void Purge(PurgeMode) override {}
    void Write(const uint8_t *data, int n) override
    {
        FUZZ_CHECK(isOpen);
        m_clock.now += 1000LL * n; // about 1 ms a byte at 9600 baud
        if (n == Proto::RequestSize && (data[0] == Proto::ReadCmd || data[0] == Proto::WriteCmd)
            && data[3] == Proto::BlockLen)
            blocks.push_back({data[0], (data[1] << 8) | data[2], {}, false});
        else if (n == Proto::BlockSize && !blocks.empty() && blocks.back().command == Proto::WriteCmd)
            blocks.back().data = QByteArray(reinterpret_cast<const char *>(data), n);
    }
    ReadOutcome Read(int n) override
    {
        FUZZ_CHECK(isOpen);
        // Far more reads than any transfer makes: the engine does not end.
        FUZZ_CHECK(++reads < 20000);
        const uint8_t control = m_in.Byte();
        ReadOutcome out;
        if (control == 0xFF)
            out.ok = false;
        else
            out.bytes = m_in.Bytes(control % (n + 1));
        if (out.bytes.size() < n)
            m_clock.now += CommTimeouts{}.readTotal(n) * 1000LL;
        Record(n, out);
        return out;
    }
    void Close() override
    {
        isOpen = false;
        ++closes;
    }

    bool failOpen = false;
    bool isOpen = false;
    int reads = 0;
    int closes = 0;
    std::vector<Block> blocks;

private:
    void Record(int n, const ReadOutcome &out)
    {
        if (blocks.empty() || !out.ok)
            return;
        Block &b = blocks.back();
        if (n == Proto::ReadReplySize && b.command == Proto::ReadCmd)
            b.data = out.bytes;
        else if (n == 1 && out.bytes == QByteArray(1, static_cast<char>(Proto::Ack)))
            b.acked = b.data.size() == (b.command == Proto::ReadCmd ? Proto::ReadReplySize : Proto::BlockSize);
    }

    InputReader &m_in;
    FuzzClock &m_clock;
};

struct Calls {
    int passes = 0, prompts = 0, closes = 0, refreshes = 0, flagClears = 0;
    std::vector<int> messages;
};

void CheckRead(const Result &r, const FuzzPort &port, const MemoryImage &before, const MemoryImage &image)
{
    if (!r.ok()) {
        FUZZ_CHECK(image == before);
        return;
    }
    FUZZ_CHECK(port.blocks.size() == static_cast<std::size_t>(Proto::ReadBlocks));
    for (int i = 0; i < Proto::ReadBlocks; ++i) {
        const FuzzPort::Block &b = port.blocks[static_cast<std::size_t>(i)];
        FUZZ_CHECK(b.command == Proto::ReadCmd && b.address == i * Proto::BlockSize && b.acked);
        FUZZ_CHECK(std::memcmp(image.data() + b.address, b.data.constData() + 4, Proto::BlockSize) == 0);
    }
}

void CheckWrite(const Result &r, const FuzzPort &port, const MemoryImage &before, const MemoryImage &image)
{
    FUZZ_CHECK(image == before);
    if (!r.ok())
        return;
    std::size_t i = 0;
    for (const Proto::Range &range : Proto::WriteRanges) {
        for (int address = range.begin; address < range.end; address += Proto::BlockSize, ++i) {
            FUZZ_CHECK(i < port.blocks.size());
            const FuzzPort::Block &b = port.blocks[i];
            FUZZ_CHECK(b.command == Proto::WriteCmd && b.address == address && b.acked);
            FUZZ_CHECK(std::memcmp(image.data() + address, b.data.constData(), Proto::BlockSize) == 0);
        }
    }
    FUZZ_CHECK(i == port.blocks.size());
}

MemoryImage StartImage()
{
    MemoryImage m = ImageWithChannels();
    for (int i = 0x1000; i < kImageSize; ++i)
        m[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    InputReader in(data, size);
    const uint8_t flags = in.Byte();
    const bool write = flags & 1;
    const int retries = (flags >> 1) & 3;
    const int cancelAtPass = in.Word();

    FuzzClock clock;
    FuzzPort port(in, clock);
    port.failOpen = (flags & 0xF8) == 0xF8;
    static const MemoryImage before = StartImage();
    MemoryImage image = before;
    Calls calls;
    TransferCallbacks cb;
    cb.refreshFromImage = [&calls] { ++calls.refreshes; };
    cb.clearNewDocumentFlag = [&calls] { ++calls.flagClears; };
    cb.pump = [&calls, cancelAtPass] { return ++calls.passes == cancelAtPass; };
    cb.commErrorPrompt = [&calls, retries] {
        return calls.prompts++ < retries ? PromptAnswer::Retry : PromptAnswer::Cancel;
    };
    cb.showMessage = [&calls](int id) { calls.messages.push_back(id); };
    cb.closeProgressDialog = [&calls] { ++calls.closes; };
    TransferEngine engine(port, clock, image, cb);
    engine.SetWrite(write);
    const Result r = engine.Run(QStringLiteral("com1"));

    FUZZ_CHECK(!port.isOpen && calls.closes == 1);
    FUZZ_CHECK(calls.prompts <= retries + 1);
    FUZZ_CHECK(r.status != Status::Cancelled || (cancelAtPass > 0 && calls.passes == cancelAtPass));
    const std::vector<int> expected = r.status == Status::PortError     ? std::vector<int>{Ids::PortOpenFail}
                                      : r.status == Status::Interrupted ? std::vector<int>{Ids::ProgramInterrupt}
                                                                        : std::vector<int>{};
    FUZZ_CHECK(calls.messages == expected);
    const bool readDone = !write && r.ok();
    FUZZ_CHECK(calls.refreshes == (readDone ? 1 : 0) && calls.flagClears == calls.refreshes);
    if (write)
        CheckWrite(r, port, before, image);
    else
        CheckRead(r, port, before, image);
    return 0;
}
