#pragma once
#include <concepts>
#include <exception>
#include <utility>

#include "core/arithmetic_failure.h"

namespace tavrel::ui {

// The one handler of failures that escape an event: an arithmetic failure shows its
// text followed by ". Try using smaller numbers.", any other exception its text alone.
// The event is abandoned.
void ReportEventFailure(std::exception_ptr failure);

// Runs an event handler under that handler. Every slot and event override that
// computes goes through it.
template <typename Handler>
void Guarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        ReportEventFailure(std::current_exception());
    }
}

// A slot for connect() that runs the handler under the one handler of failures. The handler
// takes the first arguments of the signal that it can take, as a slot does.
template <typename Handler>
auto GuardedSlot(Handler handler) {
    return [handler = std::move(handler)](auto&&... args)
        requires std::invocable<const Handler&, decltype(args)...>
    {
        Guarded([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}

// The wait cursor for the lifetime of the object; Release ends it early, before a
// message box.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void Release();

private:
    bool active_ = true;
};

}  // namespace tavrel::ui
