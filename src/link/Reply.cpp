#include "link/Reply.h"

#include "link/Frames.h"
#include "link/Globals.h"
#include "link/MeasurementLayout.h"
#include "link/Registers.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
constexpr int StartingPageFrameBytes = StartingPageBytes + 2;

bool isAlarmRegister(uint8_t reg)
{
    return reg >= RegAlarmFirst && reg <= RegAlarmSwitches;
}
} // namespace

ClassifiedReply ClassifyReply(const uint8_t *frame, int n, uint8_t routingByte)
{
    if (n > FrameBufferSize)
        return { ReplyKind::TooLong };
    if (n <= 4)
        return { ReplyKind::Short };
    const uint16_t received = static_cast<uint16_t>(frame[n - 2] | frame[n - 1] << 8);
    if (ModbusCRC16(frame, n - 2) != received)
        return { ReplyKind::Damaged };

    if (n == MeasurementReplyBytes)
        return { ReplyKind::Measurement };
    if (n == StartingPageFrameBytes)
        return { ReplyKind::StartingPage };
    switch (frame[1]) {
    case FunctionRead:
        // Every register read here is a 32-bit value: a shorter reply is not read past its end.
        if ((isAlarmRegister(routingByte) || routingByte == RegMode) && n >= ValueReplyBytes)
            return { ReplyKind::RegisterValue, routingByte, 3 };
        break;
    case FunctionWriteAck:
        if (isAlarmRegister(frame[2]))
            return { ReplyKind::WriteAcknowledge, frame[2] };
        break;
    case FunctionTriggerNotice:
        if (frame[2] == RegTriggerNotice)
            return { ReplyKind::TriggerNotice, frame[2] };
        break;
    default:
        break;
    }
    return { ReplyKind::Ignored };
}

uint16_t ResendCount(uint8_t lastRegister, uint8_t lastCount)
{
    return lastRegister == RegStartingTest ? static_cast<uint16_t>(lastCount << 8) : lastCount;
}

bool ExpectsLongReply(uint8_t lastRegister)
{
    return lastRegister == RegMeasurement || lastRegister == RegStartingTest;
}

int StepWaitMs(int baudIndex)
{
    // Fifty of these steps cover the wire time of a measurement reply at each speed.
    static constexpr int waits[] = { 120, 52, 36, 26, 13, 9, 6, 4 };
    if (baudIndex < 0 || baudIndex >= static_cast<int>(std::size(waits)))
        return 0;
    return waits[baudIndex];
}

SettleBudget LongReplyBudget(uint8_t lastRegister, uint32_t bitsPerSecond)
{
    if (!ExpectsLongReply(lastRegister))
        return {};
    SettleBudget budget;
    budget.expectedBytes = lastRegister == RegMeasurement ? MeasurementReplyBytes : StartingPageFrameBytes;
    const double characterMs = 10000.0 / std::max<uint32_t>(bitsPerSecond, 1);
    // USB serial adapters hand bytes over in bursts up to 16 ms apart: a shorter quiet time
    // would take such a pause for the end of the reply.
    budget.quietMs = std::max(20, static_cast<int>(std::ceil(4 * characterMs)));
    budget.budgetMs = static_cast<int>(std::ceil(budget.expectedBytes * characterMs)) + budget.quietMs;
    return budget;
}

WireWait WireReplyWait(uint8_t awaited, uint32_t bitsPerSecond)
{
    WireWait wait;
    if (awaited == RegMeasurement)
        wait.expectedBytes = MeasurementReplyBytes;
    else if (awaited == RegStartingTest)
        wait.expectedBytes = StartingPageFrameBytes;
    else if (isAlarmRegister(awaited) || awaited == RegMode)
        wait.expectedBytes = ValueReplyBytes;
    // The same gap as the settling wait's quiet time: USB adapters pause up to 16 ms.
    const SettleBudget longest = LongReplyBudget(RegMeasurement, bitsPerSecond);
    wait.gapMs = longest.quietMs;
    wait.budgetMs = longest.budgetMs;
    return wait;
}

uint8_t NextAlarmRead(uint8_t reg, uint8_t alarmReadStep)
{
    if (reg < RegAlarmFirst || reg > RegAlarmLast)
        return 0;
    const int k = reg - RegAlarmFirst;
    return alarmReadStep < k + 1 ? static_cast<uint8_t>(reg + 1) : 0;
}

bool ModeReplyStartsAlarmChain(uint8_t alarmReadStep)
{
    return alarmReadStep < 4;
}

int StartingPageOffset(uint8_t page)
{
    if (page < 1 || page > StartingPages)
        return -1;
    return (page - 1) * StartingPageBytes;
}
