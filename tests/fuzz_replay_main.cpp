// Runs a fuzz target over files and directories of inputs, for compilers without libFuzzer.
// Usage: REPLAY --ext .EXT PATH...; in a directory only the files ending in .EXT are inputs.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replayFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << '\n';
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::string_view(argv[1]) != "--ext") {
        std::cerr << "usage: " << argv[0] << " --ext .EXT PATH...\n";
        return 2;
    }
    const std::string_view extension = argv[2];
    std::size_t runs = 0;
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::error_code ec;
        if (std::filesystem::is_directory(arg, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg, ec)) {
                if (entry.path().extension() != extension) continue;
                ok = replayFile(entry.path()) && ok;
                ++runs;
            }
        } else {
            ok = replayFile(arg) && ok;
            ++runs;
        }
        if (ec) {
            std::cerr << "cannot list " << arg << ": " << ec.message() << '\n';
            ok = false;
        }
    }
    std::cout << "replayed " << runs << " inputs\n";
    // An empty corpus would make this test pass without running anything.
    return ok && runs > 0 ? 0 : 1;
}
