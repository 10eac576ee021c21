#pragma once
// The one way a step of Kalvo says that it failed: an error value holding the
// German text for the user. CErgebnis<T> holds the step's value or its error
// (the shape of C++23's std::expected); CErgebnis<> is success or the error.
// Reading and writing files, loading a document or a variant, the field rules
// and the exports return it; the window or kalvo-batch shows or prints the
// text. (The dialogs' checks show their refusal as they always did and say by
// a bool whether the values were accepted.)

#include <optional>
#include <string>
#include <utility>
#include <variant>

struct CFehler {
    std::string text; // German, for the user
};

template <class T = void>
class [[nodiscard]] CErgebnis {
public:
    CErgebnis(T wert) : m_Inhalt(std::move(wert)) {}           // NOLINT: success carries its value
    CErgebnis(CFehler fehler) : m_Inhalt(std::move(fehler)) {} // NOLINT: so does failure
    bool has_value() const { return m_Inhalt.index() == 0; }
    explicit operator bool() const { return has_value(); }
    const T& value() const& { return std::get<0>(m_Inhalt); }
    T&& value() && { return std::get<0>(std::move(m_Inhalt)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    const std::string& Fehlertext() const { return std::get<1>(m_Inhalt).text; }

private:
    std::variant<T, CFehler> m_Inhalt;
};

template <>
class [[nodiscard]] CErgebnis<void> {
public:
    CErgebnis() = default;
    CErgebnis(CFehler fehler) : m_Fehler(std::move(fehler)) {} // NOLINT: failure converts
    bool has_value() const { return !m_Fehler.has_value(); }
    explicit operator bool() const { return has_value(); }
    // "" on success, so that a caller may print it either way.
    const std::string& Fehlertext() const
    {
        static const std::string leer;
        return m_Fehler ? m_Fehler->text : leer;
    }

private:
    std::optional<CFehler> m_Fehler;
};
