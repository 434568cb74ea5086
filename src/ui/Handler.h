#pragma once

#include <exception>
#include <type_traits>
#include <utility>

class QWidget;

// Shows what escaped a handler in a message box, as the toolkit's own
// exception box would; the handler has stopped where it was thrown.
void ShowHandlerException(QWidget* parent, const std::exception& e);
void ShowUnknownHandlerException(QWidget* parent);

// Wraps a handler so that an exception (a conversion error above all) ends
// that handler with a message instead of unwinding through Qt.
template <class F>
auto Guarded(QWidget* parent, F f) {
  return [parent, f = std::move(f)](auto&&... args) {
    try {
      // Signals may carry more arguments than the handler wants.
      if constexpr (std::is_invocable_v<F, decltype(args)...>)
        f(std::forward<decltype(args)>(args)...);
      else
        f();
    } catch (const std::exception& e) {
      ShowHandlerException(parent, e);
    } catch (...) {
      ShowUnknownHandlerException(parent);
    }
  };
}
