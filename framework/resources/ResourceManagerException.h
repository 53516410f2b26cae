#pragma once

#include <stdexcept>
#include <string>

namespace Quib
{

// Thrown by the resource manager's getters for an identifier that is not declared or
// not loaded; carries the manager's error text at the time of the throw.
class ResourceManagerException : public std::exception
{
public:
    explicit ResourceManagerException(std::string what) : mWhat(std::move(what)) {}
    const char* what() const noexcept override { return mWhat.c_str(); }

    std::string mWhat;
};

} // namespace Quib
