#pragma once

#include "link/frames.h"

#include <QByteArray>
#include <QByteArrayView>

// Bytes from the line in, whole reply frames out. Bytes that cannot begin a frame are dropped
// and the stream finds its feet again at the next "Q", so a stray byte costs at most one frame
// and two replies that arrive together are both taken.
class ReplyStream {
public:
    // Calls onFrame(QByteArrayView) with each complete frame, in order of arrival.
    template <typename OnFrame>
    void feed(QByteArrayView bytes, OnFrame&& onFrame);

    // Bytes waiting for the rest of their frame; never more than eight.
    QByteArrayView pending() const { return m_pending; }

private:
    QByteArray m_pending;
};

template <typename OnFrame>
void ReplyStream::feed(QByteArrayView bytes, OnFrame&& onFrame)
{
    m_pending.append(bytes);
    const char* data = m_pending.constData();
    const qsizetype size = m_pending.size();
    qsizetype at = 0;
    while (at < size) {
        if (data[at] != frames::kStart) {
            ++at;
            continue;
        }
        if (size - at < frames::kLength)
            break;
        if (data[at + frames::kLength - 1] == frames::kEnd) {
            onFrame(QByteArrayView(data + at, frames::kLength));
            at += frames::kLength;
        } else {
            ++at;
        }
    }
    m_pending.remove(0, at);
}
