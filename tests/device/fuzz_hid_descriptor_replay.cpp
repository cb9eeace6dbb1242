// Runs the fuzz target over files and directories of inputs, for compilers without libFuzzer.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
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
    std::size_t runs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::error_code ec;
        if (std::filesystem::is_directory(arg, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg, ec)) {
                if (entry.path().extension() != ".desc") continue;
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
