#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The nine-character frames of the pump line: "Q", a two-digit pump number, a code letter,
// a four-character value, "Y"; nothing before or after.
namespace frames {

inline constexpr qsizetype kLength = 9;
inline constexpr char kStart = 'Q';
inline constexpr char kEnd = 'Y';

// The fixed frames always address pump 00, whatever pump number is selected.
inline const QByteArray kRun = QByteArrayLiteral("Q00R0000Y");
inline const QByteArray kStop = QByteArrayLiteral("Q00S0000Y");
inline const QByteArray kPoll = QByteArrayLiteral("Q00F0000Y");

// A flow ('L') or pressure ('P') frame: the pump number by the pattern "00", the value by the
// pattern "00.0". Nothing is checked here; the senders check their ranges first.
QByteArray setpoint(qint64 pump, char letter, double value);

// The positions of a reply frame, counted from 0.
inline constexpr qsizetype kLetterAt = 3;
inline constexpr qsizetype kValueAt = 4;
inline constexpr qsizetype kValueLength = 4;

// True when the nine bytes start with "Q" and end with "Y": all the frame check there is.
inline bool isFrame(QByteArrayView bytes)
{
    return bytes.size() == kLength && bytes[0] == kStart && bytes[kLength - 1] == kEnd;
}

} // namespace frames
