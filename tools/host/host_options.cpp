#include "tools/host/host_options.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
const char* const kUsage =
    "usage: zepho-host [--strength S] [--search FIRST,LAST,FRAMES[@START] | --search defaults[@START]]\n"
    "                  [--gains FILE] PLUGIN INPUT.y4m OUTPUT.y4m\n"
    "       zepho-host --info PLUGIN\n"
    "INPUT and OUTPUT may be '-' for standard input and output. With --search, --gains saves the\n"
    "8192-byte gain block after the search; without, it loads the block before the first frame.\n";

// A whole decimal int, optionally signed, within [low, high].
bool ParseInt(const std::string& text, long long low, long long high, int& value) {
    if (text.empty() || text.size() > 11) return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return false;
    value = int(v);
    return true;
}

bool ParseSearch(const std::string& text, Options& o) {
    std::string values = text;
    const std::size_t at = text.find('@');
    if (at != std::string::npos) {
        if (!ParseInt(text.substr(at + 1), 0, INT32_MAX, o.start)) return false;
        values = text.substr(0, at);
    }
    o.search = true;
    if (values == "defaults") return true;
    const std::size_t c1 = values.find(','), c2 = c1 == std::string::npos ? c1 : values.find(',', c1 + 1);
    if (c2 == std::string::npos) return false;
    o.typed = true;
    return ParseInt(values.substr(0, c1), INT32_MIN, INT32_MAX, o.first) &&
           ParseInt(values.substr(c1 + 1, c2 - c1 - 1), INT32_MIN, INT32_MAX, o.last) &&
           ParseInt(values.substr(c2 + 1), INT32_MIN, INT32_MAX, o.frames);
}

}  // namespace

[[noreturn]] void Fail(int code, const std::string& message) {
    std::fprintf(stderr, "zepho-host: %s\n", message.c_str());
    std::exit(code);
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Fail(kExitUsage, "option " + arg + " needs a value\n" + kUsage);
            return argv[++i];
        };
        if (arg == "--info") {
            o.info = true;
        } else if (arg == "--strength") {
            const std::string v = value();
            if (!ParseInt(v, 0, 256, o.strength)) Fail(kExitUsage, "strength '" + v + "' is not a number from 0 to 256");
        } else if (arg == "--search") {
            const std::string v = value();
            if (!ParseSearch(v, o))
                Fail(kExitUsage, "search '" + v + "' is not FIRST,LAST,FRAMES[@START] or defaults[@START]");
        } else if (arg == "--gains") {
            o.gains = value();
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            Fail(kExitUsage, "unknown option " + arg + "\n" + kUsage);
        } else {
            positional.push_back(arg);
        }
    }
    const std::size_t wanted = o.info ? 1 : 3;
    if (positional.size() != wanted)
        Fail(kExitUsage, std::string(o.info ? "--info takes the plug-in only" : "give PLUGIN, INPUT and OUTPUT") +
                             "\n" + kUsage);
    o.plugin = positional[0];
    if (!o.info) o.input = positional[1], o.output = positional[2];
    return o;
}
