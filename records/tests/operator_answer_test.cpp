// Answers at a pause, read one after another from one input: each line is
// one answer however long it is, its first max_answer_length characters
// decide it, and nothing of a long line answers a later pause.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "records/operator_answer.hpp"

namespace {

constexpr std::size_t n = records::max_answer_length;

std::string repeated(std::size_t count, char c) { return std::string(count, c); }

struct answers_case {
    const char* name;
    std::string input;
    std::vector<bool> stops;  // one entry a pause, in order
};

TEST(OperatorAnswer, EachLineIsOneAnswer) {
    const answers_case cases[] = {
        {"stop in any case, blanks around it", " \tStOp \r\n\nstop\n", {true, false, true, false}},
        {"other words go on", "stopp\nno stop\ns top\n", {false, false, false, false}},
        {"the end of the input ends an answer", "stop", {true, false}},
        {"a long line's tail answers nothing", repeated(n, 'x') + "stop\nstop\n", {false, true, false}},
        {"the first characters decide", repeated(n - 4, ' ') + "stop\n", {true, false}},
        {"and only they", repeated(n - 3, ' ') + "stop\n", {false, false}},
        {"what follows them is dropped", repeated(n - 4, ' ') + "stopxyz\nstop\n", {true, true, false}},
        {"lines many times the length", repeated(5 * n + 7, 'x') + "\n" + repeated(3 * n, ' ') + "stop\nstop",
         {false, false, true, false}},
    };
    for (const auto& c : cases) {
        std::FILE* input = std::tmpfile();
        ASSERT_NE(input, nullptr);
        ASSERT_EQ(std::fwrite(c.input.data(), 1, c.input.size(), input), c.input.size());
        std::rewind(input);
        std::vector<bool> got;
        for (std::size_t i = 0; i < c.stops.size(); ++i) got.push_back(records::operator_says_stop(input));
        EXPECT_EQ(got, c.stops) << c.name;
        std::fclose(input);
    }
}

TEST(OperatorAnswer, NoInputGoesOn) { EXPECT_FALSE(records::operator_says_stop(nullptr)); }

}  // namespace
