// The one place where the program's commands meet what carries them out: the window commands, the
// group commands, the forms and the session. Every tray item, shortcut, button and menu item hands
// its CommandCall here.
#pragma once

#include "logic/commands.h"

namespace cellaro {

class Program;

class CommandRouter {
public:
    explicit CommandRouter(Program& program) : program_(program) {}
    CommandRouter(const CommandRouter&) = delete;
    CommandRouter& operator=(const CommandRouter&) = delete;
    CommandRouter(CommandRouter&&) = delete;
    CommandRouter& operator=(CommandRouter&&) = delete;
    ~CommandRouter() = default;

    void run(const CommandCall& call);

private:
    void runWindowCommand(const CommandCall& call);
    void runGroupCommand(const CommandCall& call);

    Program& program_;
};

} // namespace cellaro
