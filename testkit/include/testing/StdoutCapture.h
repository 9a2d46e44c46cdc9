/// \file
/// Catches what the proxies print on standard output.
#pragma once

#include <cstdio>
#include <string>

namespace mgmtkit {

/// Catches what is printed on standard output while it lives. That is where
/// the one line the proxies print themselves goes, `performReboot:<text>` when
/// a reboot stands in for a failed call, which no log capture sees. Output written through
/// printf and std::cout alike is caught; the standard output is put back at
/// the end.
///
/// \code
/// mgmtkit::StdoutCapture printed;
/// proxy->performReboot("upgrade");   // with performReboot failing
/// EXPECT_EQ(printed.take(), "performReboot:link down\n");
/// \endcode
class StdoutCapture {
public:
    /// From here on, standard output goes to a temporary file.
    StdoutCapture();
    /// Standard output is restored.
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    /// What was printed since the last take. Empty when capturing could not
    /// be set up (output then simply goes where it went before).
    std::string take();

private:
    std::FILE* file_;  // a temporary file, gone once closed
    int saved_ = -1;   // the original standard output
    long long taken_ = 0;
};

}  // namespace mgmtkit
