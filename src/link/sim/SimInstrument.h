#pragma once

// The simulated instrument without any line: request bytes in, reply frames out, with the
// time passed in by the caller. It keeps the registers the program reads and writes, makes
// measurements from its physical model, and runs the starting test (arming, the trigger
// notice after a delay, the capture in six pages).

#include "link/Registers.h"
#include "link/sim/SimMeasurement.h"
#include "link/sim/SimRequestParser.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// One frame the instrument sends, as it should arrive.
struct Reply
{
    enum class Kind { Measurement, Value, WriteAck, TriggerNotice, StartingPage };
    Kind kind = Kind::Value;
    uint16_t reg = 0; // the register answered; 146 for the trigger notice
    int page = 0; // starting-test page, 1 to 6
    std::vector<uint8_t> bytes;
};

const char *ReplyKindText(Reply::Kind kind);

struct InstrumentSettings
{
    uint8_t address = 1;
    double triggerDelay = 3.0; // seconds from arming to the trigger notice
    uint64_t seed = 1;
    LoadProfile load = LoadProfile::Rectifier;
};

class Instrument
{
public:
    explicit Instrument(InstrumentSettings settings = {});

    // Feeds received bytes; returns the replies to the complete requests among them.
    std::vector<Reply> receive(const uint8_t *bytes, size_t n, double now);
    // Answers one request that is already parsed.
    std::vector<Reply> handle(const Request &request, double now);
    // The trigger notice, once its time has come; nothing otherwise.
    std::vector<Reply> advance(double now);
    // When advance() will next have something to send; empty when nothing is pending.
    std::optional<double> nextEventTime() const;

    uint8_t address() const { return m_settings.address; }
    uint8_t modeByte() const { return m_modeByte; }
    // The four bytes last written to (or initially held by) a register; zeros if none.
    std::array<uint8_t, 4> registerBytes(uint16_t reg) const;
    int writesOf(uint16_t reg) const;
    int readsOf(uint16_t reg) const;
    bool armed() const { return m_triggerAt.has_value(); }
    uint8_t rangeCode() const { return m_rangeCode; }
    const std::vector<uint8_t> &capture() const { return m_capture; }
    int capturesTaken() const { return m_captures; }
    MeasurementModel &model() { return m_model; }
    const RequestParser &parser() const { return m_parser; }
    // Forgets a partly received request (the line went away).
    void clearInput() { m_parser.clear(); }

    // One line per request and what became of it; unset means silent.
    std::function<void(const std::string &)> log;

private:
    Reply valueReply(uint16_t reg, const std::array<uint8_t, 4> &data) const;
    Reply shortFrame(Reply::Kind kind, uint8_t function, uint16_t reg) const;
    void note(const std::string &line) const;

    InstrumentSettings m_settings;
    RequestParser m_parser;
    MeasurementModel m_model;
    uint8_t m_modeByte = 0;
    std::map<uint16_t, std::array<uint8_t, 4>> m_registers;
    std::map<uint16_t, int> m_writes;
    std::map<uint16_t, int> m_reads;
    std::optional<double> m_triggerAt;
    uint8_t m_rangeCode = 0;
    std::vector<uint8_t> m_capture;
    int m_captures = 0;
};

// What a write of one of the silent settings registers (128, 129, 154, 158, 166, 185) means,
// for the log: "voltage calibrated to 220 V", "temperature compensation off". Empty for others.
std::string SettingWriteText(uint16_t reg, const std::array<uint8_t, 4> &data);

// Hex text of bytes, "01 03 00 94"; long runs are cut after `limit` bytes with "...".
std::string HexText(const uint8_t *bytes, size_t n, size_t limit = 16);

} // namespace sim
