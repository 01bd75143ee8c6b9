// The scripted driver: runs the game on the headless platform, one command a
// line, and prints what it is asked for.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "app/program.h"
#include "platform/headless/headless_platform.h"

namespace rallo {

class frmRallo;

// A malformed line or an unknown name.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SimScript {
public:
    SimScript(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // Runs the whole script; returns the process's exit status.
    int Run(std::istream& in);
    // Runs one line (without its line break); throws ScriptError.
    void Line(const std::string& line);

    // The game the script drives, for checks between its lines.
    Program& Game() { return program_; }
    HeadlessPlatform& Headless() { return platform_; }
    bool Started() const { return started_; }

private:
    using Action = std::function<void()>;

    Action PlayerAction(const std::string& text);
    bool Refused(const char* reason);
    void Print(const std::string& name);
    void PrintEvents();
    void RequireRunning(const char* what);

    std::ostream& out_;
    std::ostream& err_;
    HeadlessPlatform platform_;
    Program program_{platform_};
    bool started_ = false;
};

}  // namespace rallo
