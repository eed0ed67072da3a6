#pragma once
// Runs a VirtualRadio on the master side of a pseudo-terminal, with the
// timing of a serial line.
//
// Paced (baud > 0): every byte takes 10 / baud seconds on the wire in each
// direction. A byte the program writes reaches the radio only when it has
// crossed; each reply byte is delivered when it has crossed, one after the
// other.
//
// Unpaced (baud 0): the radio still never answers the handshake sooner
// than a real 9600-baud line could carry the request's last byte and the
// whole reply ((1 + reply length) x 1.04 ms), and never sooner than
// kHandshakeLatencyUs: the program clears its input right after sending
// the final handshake acknowledgement, and an answer within microseconds
// would lose that race where real hardware never does (the margin also
// covers a busy machine that pauses the program between the two calls).
// Block replies follow no clear and cannot be lost that way, so they go
// out as soon as the request is complete; that keeps an unpaced full
// transfer well under a second.
#include <QByteArray>
#include <atomic>
#include <cstdint>
#include <deque>

namespace corvane {

class PtyEndpoint;
class VirtualRadio;

class RadioSimulator {
public:
    static constexpr int64_t kHandshakeLatencyUs = 20000;

    // Neither radio nor pty is owned; pty must be open.
    RadioSimulator(VirtualRadio &radio, PtyEndpoint &pty, int baud);

    // Serves the line until stop is set or the radio hangs up (then the
    // pseudo-terminal is closed, which the program sees as a hang-up).
    void Run(const std::atomic<bool> &stop);

    // Read and write requests the radio has taken so far (its BlocksRead
    // plus BlocksWritten). May be read from any thread while Run serves.
    int Requests() const { return m_requests.load(); }

    // Time one byte takes at the given rate (10 bits), in microseconds.
    static int64_t ByteTimeUs(int baud);

private:
    struct Timed {
        int64_t due;
        uint8_t byte;
    };

    static int64_t NowUs();
    void Receive(int64_t now);
    void Process(int64_t now);
    void Schedule(int64_t arrived, const QByteArray &reply, bool handshake);
    void Send(int64_t now);
    int64_t NextDue() const;

    VirtualRadio &m_radio;
    PtyEndpoint &m_pty;
    int m_baud;
    int64_t m_byteUs;
    int64_t m_inFree = 0;  // when the incoming wire is free again
    int64_t m_outFree = 0; // when the outgoing wire is free again
    std::deque<Timed> m_in;
    std::deque<Timed> m_out;
    std::atomic<int> m_requests{0};
};

} // namespace corvane
