#include "Diagnostics.h"

#include <algorithm>
#include <cctype>

namespace mgmtkit {

namespace {

const char* const kGateway = "192.0.2.1";

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// A decimal number of at most `maxDigits` digits not above `max`.
bool isNumberUpTo(const std::string& text, std::size_t maxDigits, int max) {
    return allDigits(text) && text.size() <= maxDigits && std::stoi(text) <= max;
}

}  // namespace

std::string pingReport(const std::string& address) {
    if (address.empty()) return "ping: no address given\n";
    std::string report = "PING " + address + ": 56 data bytes\n";
    for (int sequence = 0; sequence < 3; ++sequence)
        report += "64 bytes from " + address + ": icmp_seq=" + std::to_string(sequence) + " ttl=64 time=1." +
                  std::to_string(sequence) + " ms\n";
    return report + "--- " + address +
           " ping statistics ---\n3 packets transmitted, 3 received, 0% packet loss\n";
}

std::string tracerouteReport(const std::string& address) {
    if (address.empty()) return "traceroute: no address given\n";
    return "traceroute to " + address + ", 30 hops max, 60 byte packets\n 1  " + kGateway + "  0.4 ms\n 2  " +
           address + "  1.2 ms\n";
}

bool isValidTrapPort(const std::string& port) { return isNumberUpTo(port, 5, 65535) && std::stoi(port) >= 1; }

bool isValidTrapAddress(const std::string& address) {
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t end = part < 3 ? address.find('.', start) : address.size();
        if (end == std::string::npos || !isNumberUpTo(address.substr(start, end - start), 3, 255))
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace mgmtkit
