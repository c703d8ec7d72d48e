// The error of the highlighter framework: a duplicate attribute or keyword, a table built wrongly.
#pragma once

#include <stdexcept>

class EZefHighlighterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
