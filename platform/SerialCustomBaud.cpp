// Rates without a B... constant of their own go through termios2; its header cannot share a
// file with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "platform/SerialPort.h"

bool SetCustomBaudRate(int fd, int baud) {
  struct termios2 t {};
  if (::ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD);
  t.c_cflag |= BOTHER;
  t.c_ispeed = static_cast<speed_t>(baud);
  t.c_ospeed = static_cast<speed_t>(baud);
  return ::ioctl(fd, TCSETS2, &t) == 0;
}
