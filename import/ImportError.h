#pragma once
// A failure of an import that ends it with a one-line message.

#include <stdexcept>
#include <string>

namespace marn::import {

class ImportError : public std::runtime_error {
public:
    explicit ImportError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace marn::import
