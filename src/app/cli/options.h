// The options of one command: "--name" switches and "--name VALUE" options, each value
// checked as it is read, so that every command refuses a bad option in the same words.
// Words that are not options are kept in order as the command's arguments.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qv::cli {

class OptionParser {
  public:
    explicit OptionParser(const char* command) : command_(command) {}

    OptionParser& flag(const char* name, bool& on);
    OptionParser& whole(const char* name, long lo, long hi, long& value);
    OptionParser& seconds(const char* name, double& value);
    OptionParser& text(const char* name, std::string& value);
    // A value read by `read`, which returns false for a bad one; `expected` says what is
    // wanted ("on or off").
    OptionParser& custom(const char* name, const char* expected,
                         std::function<bool(const char*)> read);

    // Reads argv[0..argc). False, after one line "COMMAND: why" on standard error, at an
    // unknown option, a missing or bad value, an option given twice, or when the number of
    // arguments lies outside [min_args, max_args].
    bool parse(int argc, char** argv, int min_args, int max_args);
    bool given(const char* name) const;
    // Refuses (with the same kind of line) when both options were given.
    bool exclusive(const char* a, const char* b) const;
    void fail(const std::string& why) const;

    std::vector<const char*> args;

  private:
    struct Option {
        std::string name;
        bool takes_value;
        std::string expected;
        std::function<bool(const char*)> read;
        bool seen = false;
    };
    Option& add(const char* name, bool takes_value, std::string expected,
                std::function<bool(const char*)> read);
    Option* find(const std::string& name);

    const char* command_;
    std::vector<Option> options_;
};

}  // namespace qv::cli
