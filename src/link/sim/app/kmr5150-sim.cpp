// kmr5150-sim: the simulated instrument on a pseudo-terminal, for trying the program
// without the meter and for end-to-end tests.

#include "link/sim/SimServer.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

const char Usage[]
    = "Usage: kmr5150-sim [--link PATH] [--address N] [--trigger-delay SECONDS]\n"
      "                   [--corrupt-every N] [--drop-every N] [--truncate-every N]\n"
      "                   [--split-every N] [--seed N] [--load PROFILE] [--verbose]\n"
      "                   [--garbage-every N] [--split-pause SECONDS]\n"
      "                   [--vanish-after SECONDS] [--return-after SECONDS] [--usb]\n"
      "\n"
      "Simulated KMR5150 power meter on a pseudo-terminal. The device path is printed as the\n"
      "first line of standard output; replies go out at the line speed the program sets.\n"
      "\n"
      "  --link PATH              make PATH a symbolic link to the device (removed at exit)\n"
      "  --address N              slave address, 0 to 255 (default 1)\n"
      "  --trigger-delay SECONDS  from arming the starting test to its trigger notice (default 3)\n"
      "  --corrupt-every N        change a CRC byte of every Nth reply (0: never, the default)\n"
      "  --drop-every N           send nothing for every Nth reply\n"
      "  --truncate-every N       send only the first part of every Nth reply\n"
      "  --split-every N          send every Nth reply in two bursts with a pause\n"
      "  --split-pause SECONDS    that pause (default 0.25)\n"
      "  --garbage-every N        send random bytes before every Nth reply\n"
      "  --seed N                 seed of the measurement noise and of the faults (default 1)\n"
      "  --load PROFILE           the load measured: rectifier (the default, about 4.5 A lagging),\n"
      "                           resistive (a heater), smps (a 260 W power supply without power\n"
      "                           factor correction), led (a 60 W LED driver), motor (an induction\n"
      "                           motor) or dimmer (a phase-cut dimmer on a 500 W lamp load)\n"
      "  --verbose                log each request and reply on standard error\n"
      "  --usb                    answer as the instrument's own USB port: every reply at once,\n"
      "                           whatever line speed is set (otherwise 10 bits a byte at it)\n"
      "  --vanish-after SECONDS   close the pseudo-terminal (and remove the link) after SECONDS\n"
      "  --return-after SECONDS   come back SECONDS after vanishing, on a new pseudo-terminal\n"
      "  --help                   show this text\n"
      "\n"
      "Signals: SIGUSR1 vanishes, SIGUSR2 comes back (the new device path is printed as a\n"
      "new line of standard output), SIGINT, SIGTERM and SIGHUP end it (exit status 0).\n"
      "Bad options exit with status 2.\n";

struct Options
{
    sim::ServerOptions server;
    bool verbose = false;
    std::optional<double> vanishAfter;
    std::optional<double> returnAfter;
};

[[noreturn]] void usageError(const std::string &reason)
{
    std::fprintf(stderr, "kmr5150-sim: %s\n%s", reason.c_str(), Usage);
    std::exit(2);
}

uint64_t parseUnsigned(const std::string &name, const std::string &text, uint64_t max)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        usageError(name + " needs a whole number, not '" + text + "'");
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > max)
        usageError(name + " " + text + " is out of range (0 to " + std::to_string(max) + ")");
    return value;
}

int parseEvery(const std::string &name, const std::string &text)
{
    return static_cast<int>(parseUnsigned(name, text, std::numeric_limits<int>::max()));
}

double parseSeconds(const std::string &name, const std::string &text)
{
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) || value < 0 || value > 1e6)
        usageError(name + " needs a number of seconds, not '" + text + "'");
    return value;
}

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name == "--help" || name == "-h") {
            std::fputs(Usage, stdout);
            std::exit(0);
        }
        if (name == "--verbose" || name == "--usb") {
            if (value)
                usageError(name + " takes no value");
            if (name == "--verbose")
                options.verbose = true;
            else
                options.server.pacing = false;
            continue;
        }
        static const char *const withValue[] = {
            "--link",
            "--address",
            "--trigger-delay",
            "--corrupt-every",
            "--drop-every",
            "--truncate-every",
            "--split-every",
            "--split-pause",
            "--garbage-every",
            "--seed",
            "--load",
            "--vanish-after",
            "--return-after",
        };
        bool known = false;
        for (const char *option : withValue)
            known = known || name == option;
        if (!known)
            usageError("unknown option '" + name + "'");
        if (!value) {
            if (i + 1 >= argc)
                usageError(name + " needs a value");
            value = argv[++i];
        }
        sim::ServerOptions &s = options.server;
        if (name == "--link") {
            if (value->empty())
                usageError("--link needs a path");
            s.linkPath = *value;
        } else if (name == "--address") {
            s.instrument.address = static_cast<uint8_t>(parseUnsigned(name, *value, 255));
        } else if (name == "--trigger-delay") {
            s.instrument.triggerDelay = parseSeconds(name, *value);
        } else if (name == "--corrupt-every") {
            s.faults.corruptEvery = parseEvery(name, *value);
        } else if (name == "--drop-every") {
            s.faults.dropEvery = parseEvery(name, *value);
        } else if (name == "--truncate-every") {
            s.faults.truncateEvery = parseEvery(name, *value);
        } else if (name == "--split-every") {
            s.faults.splitEvery = parseEvery(name, *value);
        } else if (name == "--split-pause") {
            s.faults.splitPause = parseSeconds(name, *value);
        } else if (name == "--garbage-every") {
            s.faults.garbageEvery = parseEvery(name, *value);
        } else if (name == "--seed") {
            s.instrument.seed = parseUnsigned(name, *value, std::numeric_limits<uint64_t>::max());
        } else if (name == "--load") {
            const auto load = sim::LoadProfileFromName(*value);
            if (!load)
                usageError(
                    "--load needs rectifier, resistive, smps, led, motor or dimmer, not '" + *value + "'");
            s.instrument.load = *load;
        } else if (name == "--vanish-after") {
            options.vanishAfter = parseSeconds(name, *value);
        } else if (name == "--return-after") {
            options.returnAfter = parseSeconds(name, *value);
        }
    }
    return options;
}

void printPath(const std::string &path)
{
    std::fprintf(stdout, "%s\n", path.c_str());
    std::fflush(stdout);
}

using Clock = std::chrono::steady_clock;

} // namespace

int main(int argc, char **argv)
{
    Options options = parse(argc, argv);
    if (options.verbose)
        options.server.log = [](const std::string &line) { std::fprintf(stderr, "%s\n", line.c_str()); };

    // Signals are taken synchronously by the main thread; the server thread inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : { SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2 })
        sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::SimServer server(options.server);
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "kmr5150-sim: %s\n", error.c_str());
        return 1;
    }
    printPath(server.devicePath());

    std::optional<Clock::time_point> vanishAt;
    std::optional<Clock::time_point> returnAt;
    const auto after = [](double seconds) {
        return Clock::now()
            + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    };
    if (options.vanishAfter)
        vanishAt = after(*options.vanishAfter);

    const auto vanish = [&] {
        server.vanish();
        vanishAt.reset();
        if (options.returnAfter)
            returnAt = after(*options.returnAfter);
    };
    const auto comeBack = [&] {
        returnAt.reset();
        std::string why;
        if (server.comeBack(&why)) {
            if (!server.devicePath().empty())
                printPath(server.devicePath());
        } else {
            std::fprintf(stderr, "kmr5150-sim: cannot come back: %s\n", why.c_str());
        }
    };

    for (;;) {
        std::optional<Clock::time_point> next = vanishAt;
        if (returnAt && (!next || *returnAt < *next))
            next = returnAt;
        int signal = -1;
        if (next) {
            const auto wait = std::max(Clock::duration::zero(), *next - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            const timespec timeout { static_cast<time_t>(ns / 1000000000),
                static_cast<long>(ns % 1000000000) };
            signal = sigtimedwait(&signals, nullptr, &timeout);
        } else {
            signal = sigwaitinfo(&signals, nullptr);
        }
        if (signal == SIGINT || signal == SIGTERM || signal == SIGHUP)
            break;
        if (signal == SIGUSR1) {
            vanish();
        } else if (signal == SIGUSR2) {
            comeBack();
        } else if (signal < 0 && errno != EINTR) {
            if (vanishAt && Clock::now() >= *vanishAt)
                vanish();
            else if (returnAt && Clock::now() >= *returnAt)
                comeBack();
        }
    }
    server.stop();
    return 0;
}
