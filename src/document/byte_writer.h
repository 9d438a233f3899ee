#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

// Little-endian helpers for the binary file formats of this folder.
namespace tamsel::doc::bytes {

inline void u8(QByteArray &out, unsigned value) { out.append(char(value & 0xFF)); }
inline void u16(QByteArray &out, unsigned value)
{
    u8(out, value);
    u8(out, value >> 8);
}
inline void u32(QByteArray &out, std::uint32_t value)
{
    u16(out, value & 0xFFFF);
    u16(out, value >> 16);
}
inline void zeros(QByteArray &out, qsizetype count) { out.append(count, '\0'); }
// Pads with zeros to a multiple of `unit`.
inline void padTo(QByteArray &out, qsizetype unit)
{
    if (out.size() % unit)
        zeros(out, unit - out.size() % unit);
}
inline void put16(QByteArray &out, qsizetype at, unsigned value)
{
    qToLittleEndian<std::uint16_t>(std::uint16_t(value), out.data() + at);
}
inline void put32(QByteArray &out, qsizetype at, std::uint32_t value)
{
    qToLittleEndian<std::uint32_t>(value, out.data() + at);
}

// Bounds-checked reads: 0 past the end, so a truncated file reads as zeros
// and the callers' own checks catch it.
inline unsigned get8(const QByteArray &in, qsizetype at)
{
    return at >= 0 && at < in.size() ? std::uint8_t(in[at]) : 0;
}
inline unsigned get16(const QByteArray &in, qsizetype at) { return get8(in, at) | get8(in, at + 1) << 8; }
inline std::uint32_t get32(const QByteArray &in, qsizetype at)
{
    return get16(in, at) | std::uint32_t(get16(in, at + 2)) << 16;
}

} // namespace tamsel::doc::bytes
