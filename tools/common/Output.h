// Where records go: standard output, one JSON object per line, or text for
// people, each record's kind in a fixed-width first column with its details
// indented below. Why a tool stops goes to standard error, in the same form.
#pragma once

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "Records.h"

namespace mgmtctl {

class Output {
public:
    // `program` starts the text of a problem ("mgmtctl: ...").
    Output(std::string program, bool json, std::ostream& out = std::cout, std::ostream& errors = std::cerr);

    // Records in order; as text, a request and the reply after it line up.
    void print(const std::vector<Record>& records);
    void print(const Record& record) { print(std::vector<Record>{record}); }
    // An operation record from the reference: as text, its usage and the
    // whole wire reference rather than a line of the list.
    void describe(const Record& operation);
    // An explanation, as in the tour.
    void note(const std::string& text) { print(Record{{"record", "note"}, {"text", text}}); }
    // Why the tool stops, with the exit status it stops with.
    void problem(std::string_view text, int status);

    // "uploadUserFile fileType:eFiletype filename:string -> int", arguments
    // that may be left out in brackets.
    static std::string usageOf(const Record& operation);

private:
    void text(const std::vector<Record>& records, std::size_t at);
    void block();
    void operation(const Record& operation);

    std::string program_;
    bool json_;
    std::ostream& out_;
    std::ostream& errors_;
    int blocks_ = 0;  // calls, faults and states since the last note
    std::string interface_;
    int number_ = 0;
};

}  // namespace mgmtctl
