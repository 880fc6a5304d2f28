#include "forms/run_time_error.h"

#include <utility>

namespace forms {

RuntimeError::RuntimeError(int number, std::string text)
    : std::runtime_error(text), number_(number), text_(std::move(text)) {}

std::string RuntimeError::report() const {
  return "Erreur d'exécution '" + std::to_string(number_) + "':\n\n" + text_;
}

namespace errors {
RuntimeError overflow() {
  return {6, "Dépassement de capacité"};
}
RuntimeError file_not_found() {
  return {53, "Fichier introuvable"};
}
RuntimeError invalid_property_value() {
  return {380, "Valeur de propriété non valide"};
}
RuntimeError invalid_call() {
  return {5, "Argument ou appel de procédure incorrect"};
}
RuntimeError internal(const std::string& detail) {
  return {51, detail.empty() ? "Erreur interne" : "Erreur interne : " + detail};
}
}  // namespace errors

}  // namespace forms
