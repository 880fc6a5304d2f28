#pragma once
// The run-time error model: a failing property access or method call throws RuntimeError.

#include <stdexcept>
#include <string>

namespace forms {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string text);

  int number() const { return number_; }
  const std::string& text() const { return text_; }
  // The report shown to the user: "Erreur d'exécution '6':\n\nDépassement de capacité".
  std::string report() const;

 private:
  int number_;
  std::string text_;
};

namespace errors {
RuntimeError overflow();                // 6
RuntimeError file_not_found();          // 53
RuntimeError invalid_property_value();  // 380
RuntimeError invalid_call();            // 5
// 51: a failure inside the program that is not a run-time error of its own (a bad index, a
// broken invariant); `detail` says what failed, or is empty when nothing is known.
RuntimeError internal(const std::string& detail);
}  // namespace errors

// Runs one statement with errors ignored: a run-time error it raises is dropped, unreported,
// and execution goes on after it.
template <class Statement>
void ignoring_errors(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace forms
