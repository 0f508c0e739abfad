#pragma once
// Errors raised by the colouring classes.
#include <stdexcept>

class EFountainError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation that only a derived class provides was asked of the base class.
class EAbstractError : public std::logic_error {
public:
    EAbstractError() : std::logic_error("Abstract Error") {}
};
