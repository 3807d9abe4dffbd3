#pragma once

// What a fetched reply is, and the arithmetic of waiting for it and asking for it again.
// Plain functions over bytes: the link session fetches, asks here, and runs the step for
// the kind.

#include <cstdint>

// Large enough for every reply of the instrument; longer input is too long and never kept.
constexpr int FrameBufferSize = 2660;

enum class ReplyKind {
    Short, // four bytes or fewer: ask again
    Damaged, // the CRC does not match: ask again
    TooLong, // longer than any reply of the instrument: ask again
    Measurement, // 2532 bytes: the measurement block
    StartingPage, // 1710 bytes: one page of a starting-test capture
    RegisterValue, // function 0x03 for a register the program reads (alarms, mode byte)
    WriteAcknowledge, // function 0x09 for an alarm register
    TriggerNotice, // function 0x0A, register 146: the starting test's trigger has fired
    Ignored, // anything else: dropped without a word
};

struct ClassifiedReply
{
    ReplyKind kind = ReplyKind::Ignored;
    uint8_t reg = 0; // RegisterValue: the routing byte; WriteAcknowledge: the register acknowledged
    int dataOffset = 0; // where the block, the page or the four value bytes start in the frame

    bool asksAgain() const
    {
        return kind == ReplyKind::Short || kind == ReplyKind::Damaged || kind == ReplyKind::TooLong;
    }
};

// `frame` holds the n fetched bytes; `routingByte` is the register of the latest request
// built in the request buffer. Reads no byte beyond n, and none at all when n is too long.
ClassifiedReply ClassifyReply(const uint8_t *frame, int n, uint8_t routingByte);

// The count of the read that repeats the last one: the starting test carries its page
// number in the high byte.
uint16_t ResendCount(uint8_t lastRegister, uint8_t lastCount);

// Only the measurement and the starting-test pages are long enough to be waited for.
bool ExpectsLongReply(uint8_t lastRegister);

// Per-step wait (ms) of the fifty paced steps for an index of the speed list; 0 for none.
int StepWaitMs(int baudIndex);
constexpr int PacedSteps = 50;
constexpr int FirstSleepMs = 20;
// A read without any reply for this long is asked for again.
constexpr int SilenceResendMs = 2000;

// How long to keep waiting while a long reply is still arriving after the paced steps: it
// is complete at `expectedBytes`; the line has fallen quiet when a check `quietMs` later
// finds no new byte; and no wait lasts beyond the reply's wire time plus one quiet time.
struct SettleBudget
{
    uint32_t expectedBytes = 0;
    int quietMs = 0;
    int budgetMs = 0;
};
SettleBudget LongReplyBudget(uint8_t lastRegister, uint32_t bitsPerSecond);

// The wait at the speed of the wire: the queue is looked at every `pollMs` until the reply
// to `awaited` is whole at `expectedBytes` (0: its length is not known) or no byte came for
// `gapMs` (a reply cut short, or one of unknown length that has ended); a line that never
// falls quiet is waited for no longer than `budgetMs`, the longest reply's wire time.
struct WireWait
{
    uint32_t expectedBytes = 0;
    int pollMs = 1;
    int gapMs = 0;
    int budgetMs = 0;
};
WireWait WireReplyWait(uint8_t awaited, uint32_t bitsPerSecond);

// The alarm read chain: the register to ask for after the reply to `reg`, or 0 when the
// chain asks nothing (the switches end it; each register is asked for once per chain).
uint8_t NextAlarmRead(uint8_t reg, uint8_t alarmReadStep);
// The mode byte's reply starts the chain while fewer than four of its replies came.
bool ModeReplyStartsAlarmChain(uint8_t alarmReadStep);

// Where page `page` (1 to 6) of a capture goes in the page buffer; -1 when no fetch runs.
int StartingPageOffset(uint8_t page);
