#include "ServiceOptions.h"

namespace mgmtctl {

void addServiceOptions(CLI::App& app, ServiceOptions& options, const std::string& prefix) {
    const auto lacks = [&app](const char* name) { return app.get_option_no_throw(name) == nullptr; };
    if (lacks("--bus"))
        app.add_option("--bus", options.bus, prefix + "the bus to serve on: its address, or the\nsession bus without one")
            ->expected(0, 1)
            ->type_name("[ADDRESS]");
    if (lacks("--fail"))
        app.add_option("--fail", options.failures,
                       prefix + "the service throws CorvexException(TEXT) for that\nremote method")
            ->type_name("REMOTE[=TEXT]")
            ->allow_extra_args(false);
    if (lacks("--keep-calls"))
        app.add_option("--keep-calls", options.keepCalls,
                       prefix + "GetCalls answers with the last N exchanges\n(default 10000)")
            ->type_name("N");
    if (lacks("--trace")) app.add_flag("--trace", options.trace, prefix + "write every exchange, passwords hidden");
    if (lacks("--json"))
        app.add_flag("--json", options.json, prefix + "the trace and errors as JSON objects, one per\nline");
    if (lacks("--ready-fd"))
        app.add_option("--ready-fd", options.readyFd,
                       prefix +
                           "write \"ready\" to this open descriptor once\n"
                           "serving, \"stopped\" once its name is given up;\n"
                           "closed at exit")
            ->type_name("FD")
            ->check(CLI::NonNegativeNumber.description(""));
}

std::vector<std::string> givenServiceOptions(const CLI::App& app) {
    CLI::App program;
    program.set_help_flag();
    ServiceOptions unused;
    addServiceOptions(program, unused);
    std::vector<std::string> words;
    for (const CLI::Option* option : program.get_options()) {
        const std::string name = "--" + option->get_lnames().front();
        const CLI::Option* given = app.get_option_no_throw(name);
        if (given == nullptr) continue;
        for (const std::string& value : given->results()) words.push_back(name + "=" + value);
    }
    return words;
}

}  // namespace mgmtctl
