// Catches what the proxies print on standard output during a call (the
// reboot fallback prints a line), so that it is shown as one of the call's
// records and the --json stream stays one object per line.
#pragma once

#include <cstdio>
#include <string>

namespace mgmtctl {

class StdoutCapture {
public:
    StdoutCapture();   // from here on, standard output goes to a temporary file
    ~StdoutCapture();  // standard output is restored
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // What was printed since the last take. Empty when capturing could not
    // be set up (output then simply goes where it went before).
    std::string take();

private:
    std::FILE* file_;  // a temporary file, gone once closed
    int saved_ = -1;   // the original standard output
    long long taken_ = 0;
};

}  // namespace mgmtctl
