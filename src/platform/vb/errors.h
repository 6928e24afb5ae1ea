#pragma once
// The VB run-time errors the program's routines raise to their callers, as
// exceptions: "Overflow" (6) when a number does not fit the target type,
// "Type mismatch" (13) when a text does not read as a number or a date,
// "Subscript out of range" (9) when a fixed array is too small, "Object
// variable not set" (91) and "Object doesn't support this property or
// method" (438) of late-bound calls, and the file
// errors (path not found, permission denied) of folder operations. Routines
// that trap errors catch them at their own level; nothing here shows a message.
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

// An index outside a fixed array's bounds.
class SubscriptOutOfRange : public std::out_of_range
{
public:
    explicit SubscriptOutOfRange(const std::string &what)
        : std::out_of_range(what)
    { }
};

// An object reference was used while it refers to nothing ("Object variable
// or With block variable not set", 91).
class ObjectNotSet : public std::logic_error
{
public:
    explicit ObjectNotSet(const std::string &what)
        : std::logic_error(what)
    { }
};

// A late-bound call names a property or control the object does not have
// ("Object doesn't support this property or method", 438).
class MemberNotSupported : public std::logic_error
{
public:
    explicit MemberNotSupported(const std::string &what)
        : std::logic_error(what)
    { }
};

// A file or folder operation failed (missing path, no permission, in use).
class FileError : public std::runtime_error
{
public:
    explicit FileError(const std::string &what)
        : std::runtime_error(what)
    { }
};

} // namespace veltra::vb
