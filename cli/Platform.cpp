#include "Platform.h"

#include <errno.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t progressLineShown = 0;

void ClearLineAndEnd(int signalNumber) {
  if (progressLineShown) {
    static const char kClearLine[] = "\r\033[K";
    const ssize_t ignored = write(STDERR_FILENO, kClearLine, sizeof kClearLine - 1);
    (void)ignored;
  }
  // The default action, at once: nothing of the run is left to finish.
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

}  // namespace

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

int StderrColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void IgnoreBrokenPipe() { signal(SIGPIPE, SIG_IGN); }

bool IsBrokenPipe(int error) { return error == EPIPE; }

void EndAtOnceOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = ClearLineAndEnd;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void SetProgressLineShown(bool shown) { progressLineShown = shown ? 1 : 0; }
