#pragma once

#include <cstddef>
#include <cstdint>

// The duplicate finder's 64-bit content digest: a CRC-64 over the bytes, least
// significant bit first, polynomial 0xAD93D23594C935A9 (0x95AC9329AC4BC9B5 reflected), register
// starting at all ones, no final inversion. "abc" gives 0xF10896EFC03E0514; no bytes give
// 0xFFFFFFFFFFFFFFFF.
//
// The plain way computes it a byte at a time with one 256-entry table. Here long buffers are folded
// 64 bytes at a time with carry-less multiplication (PCLMULQDQ, where the processor has it)
// and the rest goes eight bytes at a time through eight tables derived from that one
// ("slicing by 8"); both give exactly the register the plain loop gives. crc64Bytewise is the
// plain loop, kept to test against.
class crc {
public:
    static constexpr std::uint64_t kStart = 0xFFFFFFFFFFFFFFFFull;

    // Digest of one buffer from the start value; a missing buffer yields 0.
    static std::uint64_t crc64(const void* buffer, std::uint32_t bufferSize);
    // Continues the running digest PREVIOUS (or starts afresh when ISHEAD is set).
    static std::uint64_t crc64Buffer(const void* buffer, std::uint32_t buffSize, bool isHead,
                                     std::uint64_t previous);

    // The register after feeding LENGTH bytes to REGISTER (any length).
    static std::uint64_t update(std::uint64_t reg, const void* data, std::size_t length);
    // The same, one byte at a time with the single table: the reference.
    static std::uint64_t crc64Bytewise(std::uint64_t reg, const void* data, std::size_t length);
};
