#include "sim/LineSettings.h"

#include <array>
#include <string_view>

namespace tarnwick::sim {
namespace {

struct FlagCheck {
  tcflag_t termios::*field;
  tcflag_t flag;
  std::string_view name;
};

// Flags that must be off for bytes to pass the line discipline unchanged and unechoed.
constexpr std::array kMustBeOff{
    FlagCheck{&termios::c_lflag, ICANON, "ICANON"}, FlagCheck{&termios::c_lflag, ECHO, "ECHO"},
    FlagCheck{&termios::c_lflag, ECHONL, "ECHONL"}, FlagCheck{&termios::c_lflag, ISIG, "ISIG"},
    FlagCheck{&termios::c_lflag, IEXTEN, "IEXTEN"}, FlagCheck{&termios::c_oflag, OPOST, "OPOST"},
    FlagCheck{&termios::c_iflag, ICRNL, "ICRNL"},   FlagCheck{&termios::c_iflag, INLCR, "INLCR"},
    FlagCheck{&termios::c_iflag, IGNCR, "IGNCR"},   FlagCheck{&termios::c_iflag, ISTRIP, "ISTRIP"},
    FlagCheck{&termios::c_iflag, IXON, "IXON"},     FlagCheck{&termios::c_iflag, IXOFF, "IXOFF"},
    FlagCheck{&termios::c_iflag, PARMRK, "PARMRK"}, FlagCheck{&termios::c_iflag, BRKINT, "BRKINT"},
    FlagCheck{&termios::c_cflag, PARENB, "PARENB"}, FlagCheck{&termios::c_cflag, CRTSCTS, "CRTSCTS"},
};

std::string BaudName(speed_t speed) {
  switch (speed) {
    case B1200: return "1200";
    case B2400: return "2400";
    case B4800: return "4800";
    case B9600: return "9600";
    case B19200: return "19200";
    case B38400: return "38400";
    case B57600: return "57600";
    case B115200: return "115200";
    case B230400: return "230400";
    default: return "code " + std::to_string(speed);
  }
}

void Append(std::string& text, std::string_view item) {
  if (!text.empty()) text += "; ";
  text += item;
}

}  // namespace

std::string DescribeWrongLineSettings(const termios& settings) {
  std::string problems;
  const speed_t in = cfgetispeed(&settings);
  const speed_t out = cfgetospeed(&settings);
  if (in != B115200 || out != B115200) {
    Append(problems, "speed in " + BaudName(in) + " out " + BaudName(out) + " (want 115200)");
  }
  if ((settings.c_cflag & CSIZE) != CS8) Append(problems, "character size not CS8");
  if ((settings.c_cflag & CSTOPB) == 0) Append(problems, "1 stop bit (want 2, CSTOPB)");
  for (const FlagCheck& check : kMustBeOff) {
    if ((settings.*check.field & check.flag) != 0) Append(problems, std::string(check.name) + " on");
  }
  return problems;
}

}  // namespace tarnwick::sim
