#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <variant>

// What an answer at the port prompt names: a port number or a device.
namespace portnames {

struct Device {
    QString path;
};
struct OutOfRange {
    QString answer;
};
struct Invalid {
    QString answer;
};
using Answer = std::variant<Device, OutOfRange, Invalid>;

// A port number (text-to-16-bit rules, 1 and up) maps to the device named by DURAVEL_COM<N>
// when that is set, else COM<N> on Windows and /dev/ttyS<N-1> elsewhere. A device name
// (/dev/ttyUSB0, ttyUSB0, COM3) names that device; a bare name is looked up under /dev.
Answer resolve(QStringView answer);

// The device a port number maps to.
QString deviceForNumber(int number);

// Serial ports found on this machine, for telling the operator what there is.
QStringList availablePorts();

} // namespace portnames
