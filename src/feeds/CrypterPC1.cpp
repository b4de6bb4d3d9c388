#include "feeds/CrypterPC1.h"

#include <array>
#include <cstdint>

namespace {

// The cipher's 16-bit register state, reset for every message.
class Pc1State
{
public:
    explicit Pc1State(const QByteArray& keyText)
    {
        for (int k = 0; k < TCrypterPC1::kKeySize && k < keyText.size(); ++k)
            m_key[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(keyText[k]);
    }

    // The keystream byte for the next position.
    std::uint8_t streamByte()
    {
        std::uint16_t inter = 0;
        std::uint16_t previous = 0;
        for (std::size_t n = 0; n < m_words.size(); ++n) {
            const auto word = static_cast<std::uint16_t>((m_key[2 * n] << 8) | m_key[2 * n + 1]);
            m_words[n] = n == 0 ? word : static_cast<std::uint16_t>(previous ^ word);
            inter ^= code(n);
            previous = m_words[n];
        }
        return static_cast<std::uint8_t>((inter >> 8) ^ (inter & 0xFF));
    }

    // The plaintext byte feeds back into the key.
    void fold(std::uint8_t plain)
    {
        for (auto& k : m_key)
            k ^= plain;
    }

private:
    std::uint16_t code(std::size_t n)
    {
        constexpr std::uint16_t kMulA = 0x015a;
        constexpr std::uint16_t kMulB = 0x4e35;
        std::uint16_t dx = static_cast<std::uint16_t>(m_x1a2 + n);
        std::uint16_t ax = m_words[n];
        std::uint16_t cx = kMulA;
        std::swap(ax, m_si);
        std::swap(ax, dx);
        if (ax != 0)
            ax = static_cast<std::uint16_t>(ax * kMulB);
        std::swap(ax, cx);
        if (ax != 0) {
            ax = static_cast<std::uint16_t>(ax * m_si);
            cx = static_cast<std::uint16_t>(ax + cx);
        }
        std::swap(ax, m_si);
        ax = static_cast<std::uint16_t>(ax * kMulB);
        dx = static_cast<std::uint16_t>(cx + dx);
        ax = static_cast<std::uint16_t>(ax + 1);
        m_x1a2 = dx;
        m_words[n] = ax;
        return static_cast<std::uint16_t>(ax ^ dx);
    }

    std::array<std::uint8_t, TCrypterPC1::kKeySize> m_key{};
    std::array<std::uint16_t, TCrypterPC1::kKeySize / 2> m_words{};
    std::uint16_t m_si = 0;
    std::uint16_t m_x1a2 = 0;
};

int halfByte(char letter)
{
    return (static_cast<unsigned char>(letter) - 'a') & 0x0F;
}

} // namespace

QByteArray TCrypterPC1::decrypt(const QByteArray& keyText, const QByteArray& letters, qsizetype count)
{
    if (count < 0 || count > letters.size())
        count = letters.size();
    Pc1State state(keyText);
    QByteArray plain(count / 2, '\0');
    for (qsizetype n = 0; n < plain.size(); ++n) {
        const int cipher = (halfByte(letters[2 * n]) << 4) | halfByte(letters[2 * n + 1]);
        const auto byte = static_cast<std::uint8_t>(cipher ^ state.streamByte());
        state.fold(byte);
        plain[n] = static_cast<char>(byte);
    }
    return plain;
}

QByteArray TCrypterPC1::encrypt(const QByteArray& keyText, const QByteArray& plain)
{
    Pc1State state(keyText);
    QByteArray letters;
    letters.reserve(plain.size() * 2);
    for (const char c : plain) {
        const auto byte = static_cast<std::uint8_t>(c);
        const auto cipher = static_cast<std::uint8_t>(byte ^ state.streamByte());
        state.fold(byte);
        letters.append(static_cast<char>('a' + (cipher >> 4)));
        letters.append(static_cast<char>('a' + (cipher & 0x0F)));
    }
    return letters;
}
