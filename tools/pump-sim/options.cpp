#include "options.h"

#include <charconv>
#include <getopt.h>
#include <string_view>

const char* const kUsage =
    "usage: duravel-pump-sim [options]\n"
    "A simulated metering pump on a pseudo-terminal. Prints 'device: PATH' first, then runs\n"
    "until SIGINT, SIGTERM or SIGHUP and prints 'replies sent: N' to stderr on the way out.\n"
    "  --address NN       pump number 0..99 it answers to, besides 00 (default 00)\n"
    "  --link PATH        symbolic link to the device, removed on exit\n"
    "  --no-line-delay    write replies at once instead of at 9600 baud\n"
    "  --noise P          a stray byte before a reply, with probability P\n"
    "  --split            each reply in two writes with a gap (not with --coalesce)\n"
    "  --coalesce         replies within 200 ms held and written together\n"
    "  --drop P           a reply left out, with probability P\n"
    "  --silent           obey commands but send no replies\n"
    "  --hangup-after S   after S seconds the line disappears and the program ends\n"
    "  --seed N           seed for noise, drops and split points (repeatable runs)\n"
    "  --log FILE         log received frames, replies written and the final count\n"
    "  --flood N          N more pressure replies after the first poll's own (N up to 100000)\n"
    "  --help             this text\n";

namespace {

enum OptionId {
    kAddress = 256,
    kLink,
    kNoLineDelay,
    kNoise,
    kSplit,
    kCoalesce,
    kDrop,
    kSilent,
    kHangupAfter,
    kSeed,
    kLog,
    kFlood,
    kHelp,
};

const option kLongOptions[] = {
    {"address", required_argument, nullptr, kAddress},
    {"link", required_argument, nullptr, kLink},
    {"no-line-delay", no_argument, nullptr, kNoLineDelay},
    {"noise", required_argument, nullptr, kNoise},
    {"split", no_argument, nullptr, kSplit},
    {"coalesce", no_argument, nullptr, kCoalesce},
    {"drop", required_argument, nullptr, kDrop},
    {"silent", no_argument, nullptr, kSilent},
    {"hangup-after", required_argument, nullptr, kHangupAfter},
    {"seed", required_argument, nullptr, kSeed},
    {"log", required_argument, nullptr, kLog},
    {"flood", required_argument, nullptr, kFlood},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// The whole text must be the number: "5x" and "" are refused.
template <typename T>
T number(std::string_view name, std::string_view text)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw OptionError("--" + std::string(name) + ": not a number: '" + std::string(text) + "'");
    return value;
}

template <typename T>
T inRange(std::string_view name, std::string_view text, T low, T high)
{
    const T value = number<T>(name, text);
    if (!(value >= low && value <= high)) // also refuses nan
        throw OptionError("--" + std::string(name) + ": out of range: '" + std::string(text) + "'");
    return value;
}

} // namespace

Options parseOptions(int argc, char* argv[])
{
    Options options;
    opterr = 0; // our own messages
    optind = 1;
    for (;;) {
        int index = 0;
        const int id = getopt_long(argc, argv, ":", kLongOptions, &index);
        if (id == -1)
            break;
        if (id == '?')
            throw OptionError(std::string("unknown option: ") + argv[optind - 1]);
        if (id == ':')
            throw OptionError(std::string("missing value for ") + argv[optind - 1]);
        const std::string_view name = kLongOptions[index].name;
        const std::string_view value = optarg ? optarg : "";
        switch (id) {
        case kAddress: options.address = inRange(name, value, 0, 99); break;
        case kLink:
            if (value.empty())
                throw OptionError("--link: empty path");
            options.link = value;
            break;
        case kNoLineDelay: options.lineDelay = false; break;
        case kNoise: options.faults.noise = inRange(name, value, 0.0, 1.0); break;
        case kSplit: options.faults.split = true; break;
        case kCoalesce: options.faults.coalesce = true; break;
        case kDrop: options.faults.drop = inRange(name, value, 0.0, 1.0); break;
        case kSilent: options.faults.silent = true; break;
        case kHangupAfter: options.hangupAfter = inRange(name, value, 0.0, 1e9); break;
        case kSeed: options.seed = number<std::uint64_t>(name, value); break;
        case kLog:
            if (value.empty())
                throw OptionError("--log: empty path");
            options.log = value;
            break;
        case kFlood: options.flood = inRange(name, value, 0L, 100'000L); break;
        case kHelp: options.help = true; break;
        }
    }
    if (optind < argc)
        throw OptionError(std::string("unexpected argument: ") + argv[optind]);
    if (options.faults.split && options.faults.coalesce)
        throw OptionError("--split and --coalesce exclude each other");
    return options;
}
