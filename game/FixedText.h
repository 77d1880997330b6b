// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// How many characters a UTF-8 text holds: every byte but the continuation bytes.
constexpr std::size_t CharacterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char byte : utf8)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

// UTF-8 text of at most Capacity characters, held without allocation.
// Appending stops at the first character that would not fit, so a text is
// never cut inside a character.
template <std::size_t Capacity>
class FixedText {
public:
    constexpr FixedText() = default;
    constexpr FixedText(std::string_view utf8) { append(utf8); }

    constexpr FixedText &append(std::string_view utf8)
    {
        std::size_t at = 0;
        while (at < utf8.size() && m_characters < Capacity) {
            const std::size_t width = characterWidth(static_cast<unsigned char>(utf8[at]));
            if (at + width > utf8.size())
                break;
            for (std::size_t i = 0; i < width; ++i)
                m_bytes[m_used++] = utf8[at + i];
            at += width;
            ++m_characters;
        }
        return *this;
    }

    constexpr std::string_view view() const { return {m_bytes.data(), m_used}; }
    constexpr std::size_t length() const { return m_characters; }

private:
    static constexpr std::size_t characterWidth(unsigned char lead)
    {
        if (lead >= 0xF0)
            return 4;
        if (lead >= 0xE0)
            return 3;
        if (lead >= 0xC0)
            return 2;
        return 1;
    }

    std::array<char, Capacity * 4> m_bytes{};
    std::size_t m_used = 0;
    std::size_t m_characters = 0;
};
