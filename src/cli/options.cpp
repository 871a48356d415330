// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "cli/command.hpp"

namespace quorvel::cli {

std::optional<Options> Options::parse(const std::vector<std::string>& args,
                                      const std::vector<std::string>& flags, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
            error = "unexpected argument: " + a;
            return std::nullopt;
        }
        const std::string name = a.substr(2);
        if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            o.items_.emplace_back(name, "");
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "option " + a + " needs a value";
            return std::nullopt;
        }
        o.items_.emplace_back(name, args[++i]);
    }
    return o;
}

bool Options::has(const std::string& name) const {
    return std::any_of(items_.begin(), items_.end(), [&](const auto& it) { return it.first == name; });
}

std::optional<std::string> Options::get(const std::string& name) const {
    std::optional<std::string> v;
    for (const auto& [n, value] : items_)
        if (n == name) v = value;
    return v;
}

std::vector<std::string> Options::all(const std::string& name) const {
    std::vector<std::string> v;
    for (const auto& [n, value] : items_)
        if (n == name) v.push_back(value);
    return v;
}

std::vector<std::string> Options::unknown(const std::vector<std::string>& known) const {
    std::vector<std::string> v;
    for (const auto& [n, value] : items_)
        if (std::find(known.begin(), known.end(), n) == known.end()) v.push_back(n);
    return v;
}

}  // namespace quorvel::cli
