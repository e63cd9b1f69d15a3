#pragma once
// The program's few calls to the operating system (POSIX), in one place so
// that another system needs only this file redone.

// True when stderr is a terminal: only then is there a progress bar.
bool StderrIsTerminal();

// Columns of the terminal on stderr; 80 when it does not say.
int StderrColumns();

// Writes to a closed pipe fail with an error instead of ending the process,
// so that the run can end quietly by itself.
void IgnoreBrokenPipe();

// True for the error a write to a closed pipe or socket fails with.
bool IsBrokenPipe(int error);

// Ctrl-C (and a plain kill) end the process at once, as by default; while a
// progress line is shown, its line is cleared first.
void EndAtOnceOnInterrupt();
void SetProgressLineShown(bool shown);
