// The set of ports the program runs over: the Windows adapter in the product, the simulated
// desktop in tests.
#pragma once

namespace cellaro {

class Desktop;
class FileSystem;
class AutostartRegistry;
class EventLoop;
class KeyNames;
class FormHost;
class Shell;
class SystemState;
class ScreenCapture;
class DisplayPower;
class HotKeys;
class MailSender;
class Printer;
class Clock;

struct Ports {
    Desktop& desktop;
    FileSystem& files;
    AutostartRegistry& autostart;
    EventLoop& loop;
    KeyNames& keyNames;
    FormHost& host;
    Shell& shell;
    SystemState& system;
    ScreenCapture& screen;
    DisplayPower& displayPower;
    HotKeys& hotKeys;
    MailSender& mail;
    Printer& printer;
    Clock& clock;
};

} // namespace cellaro
