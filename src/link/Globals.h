#pragma once

// State shared between windows. All of it is created zero and kept for the whole run.

#include <QString>

#include <array>
#include <cstdint>

class TComm;

// Instrument link. One per thread: the program has one link on its main thread, and the
// command-line tool follows several instruments, each on a thread of its own.
extern thread_local TComm
    *RequestComm; // the serial component every request goes through (the main window's Comm1)
constexpr int RequestBufferSize = 128;
extern thread_local std::array<uint8_t, RequestBufferSize>
    RequestBuffer; // frame of the latest read or byte write
extern thread_local uint8_t InstrumentAddress; // slave address put in every request
extern thread_local uint8_t UsbLink; // 1 while the selected port is the instrument's own USB port
extern thread_local uint8_t LastRegister; // the read to repeat after a missing or damaged reply
extern thread_local uint8_t LastCount;
extern thread_local uint8_t ModeWord; // bit 0 bandwidth, bit 1 THD convention
extern uint8_t AlarmReadStep; // progress of the settings read chain

// Discovery
extern QString UsbDeviceIdMark; // searched in each device's plug-and-play identifier

// Acquisition
extern uint8_t SamplingMode; // 0 stopped, 1 single sampling pending, 2 continuous

// Starting test
constexpr int StartingPageBytes = 1708;
constexpr int StartingPages = 6;
constexpr int StartingCaptureBytes = StartingPageBytes * StartingPages; // 10248
extern uint8_t StartingPage; // page expected next, 1 to 6; 0 while no transfer runs
extern std::array<uint8_t, StartingCaptureBytes> StartingPageBuffer;
extern std::array<uint8_t, StartingCaptureBytes> StartingCapture;

// Command line
extern QString CommandLineFile;
extern bool StartedWithFile;

// Reports: 0 measurement report, 1 record report, 2 harmonic compliance report
extern uint8_t ReportKind;

// Puts every global back to its start value (tests start each case from here).
void ResetGlobals();
