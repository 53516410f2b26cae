#pragma once

#include "game/shell/ActionCommand.h"

#include <memory>

// A callable without arguments or result.
class IFunctor
{
public:
    virtual ~IFunctor() = default;
    virtual void Invoke() = 0;
    virtual std::unique_ptr<IFunctor> Clone() const = 0;
};

// Calls one member function on an object it does not own.
template <class T> class CustomFunctor : public IFunctor
{
public:
    using Member = void (T::*)();

    CustomFunctor(T* object, Member member) : mObject(object), mMember(member) {}

    void Invoke() override { (mObject->*mMember)(); }
    std::unique_ptr<IFunctor> Clone() const override { return std::make_unique<CustomFunctor>(*this); }

private:
    T* mObject;
    Member mMember;
};

// The command of a trigger that calls a member function of a screen.
template <class T> class ActionFunctor : public ActionCommand
{
public:
    ActionFunctor(T* object, typename CustomFunctor<T>::Member member)
        : mFunctor(std::make_unique<CustomFunctor<T>>(object, member))
    {
    }

    void Execute() override { mFunctor->Invoke(); }

private:
    std::unique_ptr<IFunctor> mFunctor;
};
