// Runs a fuzz target once over kept inputs, without the fuzzing engine: a
// plain program that the suite's own sanitizer build links with each
// target, so that the kept inputs are replayed under AddressSanitizer and
// UndefinedBehaviorSanitizer with every other test.
//
//     replay_TARGET FOLDER_OR_FILE ...
//
// Every file named, and every file in a folder named, is handed to the
// target as one input, in name order. A fault aborts the process, as it
// would under the engine; otherwise the number of inputs is printed and the
// status is 0. The inputs run on a thread with a large stack: the sanitizers
// make every frame larger than the fuzzing engine's build does, and a format
// nested thousands of groups deep is parsed by recursion.
#include <pthread.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

struct replay {
    std::vector<std::filesystem::path> inputs;
    int status = 0;
};

void* replay_all(void* argument) {
    auto& job = *static_cast<replay*>(argument);
    for (const std::filesystem::path& input : job.inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
            job.status = 1;
            return nullptr;
        }
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        // The engine hands over a buffer of exactly the input's size; so does this.
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    replay job;
    std::vector<fs::path>& inputs = job.inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path named = fs::absolute(argv[i]);
        if (fs::is_directory(named)) {
            for (const auto& entry : fs::directory_iterator(named))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.push_back(named);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, std::size_t{1} << 30);
    pthread_t thread;
    if (pthread_create(&thread, &attributes, replay_all, &job) != 0) {
        std::fprintf(stderr, "replay: cannot start a thread\n");
        return 1;
    }
    pthread_join(thread, nullptr);
    if (job.status != 0) return job.status;
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
