#include "link/sim/SimInstrument.h"

#include "link/sim/SimCapture.h"

#include "link/FrameBuilders.h"

#include <cstdio>

namespace sim {

namespace {
void appendCrc(std::vector<uint8_t> &frame)
{
    const uint16_t crc = ModbusCRC16(frame.data(), static_cast<int>(frame.size()));
    frame.push_back(static_cast<uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
}

std::array<uint8_t, 4> singleBytes(float value)
{
    const uint32_t bits = SingleBits(value);
    return { static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
        static_cast<uint8_t>(bits >> 24) };
}

bool isAlarmRegister(uint16_t reg)
{
    return reg >= RegAlarmFirst && reg <= RegAlarmSwitches;
}

// Written by the program, never answered.
bool isSilentWrite(uint16_t reg)
{
    return reg == RegMode || reg == RegCtDelay || reg == RegVoltageCalibration || reg == RegCurrentCalibration
        || reg == RegCalibrationStep || reg == RegCalibrationEnable;
}
} // namespace

std::string SettingWriteText(uint16_t reg, const std::array<uint8_t, 4> &data)
{
    char line[96];
    const float value = BytesToSingle(data.data());
    switch (reg) {
    case RegMode:
        std::snprintf(line, sizeof line, "mode byte 0x%02X: %s, THD %s", data[0],
            (data[0] & 0x01) ? "broadband" : "narrowband", (data[0] & 0x02) ? "%r CSA" : "%f IEC");
        return line;
    case RegCtDelay:
        std::snprintf(line, sizeof line, "external CT delay %.9g s", value);
        return line;
    case RegVoltageCalibration:
        std::snprintf(line, sizeof line, "voltage calibrated to %.9g V", value);
        return line;
    case RegCurrentCalibration:
        std::snprintf(line, sizeof line, "current calibrated to %.9g A", value);
        return line;
    case RegCalibrationStep: {
        static const char *const steps[] = { "calibration at normal temperature",
            "calibration at low temperature", "temperature compensation off", "temperature compensation on" };
        if (data[0] < 4)
            return steps[data[0]];
        std::snprintf(line, sizeof line, "unknown calibration step %u", data[0]);
        return line;
    }
    case RegCalibrationEnable:
        if (data[0] == 0xA7)
            return "calibration unlocked";
        std::snprintf(line, sizeof line, "wrong unlock code 0x%02X", data[0]);
        return line;
    default:
        return {};
    }
}

const char *ReplyKindText(Reply::Kind kind)
{
    switch (kind) {
    case Reply::Kind::Measurement:
        return "measurement";
    case Reply::Kind::Value:
        return "value";
    case Reply::Kind::WriteAck:
        return "write acknowledgement";
    case Reply::Kind::TriggerNotice:
        return "trigger notice";
    case Reply::Kind::StartingPage:
        return "starting-test page";
    }
    return "reply";
}

std::string HexText(const uint8_t *bytes, size_t n, size_t limit)
{
    std::string text;
    char hex[4];
    for (size_t k = 0; k < n && k < limit; ++k) {
        std::snprintf(hex, sizeof hex, k ? " %02X" : "%02X", bytes[k]);
        text += hex;
    }
    if (n > limit)
        text += " ...";
    return text;
}

Instrument::Instrument(InstrumentSettings settings)
    : m_settings(settings)
    , m_parser(settings.address)
    , m_model(settings.seed, settings.load)
    , m_capture(EmptyStartingCapture())
{
    // Limits the instrument leaves the factory with: 230 V +10 %/-10 %, 16 A, 3680 W,
    // power factor 0.5 to 1; the voltage and current upper limits switched on.
    const float limits[8] = { 253.0f, 207.0f, 16.0f, 0.0f, 3680.0f, 0.0f, 1.0f, 0.5f };
    for (int k = 0; k < 8; ++k)
        m_registers[RegAlarmFirst + k] = singleBytes(limits[k]);
    m_registers[RegAlarmSwitches] = { 0x05, 0, 0, 0 };
}

void Instrument::note(const std::string &line) const
{
    if (log)
        log(line);
}

Reply Instrument::valueReply(uint16_t reg, const std::array<uint8_t, 4> &data) const
{
    Reply reply;
    reply.kind = Reply::Kind::Value;
    reply.reg = reg;
    reply.bytes = { m_settings.address, FunctionRead, 0x04, data[0], data[1], data[2], data[3] };
    appendCrc(reply.bytes);
    return reply;
}

Reply Instrument::shortFrame(Reply::Kind kind, uint8_t function, uint16_t reg) const
{
    Reply reply;
    reply.kind = kind;
    reply.reg = reg;
    reply.bytes = { m_settings.address, function, static_cast<uint8_t>(reg & 0xFF) };
    appendCrc(reply.bytes);
    return reply;
}

std::vector<Reply> Instrument::receive(const uint8_t *bytes, size_t n, double now)
{
    std::vector<Reply> replies;
    const int otherFrames = m_parser.otherAddressFrames();
    const size_t skipped = m_parser.skippedBytes();
    const std::vector<Request> requests = m_parser.feed(bytes, n);
    if (log && m_parser.otherAddressFrames() > otherFrames)
        note("ignored: " + std::to_string(m_parser.otherAddressFrames() - otherFrames)
            + " request(s) for another address");
    if (log && m_parser.skippedBytes() > skipped)
        note(
            "skipped " + std::to_string(m_parser.skippedBytes() - skipped) + " byte(s) that make no request");
    for (const Request &request : requests) {
        std::vector<Reply> answer = handle(request, now);
        replies.insert(replies.end(), answer.begin(), answer.end());
    }
    return replies;
}

std::vector<Reply> Instrument::handle(const Request &request, double now)
{
    char line[128];
    const uint16_t reg = request.reg;
    if (request.kind == Request::Kind::Read) {
        ++m_reads[reg];
        std::snprintf(line, sizeof line, "request: read %u count 0x%04X", reg, request.count);
        note(line);
        if (reg == RegMeasurement) {
            Reply reply;
            reply.kind = Reply::Kind::Measurement;
            reply.reg = reg;
            reply.bytes = m_model.replyFrame(now, m_modeByte);
            return { reply };
        }
        if (reg == RegMode)
            return { valueReply(reg, { m_modeByte, 0, 0, 0 }) };
        if (isAlarmRegister(reg))
            return { valueReply(reg, registerBytes(reg)) };
        if (reg == RegStartingTest) {
            const int page = request.count >> 8;
            if (page == 0) {
                // Arming again restarts the wait, as pressing the switch later would.
                m_rangeCode = static_cast<uint8_t>(request.count & 0xFF);
                m_triggerAt = now + m_settings.triggerDelay;
                std::snprintf(line, sizeof line, "starting test armed, range code 0x%02X", m_rangeCode);
                note(line);
                return {};
            }
            if (page <= CapturePages) {
                Reply reply;
                reply.kind = Reply::Kind::StartingPage;
                reply.reg = reg;
                reply.page = page;
                reply.bytes = StartingPageFrame(m_capture, page);
                return { reply };
            }
            note("ignored: no such starting-test page");
            return {};
        }
        if (reg == RegCloseNotice || reg == RegLinkWatch)
            return {};
        note("ignored: register not readable");
        return {};
    }

    ++m_writes[reg];
    std::snprintf(line, sizeof line, "request: write %u data %s", reg,
        HexText(request.data.data(), request.data.size()).c_str());
    note(line);
    if (isAlarmRegister(reg)) {
        m_registers[reg] = request.data;
        return { shortFrame(Reply::Kind::WriteAck, FunctionWriteAck, reg) };
    }
    if (reg == RegMode) {
        m_modeByte = request.data[0];
        m_registers[reg] = { m_modeByte, 0, 0, 0 };
        note(SettingWriteText(reg, request.data));
        return {};
    }
    if (isSilentWrite(reg)) {
        m_registers[reg] = request.data;
        note(SettingWriteText(reg, request.data));
        return {};
    }
    note("ignored: register not writable");
    return {};
}

std::vector<Reply> Instrument::advance(double now)
{
    if (!m_triggerAt || now < *m_triggerAt)
        return {};
    m_triggerAt.reset();
    ++m_captures;
    m_capture = MakeStartingCapture(m_rangeCode, m_settings.seed + static_cast<uint64_t>(m_captures));
    note("starting test captured");
    return { shortFrame(Reply::Kind::TriggerNotice, FunctionTriggerNotice, RegTriggerNotice) };
}

std::optional<double> Instrument::nextEventTime() const
{
    return m_triggerAt;
}

std::array<uint8_t, 4> Instrument::registerBytes(uint16_t reg) const
{
    if (reg == RegMode)
        return { m_modeByte, 0, 0, 0 };
    const auto it = m_registers.find(reg);
    return it == m_registers.end() ? std::array<uint8_t, 4> {} : it->second;
}

int Instrument::writesOf(uint16_t reg) const
{
    const auto it = m_writes.find(reg);
    return it == m_writes.end() ? 0 : it->second;
}

int Instrument::readsOf(uint16_t reg) const
{
    const auto it = m_reads.find(reg);
    return it == m_reads.end() ? 0 : it->second;
}

} // namespace sim
