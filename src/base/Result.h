#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kvitok {

// Why something could not be done, in words the person can read (windows-1251).
struct Failure {
    std::string reason;
};

// The one way the program reports a failure: the value, or the Failure that says why there is
// none. Exceptions stay inside the layer that throws them. A failure is handed on as it is
// (`return other.Error();`); asking a success for its reason, or a failure for its value, throws.
template <typename T = void>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    T& Value() { return std::get<0>(m_state); }
    const T& Value() const { return std::get<0>(m_state); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }

    const Failure& Error() const { return std::get<1>(m_state); }
    const std::string& Reason() const { return Error().reason; }

private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool Ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return Ok(); }

    const Failure& Error() const { return m_failure.value(); }
    const std::string& Reason() const { return Error().reason; }

private:
    std::optional<Failure> m_failure;
};

} // namespace kvitok
