#include "records/operator_answer.hpp"

#include <string>

namespace records {

bool operator_says_stop(std::FILE* input) {
    if (input == nullptr) return false;
    std::string answer;
    answer.reserve(max_answer_length);
    for (int c = std::getc(input); c != EOF && c != '\n'; c = std::getc(input))
        if (answer.size() < max_answer_length) answer.push_back(static_cast<char>(c));
    std::size_t first = answer.find_first_not_of(" \t\r");
    if (first == std::string::npos) return false;
    std::size_t last = answer.find_last_not_of(" \t\r");
    std::string word = answer.substr(first, last - first + 1);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word == "stop";
}

}  // namespace records
