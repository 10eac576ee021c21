#pragma once
// The little-endian archive of the .kvo file: 32-bit integers, texts and text
// arrays with the length encodings of the document file. Texts are written as
// the bytes given (the document converts to Windows-1252 before).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CArchivSchreiber {
public:
    void Int32(int32_t wert);
    void Text(std::string_view bytes);
    void TextArray(const std::vector<std::string>& texte);
    const std::string& Bytes() const { return m_sBytes; }

private:
    void U8(uint8_t wert);
    void U16(uint16_t wert);
    void U32(uint32_t wert);
    std::string m_sBytes;
};

// Reads from a byte buffer and never past its end. Every read returns false
// once the data is exhausted or inconsistent; Fehler() then says why (German).
class CArchivLeser {
public:
    explicit CArchivLeser(std::string_view bytes) : m_Bytes(bytes) {}
    bool Int32(int32_t& wert);
    bool Text(std::string& bytes);
    bool TextArray(std::vector<std::string>& texte);
    bool AmEnde() const { return m_iPos == m_Bytes.size(); }
    const std::string& Fehler() const { return m_sFehler; }

private:
    bool U8(uint8_t& wert);
    bool U16(uint16_t& wert);
    bool U32(uint32_t& wert);
    bool Scheitern(const char* grund);
    size_t Rest() const { return m_Bytes.size() - m_iPos; }

    std::string_view m_Bytes;
    size_t m_iPos = 0;
    std::string m_sFehler;
};
