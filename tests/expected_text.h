#pragma once
// Compares a program's text output with a saved expected file under tests/data,
// and shows the differing lines when they differ:
//
//   EXPECT_TRUE(matchesExpectedFile(run.out, "factory_params.txt"));
//
// With QUELVAR_UPDATE_EXPECTED=1 in the environment the file is rewritten instead
// (look at the diff before committing it).

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace quelvar::test {

inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline testing::AssertionResult matchesExpectedFile(const std::string& actual,
                                                    const std::string& name)
{
    const std::string path = std::string(QUELVAR_TEST_DATA) + "/" + name;
    if (std::getenv("QUELVAR_UPDATE_EXPECTED")) {
        std::ofstream(path, std::ios::binary) << actual;
        return testing::AssertionSuccess() << "rewrote " << path;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return testing::AssertionFailure() << "cannot read expected file " << path;
    const std::string expected{std::istreambuf_iterator<char>(in), {}};
    if (actual == expected) return testing::AssertionSuccess();

    const auto want = splitLines(expected);
    const auto got = splitLines(actual);
    auto failure = testing::AssertionFailure();
    failure << "output differs from " << path << " (" << want.size() << " lines expected, "
            << got.size() << " actual)\n";
    int shown = 0;
    for (std::size_t i = 0; i < std::max(want.size(), got.size()) && shown < 10; ++i) {
        const std::string w = i < want.size() ? want[i] : "<none>";
        const std::string g = i < got.size() ? got[i] : "<none>";
        if (w == g) continue;
        failure << "line " << i + 1 << ":\n  expected: [" << w << "]\n  actual:   [" << g << "]\n";
        ++shown;
    }
    if (shown == 0) failure << "(the texts differ in line endings or a final line break)\n";
    return failure;
}

}  // namespace quelvar::test
