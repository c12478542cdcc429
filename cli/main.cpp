// krvctl: the configurator's command-line front end.
#include "Commands.h"

#include <iostream>

namespace {

int Usage()
{
    std::cerr << "usage: krvctl COMMAND [ARGS]\n"
                 "  defaults -o FILE        write the factory-default configuration file\n"
                 "  dump FILE               print every field of a configuration file as JSON\n"
                 "  diff A B                print the fields that differ (exit 1 when any)\n"
#ifdef KRV_HAVE_DEVICE_COMMANDS
                 "  identify | read | program | compare | restart | factory-reset |\n"
                 "  sysparams | status | control | set-clock   device commands (--port P)\n"
#endif
        ;
    return krv::cli::kExitUsage;
}

} // namespace

#ifndef KRV_HAVE_DEVICE_COMMANDS
// Built without the device link: no command is a device command.
int krv::cli::RunDeviceCommand(const std::string&, const Args&) { return -1; }
#endif

int main(int argc, char** argv)
{
    using namespace krv::cli;
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "defaults")
        return Defaults(args);
    if (command == "dump")
        return Dump(args);
    if (command == "diff")
        return Diff(args);
    const int device = RunDeviceCommand(command, args);
    return device >= 0 ? device : Usage();
}
