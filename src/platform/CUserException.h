#pragma once

#include <stdexcept>
#include <string>

/// Thrown after a user-input error has been shown to the user. It aborts the current
/// data exchange without a further message; whoever drives the exchange catches it and
/// stays where it is (the wizard stays on its step, the command-line tool exits with 2).
class CUserException : public std::runtime_error
{
public:
    explicit CUserException(const std::string& message) : std::runtime_error(message) {}
};
