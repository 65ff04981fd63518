#include "app/cli/options.h"

#include <cstdio>

#include "app/cli/cli.h"
#include "app/cli/search_common.h"

namespace qv::cli {

OptionParser::Option& OptionParser::add(const char* name, bool takes_value, std::string expected,
                                        std::function<bool(const char*)> read) {
    options_.push_back(
        {std::string("--") + name, takes_value, std::move(expected), std::move(read)});
    return options_.back();
}

OptionParser::Option* OptionParser::find(const std::string& name) {
    for (Option& o : options_)
        if (o.name == name) return &o;
    return nullptr;
}

OptionParser& OptionParser::flag(const char* name, bool& on) {
    add(name, false, "", [&on](const char*) { return on = true; });
    return *this;
}

OptionParser& OptionParser::whole(const char* name, long lo, long hi, long& value) {
    add(name, true, "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi),
        [lo, hi, &value](const char* v) { return parse_int(v, lo, hi, value); });
    return *this;
}

OptionParser& OptionParser::seconds(const char* name, double& value) {
    add(name, true, "a number of seconds above 0",
        [&value](const char* v) { return parse_seconds(v, value); });
    return *this;
}

OptionParser& OptionParser::text(const char* name, std::string& value) {
    add(name, true, "", [&value](const char* v) {
        value = v;
        return true;
    });
    return *this;
}

OptionParser& OptionParser::custom(const char* name, const char* expected,
                                   std::function<bool(const char*)> read) {
    add(name, true, expected, std::move(read));
    return *this;
}

void OptionParser::fail(const std::string& why) const {
    std::fprintf(stderr, "%s: %s\n", command_, why.c_str());
}

bool OptionParser::parse(int argc, char** argv, int min_args, int max_args) {
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            args.push_back(argv[i]);
            continue;
        }
        Option* o = find(word);
        if (!o) {
            fail("unknown option " + word);
            return false;
        }
        if (o->seen) {
            fail(word + " given twice");
            return false;
        }
        o->seen = true;
        const char* value = "";
        if (o->takes_value) {
            if (i + 1 >= argc) {
                fail(word + " needs a value");
                return false;
            }
            value = argv[++i];
        }
        if (!o->read(value)) {
            fail(word + ": expected " + o->expected + ", not \"" + value + "\"");
            return false;
        }
    }
    const int n = static_cast<int>(args.size());
    if (n < min_args || n > max_args) {
        fail(n < min_args ? "missing argument"
                          : std::string("unexpected \"") + args[max_args] + "\"");
        return false;
    }
    return true;
}

bool OptionParser::given(const char* name) const {
    for (const Option& o : options_)
        if (o.name == std::string("--") + name) return o.seen;
    return false;
}

bool OptionParser::exclusive(const char* a, const char* b) const {
    if (!given(a) || !given(b)) return true;
    fail(std::string("--") + a + " and --" + b + " exclude each other");
    return false;
}

}  // namespace qv::cli
