#pragma once

#include <utility>
#include <variant>

// Either a value or the error that prevented it; failures are returned, never thrown across Qt. Our own, as
// std::expected needs C++23.
template<typename T, typename E> class Expected final
{
public:
    Expected(T value)
        : m_storage(std::in_place_index<0>, std::move(value))
    {
    }
    Expected(E error)
        : m_storage(std::in_place_index<1>, std::move(error))
    {
    }

    bool hasValue() const { return m_storage.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T &value() { return std::get<0>(m_storage); }
    const T &value() const { return std::get<0>(m_storage); }
    const E &error() const { return std::get<1>(m_storage); }

private:
    std::variant<T, E> m_storage;
};
