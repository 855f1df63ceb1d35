#include "frame_reader.h"

std::vector<std::string> FrameReader::feed(std::string_view bytes)
{
    std::vector<std::string> frames;
    for (const char byte : bytes) {
        if (m_pending.empty() && byte != 'Q')
            continue;
        m_pending.push_back(byte);
        if (m_pending.size() < kFrameLength)
            continue;
        if (m_pending.back() == 'Y') {
            frames.push_back(std::move(m_pending));
            m_pending.clear();
        } else {
            resync();
        }
    }
    return frames;
}

// The leading "Q" began no frame; a later "Q" among the waiting bytes may.
void FrameReader::resync()
{
    const auto next = m_pending.find('Q', 1);
    m_pending.erase(0, next == std::string::npos ? m_pending.size() : next);
}
