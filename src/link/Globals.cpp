#include "link/Globals.h"

thread_local TComm *RequestComm = nullptr;
thread_local std::array<uint8_t, RequestBufferSize> RequestBuffer {};
thread_local uint8_t InstrumentAddress = 0;
thread_local uint8_t UsbLink = 0;
thread_local uint8_t SelectedPort = 0;
thread_local uint8_t LastRegister = 0;
thread_local uint8_t LastCount = 0;
thread_local uint8_t ModeWord = 0;
uint8_t AlarmReadStep = 0;

std::array<uint8_t, MaxInstrumentPorts> InstrumentPorts {};
int InstrumentPortCount = 0;
bool ScanReady = false;
QString UsbDeviceIdMark;
int32_t LinkCheckTicks = 0;
int32_t ReconnectTicks = 0;

uint8_t SamplingMode = 0;

std::array<uint8_t, FrameBufferSize> FrameBuffer {};

uint8_t StartingPage = 0;
std::array<uint8_t, StartingCaptureBytes> StartingPageBuffer {};
std::array<uint8_t, StartingCaptureBytes> StartingCapture {};

QString CommandLineFile;
bool StartedWithFile = false;

uint8_t ReportKind = 0;

QColor WaveBackgroundColor(0, 0, 0);
QColor WaveScaleColor(0, 0, 0);

void ResetGlobals()
{
    InstrumentAddress = 0;
    UsbLink = 0;
    SelectedPort = 0;
    LastRegister = 0;
    LastCount = 0;
    ModeWord = 0;
    AlarmReadStep = 0;
    InstrumentPorts.fill(0);
    InstrumentPortCount = 0;
    ScanReady = false;
    UsbDeviceIdMark.clear();
    LinkCheckTicks = 0;
    ReconnectTicks = 0;
    SamplingMode = 0;
    FrameBuffer.fill(0);
    StartingPage = 0;
    StartingPageBuffer.fill(0);
    StartingCapture.fill(0);
    CommandLineFile.clear();
    StartedWithFile = false;
    ReportKind = 0;
    WaveBackgroundColor = QColor(0, 0, 0);
    WaveScaleColor = QColor(0, 0, 0);
}
