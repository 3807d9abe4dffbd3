#include "link/Globals.h"

thread_local TComm *RequestComm = nullptr;
thread_local std::array<uint8_t, RequestBufferSize> RequestBuffer {};
thread_local uint8_t InstrumentAddress = 0;
thread_local uint8_t UsbLink = 0;
thread_local uint8_t LastRegister = 0;
thread_local uint8_t LastCount = 0;
thread_local uint8_t ModeWord = 0;
uint8_t AlarmReadStep = 0;

QString UsbDeviceIdMark;

uint8_t SamplingMode = 0;

uint8_t StartingPage = 0;
std::array<uint8_t, StartingCaptureBytes> StartingPageBuffer {};
std::array<uint8_t, StartingCaptureBytes> StartingCapture {};

QString CommandLineFile;
bool StartedWithFile = false;

uint8_t ReportKind = 0;

void ResetGlobals()
{
    InstrumentAddress = 0;
    UsbLink = 0;
    LastRegister = 0;
    LastCount = 0;
    ModeWord = 0;
    AlarmReadStep = 0;
    UsbDeviceIdMark.clear();
    SamplingMode = 0;
    StartingPage = 0;
    StartingPageBuffer.fill(0);
    StartingCapture.fill(0);
    CommandLineFile.clear();
    StartedWithFile = false;
    ReportKind = 0;
}
