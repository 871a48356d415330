#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "usage: quorvel-cli COMMAND [OPTIONS]\n";
        return 2;
    }
    std::cerr << "quorvel-cli: unknown command: " << args[0] << "\n";
    return 2;
}
