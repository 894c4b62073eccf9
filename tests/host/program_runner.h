// Runs the quintorbelle program as a user would, for the tests of its
// commands: arguments in, exit code and output out.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quintorbelle::testing {

struct ProgramResult {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// Runs the program to its end. With `interruptWhen` given, it is asked every
// twentieth of a second and the program is sent SIGINT, as a user's Ctrl-C,
// once it answers true.
ProgramResult RunProgram(const std::vector<std::string> &arguments,
                         const std::function<bool()> &interruptWhen = nullptr);

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Files() const;
    void Write(const std::string &name, const std::string &contents) const;
    std::string Read(const std::string &name) const;

  private:
    std::string path_;
};

} // namespace quintorbelle::testing
