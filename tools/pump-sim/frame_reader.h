#pragma once

#include <string>
#include <string_view>
#include <vector>

// Bytes from the line in, complete nine-byte frames out: "Q" first, "Y" ninth, case-sensitive.
// A byte that cannot begin a frame is dropped and reading resynchronises on the next "Q", so at
// most eight bytes ever wait for the rest of their frame.
class FrameReader {
public:
    static constexpr std::size_t kFrameLength = 9;

    std::vector<std::string> feed(std::string_view bytes);

private:
    void resync();

    std::string m_pending;
};
