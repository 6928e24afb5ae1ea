#pragma once
// The run-time errors of the VB conversions, as exceptions.
//
// VB raises "Overflow" (error 6) when a number does not fit the target type and
// "Type mismatch" (error 13) when a text does not read as a number or a date.
// The callers that the program's routines trap these at their own level catch
// them; nothing here shows a message.
#include <stdexcept>
#include <string>

namespace veltra::vb {

// A value does not fit the 16-bit or 32-bit range (or is not finite).
class Overflow : public std::range_error
{
public:
    explicit Overflow(const std::string &what)
        : std::range_error(what)
    { }
};

// A text that was to be converted does not read as a number or a date.
class TypeMismatch : public std::invalid_argument
{
public:
    explicit TypeMismatch(const std::string &what)
        : std::invalid_argument(what)
    { }
};

} // namespace veltra::vb
