// Any bytes from the line, cut into reads at random places, through the real reply handler onto
// real labels. Whatever the cuts, the labels end as a plain reading of the whole byte stream
// would leave them, every frame is sampled once, and a label holds only what a frame put there.

#include "link/reply_handler.h"
#include "link/reply_stream.h"
#include "panel/panel_state.h"

#include <QApplication>
#include <QLabel>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QApplication& application()
{
    static int argc = 1;
    static char name[] = "fuzz_reply_stream";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

struct Expected {
    QString LcurrP = QStringLiteral("00.0");
    QString LsetP = QStringLiteral("02.0");
    QString LsetF = QStringLiteral("00.0");
    int frames = 0;
};

// The whole stream read in one go, frame by frame, as the line delivers it.
Expected readWhole(const uint8_t* data, size_t size, const PanelState& state)
{
    Expected expected;
    size_t at = 0;
    while (at + 9 <= size) {
        if (data[at] != 'Q' || data[at + 8] != 'Y') {
            ++at;
            continue;
        }
        const char* frame = reinterpret_cast<const char*>(data + at);
        const char setValue[] = {frame[4], frame[5], '.', frame[7]};
        if (frame[3] == 'N')
            expected.LcurrP = QString::fromLatin1(frame + 4, 4);
        else if (frame[3] == 'P' && state.pr != 1)
            expected.LsetP = QString::fromLatin1(setValue, 4);
        else if (frame[3] == 'L' && state.lq != 1)
            expected.LsetF = QString::fromLatin1(setValue, 4);
        ++expected.frames;
        at += 9;
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    application();
    if (size < 2)
        return 0;
    // The first two bytes choose the cuts and which keypad entry is open.
    uint32_t cuts = data[0] | (data[1] << 8);
    PanelState state;
    state.lq = (data[1] & 0x80) ? 1 : 0;
    state.pr = (!state.lq && (data[1] & 0x40)) ? 1 : 0;
    data += 2;
    size -= 2;

    QLabel LcurrP(QStringLiteral("00.0")), LsetP(QStringLiteral("02.0")), LsetF(QStringLiteral("00.0"));
    int samples = 0;
    ReplyHandler handler(LcurrP, LsetP, LsetF, state, state.savelist, [&] {
        ++samples;
        require(LcurrP.text().size() == 4 && LsetP.text().size() == 4 && LsetF.text().size() == 4);
    });
    ReplyStream stream;
    size_t at = 0;
    while (at < size) {
        cuts = cuts * 1103515245u + 12345u;
        const size_t length = std::min<size_t>(size - at, 1 + (cuts >> 16) % 24);
        const QByteArrayView read(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(length));
        handler.received(read);
        stream.feed(read, [](QByteArrayView frame) { require(frame.size() == 9); });
        require(stream.pending().size() <= 8);
        at += length;
    }

    const Expected expected = readWhole(data, size, state);
    require(LcurrP.text() == expected.LcurrP);
    require(LsetP.text() == expected.LsetP);
    require(LsetF.text() == expected.LsetF);
    require(samples == expected.frames);
    return 0;
}
