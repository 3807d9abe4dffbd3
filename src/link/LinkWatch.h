#pragma once

// Brings a lost link back by itself. The connection window's link check calls tick() on
// every tick of its timer. While the main serial component has its port open, the watch
// remembers that port and, for a USB device, the device's identity. When the port is lost
// (the device vanished, the cable was pulled, the far end hung up), the watch tries to open
// it again at the link check's pace: the same port number, whose device path is looked up
// afresh each time (a symbolic link is followed to wherever it points now), or, for a USB
// device, the port number the same device has now. Continuous sampling carries on by
// itself once the port is open again: its re-read timer asks again.

#include <QString>

#include <functional>

class TComm;

class LinkWatch
{
public:
    // Ticks of the 100 ms link check between two attempts to reopen a lost port.
    static constexpr int RetryTicks = 16;

    // One tick. Returns the status text to show: "Connected!" when the port was opened
    // again, "Connection Failure!" (and who holds the port, when a running program does)
    // after an attempt that failed; empty otherwise.
    QString tick(TComm &comm);

    // Watches port n as a lost one from now on, though it was never open: a port that
    // another program held when the scan tried it is opened as soon as it is let go. The
    // caller points the serial component at that port first.
    void watchFor(int portNumber);
    // Watches nothing until the serial component has a port open again.
    void forget();

    // The port watched (0 for none) and its USB identity ("USB\VID_…&PID_…\serial"), empty
    // for a device that is not on USB.
    int watchedPort() const { return m_port; }
    const QString &usbIdentity() const { return m_usbIdentity; }
    bool lost() const { return m_lost; }

    // Told the new number when the watched USB device came back under another port number
    // and was opened there, so the owner of the connection keeps that port from now on.
    std::function<void(int portNumber)> onPortMoved;

private:
    // The port number the watched USB device has now; the watched port when it is not a
    // USB device; 0 when the device is not there.
    int portNow() const;

    int m_port = 0;
    QString m_usbIdentity;
    bool m_lost = false;
    int m_ticks = 0;
};

// The USB identity of the device behind port n, from the device inventory; empty when it
// is not a USB device or the inventory does not know it.
QString UsbIdentityOfPort(int portNumber);

// "  (COM7 is held by KMR5150 (process 1234))" when a running program holds the device of
// port n; empty otherwise. Added to the status that says the port could not be opened.
QString HeldPortNote(int portNumber);
