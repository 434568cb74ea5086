#pragma once

#include <exception>
#include <type_traits>
#include <utility>

class QWidget;

// Shows what escaped a handler in a message box, as the toolkit's own
// exception box would; the handler has stopped where it was thrown.
void ShowHandlerException(QWidget* parent, const std::exception& e);
void ShowUnknownHandlerException(QWidget* parent);

// A guarded handler takes a signal's arguments when it wants them, none
// otherwise.
template <class F, class... A>
constexpr bool kGuardedCallable = std::is_invocable_v<const F&, A...> || std::is_invocable_v<const F&>;

// Wraps a handler so that an exception (a conversion error above all) ends
// that handler with a message instead of unwinding through Qt.
template <class F>
auto Guarded(QWidget* parent, F f) {
  // The return type leaves out the argument counts f cannot take, so that
  // Qt's look for the count a connection passes never compiles a bad call.
  return [parent, f = std::move(f)](auto&&... args) -> std::enable_if_t<kGuardedCallable<F, decltype(args)...>> {
    try {
      // Signals may carry more arguments than the handler wants.
      // (The call without them goes through a generic lambda, so that it
      // is compiled only where it is made.)
      if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
        f(std::forward<decltype(args)>(args)...);
      else
        [](const auto& g) { g(); }(f);
    } catch (const std::exception& e) {
      ShowHandlerException(parent, e);
    } catch (...) {
      ShowUnknownHandlerException(parent);
    }
  };
}
