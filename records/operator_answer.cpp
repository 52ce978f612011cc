#include "records/operator_answer.hpp"

#include <string>

namespace records {

bool operator_says_stop(std::FILE* input) {
    if (input == nullptr) return false;
    std::string answer;
    bool ended = false;
    for (std::size_t n = 0; n < max_answer_length && !ended; ++n) {
        int c = std::fgetc(input);
        ended = c == EOF || c == '\n';
        if (!ended) answer.push_back(static_cast<char>(c));
    }
    if (!ended) return false;
    std::size_t first = answer.find_first_not_of(" \t\r");
    if (first == std::string::npos) return false;
    std::size_t last = answer.find_last_not_of(" \t\r");
    std::string word = answer.substr(first, last - first + 1);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word == "stop";
}

}  // namespace records
