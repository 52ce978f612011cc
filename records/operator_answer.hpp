// The operator's answer at a pause: one line of standard input.
#pragma once

#include <cstddef>
#include <cstdio>

namespace records {

// The first this many characters of an answer decide it; the rest of its
// line is read and dropped.
inline constexpr std::size_t max_answer_length = 4096;

// Reads one answer, a whole line however long, in constant memory, and
// tells whether its first max_answer_length characters are "stop" (in any
// case, blanks, tabs and carriage returns around it ignored). The end of the
// input ends an answer like a line feed. No part of a line is left over to
// answer a later pause.
bool operator_says_stop(std::FILE* input);

}  // namespace records
