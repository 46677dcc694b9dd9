// The AVX-512 row kernels and the run-time check that chooses them.
#pragma once

#include <cstdint>

bool HasAvx512();
// Lets the tests run the SSE2 kernels on a processor that has AVX-512.
void AllowAvx512(bool allow);

void CopyKeyed16Avx512(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint16_t key);
void CopyKeyed32Avx512(std::uint8_t* dst, const std::uint8_t* src, std::int32_t n, std::uint32_t key);
void AlphaRow565Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front, std::int32_t n,
                       std::uint32_t alpha, bool keyed, std::uint16_t key);
void AlphaRow8888Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                        std::int32_t n, std::uint32_t alpha, bool keyed, std::uint32_t key);
void MaskRow565Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                      const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint16_t key);
void MaskRow8888Avx512(std::uint8_t* out, const std::uint8_t* back, const std::uint8_t* front,
                       const std::uint8_t* mask, std::int32_t n, bool keyed, std::uint32_t key);
void Gather32Avx512(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                    std::int32_t srcCount);
void Gather16Avx512(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                    std::int32_t srcCount);
