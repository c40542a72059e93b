// Every fuzz target runs its seed corpus: valid files and the damaged files that once crashed,
// hung or exhausted memory in a reader. The test executable is built with the sanitizers, so a read
// past a buffer fails here as it would under the fuzzer.
#include "FuzzTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

TEST(FuzzCorpus, EveryReaderTakesItsSeedsWithoutFault) {
    const std::vector<std::string> readers{"bmp", "filter", "gif", "ini", "jpeg", "png", "xml"};
    std::vector<std::string> registered;
    for (const auto& [name, body] : FuzzTargets())
        registered.push_back(name);
    EXPECT_EQ(registered, readers);
    for (const auto& [name, body] : FuzzTargets()) {
        const std::filesystem::path folder = std::filesystem::path(ORV_SOURCE_DIR) / "tests/fuzz/corpus" / name;
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<Byte> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            RunFuzzBody(body, data.data(), data.size());
            ++files;
        }
        EXPECT_GT(files, 0) << name;
    }
}
