// The operator's answer at a pause: one line of standard input.
#pragma once

#include <cstddef>
#include <cstdio>

namespace records {

// At most this many characters are read for one answer, its line feed
// included, whatever arrives.
inline constexpr std::size_t max_answer_length = 4096;

// Reads one answer and tells whether it is "stop" (in any case, blanks and
// tabs around it ignored). The end of the input ends an answer like a line
// feed; an answer without a line feed within max_answer_length characters
// is not "stop", and the rest of it is left for the next pause.
bool operator_says_stop(std::FILE* input);

}  // namespace records
