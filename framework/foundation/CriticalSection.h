#pragma once

#include <mutex>

namespace Quib
{

// The system's one kind of lock. Re-entrant: a thread that holds it may enter
// it again, as code that draws while already holding the display's lock does.
class CriticalSection
{
public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { mMutex.lock(); }
    void Leave() { mMutex.unlock(); }

private:
    std::recursive_mutex mMutex;
};

// Holds a critical section for the duration of one operation.
class CriticalSectionGuard
{
public:
    explicit CriticalSectionGuard(CriticalSection& section) : mSection(section) { mSection.Enter(); }
    ~CriticalSectionGuard() { mSection.Leave(); }
    CriticalSectionGuard(const CriticalSectionGuard&) = delete;
    CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

private:
    CriticalSection& mSection;
};

} // namespace Quib
