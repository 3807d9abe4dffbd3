#pragma once

// Pseudo-terminal plumbing of the simulated instrument (POSIX, Linux first).

#include <cstdint>
#include <string>

namespace sim {

struct PtyPair
{
    int master = -1;
    int slave = -1; // kept open so the master never reads EIO while the program's side is closed
    std::string path;
};

// Opens a new pseudo-terminal in raw mode at 9600 baud, the master non-blocking.
// False (with the reason in `error`) when the system refuses one.
bool OpenPty(PtyPair &pty, std::string *error);
void ClosePty(PtyPair &pty);

// Bits per second that the far end set on the line (its output speed), custom speeds
// such as 14400 and 76800 included; 0 when it cannot be read.
uint32_t LineSpeed(int fd);

// Makes `linkPath` a symbolic link to `target`, replacing an older symbolic link there.
// Refuses to replace anything that is not a symbolic link.
bool MakeLink(const std::string &linkPath, const std::string &target, std::string *error);
// Removes `linkPath` if it is a symbolic link to `target` (and nothing else).
void RemoveLink(const std::string &linkPath, const std::string &target);

} // namespace sim
