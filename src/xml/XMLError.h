// XMLError: the exception the XML document tree raises when a file cannot be
// read or written, or when a tree holds text the file format cannot carry.
#pragma once

#include <stdexcept>

class XMLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
