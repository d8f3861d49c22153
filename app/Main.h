// Main: the application base class. The first object constructed becomes the
// one application instance and installs the crash reporter; WinMain runs it.
#pragma once

class Main {
  public:
    Main();
    virtual ~Main();
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    // The application's own run; its result is the process exit code.
    virtual int Run() = 0;
    // Gets and dispatches messages until the quit message; returns its exit
    // code. A non-zero accelTableId also translates keys and accelerators.
    virtual int MessageLoop(int accelTableId);
};

// The registered application object; null until one is constructed, never reset.
extern Main* MainInstance;
